// Runs in the page before its own scripts: the page's clock and timeouts become a clock that
// moves only when the test fires the next timeout, and every beep is counted.
(function () {
  let now = 1000;
  let nextId = 1;
  const timeouts = new Map();
  performance.now = () => now;
  window.setTimeout = (callback, delay, ...rest) => {
    timeouts.set(nextId, {at: now + Math.max(0, delay || 0), callback, rest});
    return nextId++;
  };
  window.clearTimeout = (id) => { timeouts.delete(id); };
  // A wait on shared memory ends when its time limit is up, or when the memory is notified.
  const waits = new Map();
  Atomics.waitAsync = (cell, index, value, limit) => ({
    async: true,
    value: new Promise((resolve) => {
      waits.set(window.setTimeout(resolve, limit, 'timed-out'), resolve);
    }),
  });
  Atomics.notify = () => {
    for (const [id, resolve] of waits) {
      if (timeouts.delete(id))
        resolve('ok');
    }
    waits.clear();
  };
  window.testClock = {
    now: () => now,
    // When the earliest timeout is due, or null.
    next() {
      let first = null;
      for (const timeout of timeouts.values())
        if (first === null || timeout.at < first)
          first = timeout.at;
      return first;
    },
    // Fires the earliest timeout, late by the milliseconds given, as a busy browser does.
    fire(lateness) {
      let id = null;
      for (const [key, timeout] of timeouts)
        if (id === null || timeout.at < timeouts.get(id).at)
          id = key;
      const timeout = timeouts.get(id);
      timeouts.delete(id);
      now = Math.max(now, timeout.at + lateness);
      timeout.callback(...timeout.rest);
      return now;
    },
    // Moves the clock on without firing anything.
    pass(milliseconds) { now += milliseconds; },
  };
  window.testBeeps = 0;
  const Oscillator = window.OscillatorNode;
  const start = Oscillator.prototype.start;
  Oscillator.prototype.start = function (...rest) {
    window.testBeeps++;
    return start.apply(this, rest);
  };
})();
