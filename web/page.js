// The page around the program: it hands the menus, clicks, keys and timer ticks to the program
// one at a time, shows its message box, sounds its beep, draws its canvases at the screen's
// device-pixel ratio and fits the game to narrow screens.
(function () {
  'use strict';

  // The events the program takes, numbered as in pageevent.h.
  var EVENTS = {
    start: 0, exit: 1, easy: 2, moderate: 3, hard: 4, impossible: 5, help: 6, about: 7,
    pictureClick: 8, tick: 9, gameClose: 10, aboutOk: 11, aboutSysInfo: 12, aboutClose: 13,
    repaint: 14,
  };
  var BACKGROUND = '#efefef';

  var ready = false;
  var busy = false; // a handler runs, or waits for its message box
  var repaintWanted = false;
  var active = null; // the window that takes the keys

  function byId(id) { return document.getElementById(id); }

  // Hands one event to the program, unless a handler is still running or waiting for its
  // message box: then no tick, click or key reaches it.
  function send(name) {
    if (!ready || busy)
      return false;
    busy = true;
    var done = function () {
      busy = false;
      if (repaintWanted) {
        repaintWanted = false;
        send('repaint');
      }
    };
    Promise.resolve(Module.ccall('pomvexa_event', null, ['number'], [EVENTS[name]], {async: true}))
      .then(done, function (error) { done(); console.error(error); });
    return true;
  }

  // ---- drawing ----

  // Device pixels to a CSS pixel of the game: the screen's ratio, times the scale at which the
  // game is fitted to a narrow screen, so that each pixel drawn is one the screen shows.
  var fitScale = 1;
  Module.pomvexaScale = function () { return (window.devicePixelRatio || 1) * fitScale; };

  Module.pomvexaColour = function (colour) {
    return 'rgb(' + (colour & 255) + ',' + ((colour >> 8) & 255) + ',' + ((colour >> 16) & 255) + ')';
  };

  // The canvas's context, drawing in CSS pixels at the screen's device-pixel ratio; cleared to
  // its background (its picture, or the window's colour) when asked.
  Module.pomvexaCanvas = function (id, clear) {
    var canvas = byId(id);
    var scale = Module.pomvexaScale();
    if (!canvas.cssWidth) {
      canvas.cssWidth = canvas.width;
      canvas.cssHeight = canvas.height;
    }
    var context = canvas.getContext('2d', {alpha: false});
    if (clear) {
      canvas.width = Math.round(canvas.cssWidth * scale);
      canvas.height = Math.round(canvas.cssHeight * scale);
      context.setTransform(1, 0, 0, 1, 0, 0);
      context.fillStyle = BACKGROUND;
      context.fillRect(0, 0, canvas.width, canvas.height);
      context.setTransform(scale, 0, 0, scale, 0, 0);
      context.imageSmoothingEnabled = false;
      if (canvas.dataset.picture)
        context.drawImage(byId(canvas.dataset.picture), 0, 0);
    }
    context.setTransform(scale, 0, 0, scale, 0, 0);
    return context;
  };

  // Drawn again whenever the scale changes: a zoom or a narrower window (which resize the
  // page), another screen (which a media query tells).
  var paintedScale = 0;
  function checkScale() {
    var scale = Module.pomvexaScale();
    if (scale == paintedScale)
      return;
    if (paintedScale && !send('repaint'))
      repaintWanted = true;
    paintedScale = scale;
    matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)')
      .addEventListener('change', checkScale, {once: true});
  }

  // ---- sound ----

  var audio = null;
  // A short tone made on the page; the click that scores starts it, so the browser allows it.
  Module.pomvexaBeep = function () {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context)
      return;
    audio = audio || new Context();
    if (audio.state == 'suspended')
      audio.resume();
    var now = audio.currentTime;
    var tone = audio.createOscillator();
    var volume = audio.createGain();
    tone.frequency.value = 880;
    volume.gain.setValueAtTime(0.2, now);
    volume.gain.exponentialRampToValueAtTime(0.001, now + 0.12);
    tone.connect(volume).connect(audio.destination);
    tone.start(now);
    tone.stop(now + 0.12);
  };

  // ---- the timer ----

  // Ticks are due at whole intervals from the moment the interval was set, on the page's
  // monotonic clock, so that lateness never adds up. A tick whose time passed while the page was
  // busy is one tick.
  var timer = {interval: 0, due: 0, armed: 0, handle: 0};

  // The page sleeps until a tick is due. setTimeout counts whole milliseconds, so it would have
  // to be set for the time left rounded up; Atomics.waitAsync takes fractions of one. It waits,
  // with that time limit, on a cell of shared memory that nothing writes. A browser that gives
  // the page no shared memory sleeps with setTimeout.
  var sleepCell = (function () {
    try {
      if (typeof Atomics.waitAsync == 'function') {
        var memory = new WebAssembly.Memory({initial: 1, maximum: 1, shared: true});
        return new Int32Array(memory.buffer);
      }
    } catch (error) {
    }
    return null;
  })();

  // Only the latest sleep wakes the timer: one cut short by a new interval wakes to nothing.
  function armTimer() {
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

  function disarmTimer() {
    ++timer.armed;
    if (sleepCell)
      Atomics.notify(sleepCell, 0);
    else
      clearTimeout(timer.handle);
  }

  function expire() {
    var now = performance.now();
    if (now < timer.due) { // came early: sleep the rest
      armTimer();
      return;
    }
    var missed = Math.floor((now - timer.due) / timer.interval);
    timer.due += (missed + 1) * timer.interval;
    armTimer();
    send('tick');
  }

  Module.pomvexaTimer = function (milliseconds) {
    disarmTimer();
    timer.interval = milliseconds;
    if (milliseconds > 0) {
      timer.due = performance.now() + milliseconds;
      armTimer();
    }
  };

  // ---- windows ----

  var topmost = 1;
  function activate(window) {
    active = window;
    window.style.zIndex = ++topmost;
  }

  Module.pomvexaShowWindow = function (window, shown) {
    window.hidden = !shown;
    if (shown) {
      activate(window);
      var button = window.querySelector('.default');
      if (button)
        button.focus();
    } else if (active == window) {
      active = null;
    }
  };

  // The page's own modal box: the program waits for it to be dismissed.
  Module.pomvexaMessage = function (title, text) {
    closeMenus();
    var layer = byId('message-layer');
    byId('message-caption').textContent = title;
    byId('message-text').textContent = text;
    layer.hidden = false;
    var ok = byId('message-ok');
    ok.focus();
    return new Promise(function (resolve) {
      var dismiss = function () {
        layer.hidden = true;
        ok.removeEventListener('click', dismiss);
        byId('message-close').removeEventListener('click', dismiss);
        layer.removeEventListener('keydown', key, true);
        if (active && active.querySelector('.default'))
          active.querySelector('.default').focus();
        resolve();
      };
      var key = function (event) {
        event.preventDefault();
        event.stopPropagation();
        if (event.key == 'Enter' || event.key == 'Escape' || event.key == ' ')
          dismiss();
      };
      ok.addEventListener('click', dismiss);
      byId('message-close').addEventListener('click', dismiss);
      layer.addEventListener('keydown', key, true);
    });
  };

  Module.pomvexaEnded = function () {
    timer.interval = 0;
    disarmTimer();
    byId('ended').hidden = false;
    byId('restart').focus();
  };

  // ---- menus ----

  function closeMenus() {
    document.querySelectorAll('.menu.open').forEach(function (menu) {
      menu.classList.remove('open');
    });
  }

  function wireMenus() {
    document.querySelectorAll('.menu > .title').forEach(function (title) {
      title.addEventListener('click', function () {
        var menu = title.parentElement;
        var wasOpen = menu.classList.contains('open');
        closeMenus();
        if (!wasOpen)
          menu.classList.add('open');
      });
      title.addEventListener('pointerenter', function () {
        if (document.querySelector('.menu.open') && !title.parentElement.classList.contains('open')) {
          closeMenus();
          title.parentElement.classList.add('open');
        }
      });
    });
    document.addEventListener('pointerdown', function (event) {
      if (!event.target.closest('.menu'))
        closeMenus();
    });
  }

  // ---- input ----

  function wireInput() {
    document.querySelectorAll('[data-event]').forEach(function (element) {
      element.addEventListener('click', function (event) {
        event.stopPropagation();
        closeMenus();
        send(element.dataset.event);
      });
    });
    byId('Picture1').addEventListener('click', function () { send('pictureClick'); });
    ['game', 'about'].forEach(function (id) {
      byId(id).addEventListener('pointerdown', function () { activate(byId(id)); });
      byId(id).addEventListener('focusin', function () { activate(byId(id)); });
    });
    document.addEventListener('keydown', function (event) {
      if (!byId('message-layer').hidden)
        return;
      if (event.key == 'Escape' && document.querySelector('.menu.open')) {
        closeMenus();
      } else if (active == byId('game') && event.ctrlKey && !event.altKey && !event.shiftKey &&
                 (event.key == 'n' || event.key == 'N')) {
        send('start');
      } else if (active == byId('about') && event.key == 'Escape') {
        send('aboutOk');
      } else if (active == byId('about') && event.key == 'Enter') {
        send(document.activeElement == byId('cmdSysInfo') ? 'aboutSysInfo' : 'aboutOk');
      } else if (active == byId('about') && event.altKey && (event.key == 's' || event.key == 'S')) {
        send('aboutSysInfo');
      } else {
        return;
      }
      event.preventDefault();
    });
  }

  // The whole desktop scaled down to fit a screen narrower or lower than it, never up.
  function fit() {
    var desktop = byId('desktop');
    fitScale = Math.min(1, document.documentElement.clientWidth / desktop.offsetWidth,
                        document.documentElement.clientHeight / desktop.offsetHeight);
    desktop.style.transform = fitScale < 1 ? 'scale(' + fitScale + ')' : '';
    checkScale();
  }

  // Each of the page's notices (the game has ended, its code could not be loaded) offers to
  // load the page again.
  document.querySelectorAll('.notice button').forEach(function (button) {
    button.addEventListener('click', function () { location.reload(); });
  });

  // The code compiled by the page's head, instantiated with the program's imports. Code that
  // cannot be fetched (offline before the site was kept) or compiled leaves the page saying so,
  // with a button that tries again.
  Module.instantiateWasm = function (imports, receive) {
    Module.compiled.then(function (module) {
      return WebAssembly.instantiate(module, imports).then(function (instance) {
        receive(instance, module);
      });
    }).catch(function (error) {
      console.error(error);
      byId('failed').hidden = false;
      byId('reload').focus();
    });
    return {};
  };

  // The program starts once the page's elements are all there and the picture's image, drawn
  // under the face from the start, has arrived (or failed to).
  function arrived(target, event) {
    return new Promise(function (resolve) {
      target.addEventListener(event, resolve, {once: true});
      target.addEventListener('error', resolve, {once: true});
    });
  }

  Module.preRun = [function () {
    addRunDependency('page');
    (document.readyState == 'loading' ? arrived(document, 'DOMContentLoaded') : Promise.resolve())
      .then(function () {
        var image = byId('face-image');
        return image.complete ? null : arrived(image, 'load');
      })
      .then(function () { removeRunDependency('page'); });
  }];

  Module.onRuntimeInitialized = function () {
    wireMenus();
    wireInput();
    addEventListener('resize', fit);
    fit();
    ready = true;
  };

  // The service worker that keeps the site offline is registered once the page has loaded, so
  // that its first fetching of every file does not slow the game's start.
  if ('serviceWorker' in navigator && location.protocol != 'file:') {
    addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js').catch(function () {});
    }, {once: true});
  }
})();
