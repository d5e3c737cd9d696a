// The page around the program, split by concern into the files of web/page/, which the build
// puts, in order, into the program's one script: this one (start-up and the program's events),
// drawing, sound, the timer, the windows and boxes, their places and sizes, the menus and the
// keys and clicks. They share the object Module.page.
//
// This one starts the program once the page and its code are there, and hands the program the
// page's events one at a time.
(function (page) {
  'use strict';

  // The events the program takes, numbered as in pageevent.h, each with the window it is for.
  var EVENTS = {
    start: [0, 'game'], exit: [1, 'game'], easy: [2, 'game'], moderate: [3, 'game'],
    hard: [4, 'game'], impossible: [5, 'game'], help: [6, 'game'], about: [7, 'game'],
    pictureClick: [8, 'game'], tick: [9, 'game'], gameClose: [10, 'game'],
    aboutOk: [11, 'about'], aboutSysInfo: [12, 'about'], aboutClose: [13, 'about'],
    repaint: [14, 'game'],
  };

  var ready = false;
  var busy = false; // a handler runs, or waits for its message box
  var repaintWanted = false;
  var starting = [];

  page.byId = function (id) { return document.getElementById(id); };

  // Tab, also where a browser names Shift+Tab by the key it makes (WebKitGTK says
  // "Unidentified" for GTK's left tab).
  page.isTab = function (event) { return event.key == 'Tab' || event.code == 'Tab'; };

  // Functions to run, in the order the files add them, once the program has started.
  page.onStart = function (start) { starting.push(start); };

  // Hands one event to the program, unless a handler is still running or waiting for its
  // message box, or the event's window is not loaded: then no tick, click or key reaches it.
  page.send = function (name) {
    var event = EVENTS[name];
    if (!ready || busy || !page.isLoaded(page.byId(event[1])))
      return false;
    busy = true;
    var done = function () {
      busy = false;
      if (repaintWanted) {
        repaintWanted = false;
        page.send('repaint');
      }
    };
    Promise.resolve(Module.ccall('pomvexa_event', null, ['number'], [event[0]], {async: true}))
      .then(done, function (error) { done(); console.error(error); });
    return true;
  };

  // Has the program draw its canvases again once the page's present work is done (which may
  // be the program's start-up itself), or once the running handler has returned.
  page.repaint = function () {
    Promise.resolve().then(function () {
      if (!page.send('repaint'))
        repaintWanted = true;
    });
  };

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
      console.error('Pomvexa: the game\'s code could not be loaded:', error);
      page.byId('failed').hidden = false;
      page.byId('reload').focus();
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
        var image = page.byId('face-image');
        return image.complete ? null : arrived(image, 'load');
      })
      .then(function () { removeRunDependency('page'); });
  }];

  // The page is wired and takes events once the program's runtime is ready, just before its main
  // loads and shows the game window.
  Module.onRuntimeInitialized = function () {
    starting.forEach(function (start) { start(); });
    ready = true;
  };

  // The service worker that keeps the site offline is registered once the page has loaded, so
  // that its first fetching of every file does not slow the game's start.
  if ('serviceWorker' in navigator && location.protocol != 'file:') {
    addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).catch(function () {});
    }, {once: true});
  }
})(Module.page = {});
