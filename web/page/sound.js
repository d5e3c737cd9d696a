// The beep: a short tone the page makes itself. A browser lets a page start sound only once the
// player has pressed something on it, and opening the sound device takes a while; so the sound
// is made ready at the player's first press or key anywhere on the page, and the first hit's
// tone starts as soon as any later one's.
(function (page) {
  'use strict';

  var Context = window.AudioContext || window.webkitAudioContext;
  var audio = null;
  // The events with which a browser lets sound start: a press, a release, a key, a tap's end.
  var GESTURES = ['pointerdown', 'pointerup', 'keydown', 'touchend', 'click'];

  function prepare() {
    audio = audio || new Context({latencyHint: 'interactive'});
    if (audio.state == 'running')
      stopPreparing();
    else
      audio.resume().then(function () {
        if (audio.state == 'running')
          stopPreparing();
      }, function () {});
  }

  function stopPreparing() {
    GESTURES.forEach(function (gesture) { removeEventListener(gesture, prepare, true); });
  }

  if (Context)
    GESTURES.forEach(function (gesture) { addEventListener(gesture, prepare, true); });

  Module.pomvexaBeep = function () {
    if (!Context)
      return;
    prepare();
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
})(Module.page);
