// The beep: a short tone the page makes itself. The click that scores starts it, so the browser
// allows it.
(function (page) {
  'use strict';

  var audio = null;
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
})(Module.page);
