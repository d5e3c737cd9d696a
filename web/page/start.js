// The page around the program, split by concern into the files of web/page/, which the build
// puts, in order, into the program's one script, which the page's head fetches once the game
// window's first picture is on the screen: this one (start-up and the program's events),
// drawing, sound, the timer, the windows and boxes, their places and sizes, the menus and the
// keys and clicks. They share the object Module.page, and each wires its part of the page as it
// runs.
//
// The page shows the game window as the program's start-up draws it from its first picture on,
// before the program's code has arrived. What a player does meanwhile works as it will then:
// the menus open, and what the program is to do (an item chosen, Ctrl+N, a click on the face)
// is held and handed to it in order once it runs, while the pointer shows that the page is busy.
// This file starts the program once its code is there and hands it the page's events one at a
// time.
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

  var running = false; // the program has started
  var busy = false; // a handler runs, or waits for its message box
  var repaintWanted = false;
  var held = []; // what a player did before the program ran, in order

  page.byId = function (id) { return document.getElementById(id); };

  // The About box and the message box, put into the page before anything is wired.
  var boxes = document.createElement('template');
  boxes.innerHTML = Module.boxes;
  document.head.appendChild(boxes.content.querySelector('style'));
  page.byId('desktop').appendChild(boxes.content.getElementById('about'));
  document.body.insertBefore(boxes.content.getElementById('message'), page.byId('ended'));

  // Tab, also where a browser names Shift+Tab by the key it makes (WebKitGTK says
  // "Unidentified" for GTK's left tab).
  page.isTab = function (event) { return event.key == 'Tab' || event.code == 'Tab'; };

  function setHolding(holding) {
    document.documentElement.classList.toggle('holding', holding);
  }

  // Hands one event to the program, unless a handler is still running or waiting for its
  // message box, or the event's window is not loaded: then no tick, click or key reaches it.
  // Before the program runs, a player's event is held for it; the program paints its canvases
  // and sets its timer itself when it starts.
  page.send = function (name) {
    var event = EVENTS[name];
    if (!running) {
      if (name == 'repaint' || name == 'tick')
        return false;
      held.push(name);
      setHolding(true);
      return true;
    }
    if (busy || !page.isLoaded(page.byId(event[1])))
      return false;
    busy = true;
    Promise.resolve(Module.ccall('pomvexa_event', null, ['number'], [event[0]], {async: true}))
      .then(done, function (error) { done(); console.error(error); });
    return true;
  };

  // Once a handler has returned: the next event held, or else a repaint asked for meanwhile.
  function done() {
    busy = false;
    while (held.length && !busy)
      page.send(held.shift());
    if (busy)
      return;
    setHolding(false);
    if (repaintWanted) {
      repaintWanted = false;
      page.send('repaint');
    }
  }

  // Has the program paint its canvases again once the page's present work is done, or once
  // the running handler has returned.
  page.repaint = function () {
    Promise.resolve().then(function () {
      if (running && !page.send('repaint'))
        repaintWanted = true;
    });
  };

  // The notice that the game has ended offers to load the page again.
  page.byId('restart').addEventListener('click', function () { location.reload(); });

  // The clicks and keys the page kept before this script arrived, given again in order once
  // the page is wired (when this script has run), as the player gave them.
  Promise.resolve().then(function () {
    Module.release().forEach(function (event) {
      event.target.dispatchEvent(new event.constructor(event.type, event));
    });
    if (!held.length)
      setHolding(false);
  });

  // A task after the present one, so that neither keeps the page busy for long.
  function nextTask() {
    return new Promise(function (next) {
      var channel = new MessageChannel();
      channel.port1.onmessage = next;
      channel.port2.postMessage(null);
    });
  }

  // The code the page's head fetched, instantiated with the program's imports in a task of its
  // own, after the canvases are prepared in another, and the program started in a third; code
  // that cannot be fetched or compiled leaves the page saying so.
  Module.instantiateWasm = function (imports, receive) {
    nextTask().then(function () {
      page.prepareCanvases();
      return nextTask();
    }).then(function () {
      return Module.compiled;
    }).then(function (module) {
      return WebAssembly.instantiate(module, imports).then(function (instance) {
        return nextTask().then(function () { receive(instance, module); });
      });
    }).catch(function (error) {
      held = [];
      page.closeMenus();
      Module.failed(error);
    });
    return {};
  };

  // The program's main has loaded and shown the game window: it takes events from now on. What
  // the game needs no sooner comes in the next task, so that it does not compete with the
  // program's code: the web app manifest and the service worker that keeps the site offline.
  Module.postRun = [function () {
    running = true;
    document.documentElement.classList.add('running');
    done();
    nextTask().then(function () {
      var manifest = document.createElement('link');
      manifest.rel = 'manifest';
      manifest.href = 'manifest.webmanifest';
      document.head.appendChild(manifest);
      if ('serviceWorker' in navigator && location.protocol != 'file:')
        navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).catch(function () {});
    });
  }];
})(Module.page = {});
