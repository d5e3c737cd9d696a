// The timer's ticks. They are due at whole intervals from the moment the interval was set, on
// the page's monotonic clock, so that lateness never adds up; a tick whose time passed while the
// page was busy is one tick.
(function (page) {
  'use strict';

  var timer = {interval: 0, due: 0, armed: 0, handle: 0};

  // The page sleeps until a tick is due. setTimeout counts whole milliseconds, so it is set for
  // the time left rounded up; Atomics.waitAsync takes fractions of one. It waits, with that time
  // limit, on a cell of shared memory that nothing writes. Only a page that is cross-origin
  // isolated may have shared memory; any other sleeps with setTimeout.
  var sleepCell = (function () {
    try {
      if (self.crossOriginIsolated && typeof Atomics.waitAsync == 'function') {
        var memory = new WebAssembly.Memory({initial: 1, maximum: 1, shared: true});
        return new Int32Array(memory.buffer);
      }
    } catch (error) {
    }
    return null;
  })();

  // Only the latest sleep wakes the timer: one cut short by a new interval wakes to nothing.
  function arm() {
    var armed = ++timer.armed;
    var wake = function () {
      if (armed == timer.armed)
        expire();
    };
    var left = Math.max(0, timer.due - performance.now());
    if (sleepCell)
      Promise.resolve(Atomics.waitAsync(sleepCell, 0, 0, left).value).then(wake);
    else
      timer.handle = setTimeout(wake, Math.ceil(left));
  }

  function disarm() {
    ++timer.armed;
    if (sleepCell)
      Atomics.notify(sleepCell, 0);
    else
      clearTimeout(timer.handle);
  }

  function expire() {
    var now = performance.now();
    if (now < timer.due) { // came early: sleep the rest
      arm();
      return;
    }
    var missed = Math.floor((now - timer.due) / timer.interval);
    timer.due += (missed + 1) * timer.interval;
    arm();
    page.send('tick');
  }

  Module.pomvexaTimer = function (milliseconds) {
    disarm();
    timer.interval = milliseconds;
    if (milliseconds > 0) {
      timer.due = performance.now() + milliseconds;
      arm();
    }
  };

  page.stopTimer = function () {
    timer.interval = 0;
    disarm();
  };
})(Module.page);
