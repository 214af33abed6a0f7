// Tobble's voice and the games' sounds, played with the Web Audio API. The
// core's cue director decides what is heard (app/web/web_cue_player.cpp);
// this side fetches the clips, once the first panel has been painted, and
// plays them: a new sentence cuts the current one short, the clips of one
// sentence follow each other, sounds may overlap. Browsers start audio only
// after a click, a tap or a key: until then sounds are dropped and the
// sentence being said waits, to be said once the child first touches the page.
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

Module.audio = (() => {
  const Context = window.AudioContext || window.webkitAudioContext;
  const probe = document.createElement('audio');
  // Opus is half the size of MP3; a browser that cannot decode it gets MP3.
  const opus = !!(probe.canPlayType && probe.canPlayType('audio/ogg; codecs="opus"'));
  const PARALLEL = 4;

  let context = null;

  const buffers = new Map(); // path -> Promise of an AudioBuffer, or of null when it cannot be had
  const effects = new Set(); // sounds playing now
  let generation = 0;        // moves on at every silence: a clip that arrives later does not play
  let sentence = null;       // { clips, next, source, waiting } being said
  const following = [];      // sentences to say after it

  function ensureContext() {
    if (!context && Context) {
      // Opened already by a gesture before this script ran (first_paint.js).
      context = Module.audioContext || null;
      if (!context) try { context = new Context(); } catch (e) { context = null; }
    }
    return context;
  }
  const running = () => context && context.state === 'running';

  // After the first paint, never before: the clips must not slow the start.
  const afterPaint = () => Module.afterFirstPaint;

  function decode(bytes) {
    return new Promise((resolve, reject) => context.decodeAudioData(bytes, resolve, reject));
  }

  async function fetchClip(path, type) {
    const response = await fetch(Module.file(path + '.' + type));
    if (!response.ok) throw new Error(response.status);
    return decode(await response.arrayBuffer());
  }

  // The clip's samples, fetched and decoded once; null when it cannot be had
  // (no audio, offline): the game plays on without it.
  function clip(path) {
    if (!buffers.has(path)) {
      buffers.set(path, afterPaint().then(async () => {
        if (!ensureContext()) return null;
        try {
          return await fetchClip(path, opus ? 'opus' : 'mp3');
        } catch (e) {
          if (!opus) return null;
          try { return await fetchClip(path, 'mp3'); } catch (e2) { return null; }
        }
      }));
    }
    return buffers.get(path);
  }

  // A sound of a place sits between the speakers by a stereo panner (pan),
  // plays faster and higher by its rate; the grown-ups' volume is a gain.
  // A sound or sentence as made goes straight out, as it always has.
  function start(buffer, onended, shaping) {
    const source = context.createBufferSource();
    source.buffer = buffer;
    let out = source;
    if (shaping && shaping.rate !== 1) source.playbackRate.value = shaping.rate;
    if (shaping && shaping.gain !== 1) {
      const gain = context.createGain();
      gain.gain.value = shaping.gain;
      out = out.connect(gain);
    }
    if (shaping && shaping.pan !== null) {
      const panner = context.createStereoPanner();
      panner.pan.value = shaping.pan;
      out = out.connect(panner);
    }
    out.connect(context.destination);
    source.onended = onended;
    source.start(0);  // the time is required by older Safari
    return source;
  }

  function sayFrom(s) {
    if (sentence !== s) return;
    if (s.next >= s.clips.length) {
      sentence = null;
      if (following.length) begin(following.shift());
      return;
    }
    const at = s.next;
    clip('audio/voice/' + s.clips[at]).then((buffer) => {
      if (sentence !== s || s.next !== at || s.source) return;
      if (!buffer) { s.next++; sayFrom(s); return; }
      if (!running()) { s.waiting = true; return; }
      s.source = start(buffer, () => {
        if (sentence !== s) return;
        s.source = null;
        s.next++;
        sayFrom(s);
      }, { pan: null, rate: 1, gain: s.gain });
    });
  }

  function begin(s) {
    sentence = s;
    sayFrom(s);
  }

  function stopVoice() {
    following.length = 0;
    const s = sentence;
    sentence = null;
    if (s && s.source) { s.source.onended = null; s.source.stop(0); }
  }

  // The first gesture lets the page sound: the sentence that waited is said.
  function resume() {
    if (!ensureContext() || running()) return;
    const resumed = context.resume();
    if (resumed && resumed.then) {
      resumed.then(() => {
        if (sentence && sentence.waiting) { sentence.waiting = false; sayFrom(sentence); }
      }, () => {});
    }
  }
  for (const type of ['pointerdown', 'keydown', 'touchend', 'click']) {
    document.addEventListener(type, resume, { capture: true, passive: true });
  }
  // The child may have tapped before this script ran: no other gesture need come.
  if (Module.audioContext || (navigator.userActivation && navigator.userActivation.hasBeenActive)) resume();

  return {
    // The clips' format this browser is given, 'none' where it cannot play them.
    format: Context ? (opus ? 'opus' : 'mp3') : 'none',

    // Every clip there is: all of them are fetched after the first paint,
    // a few at a time, those asked for first.
    clips(sounds, voice) {
      const names = sounds.map((n) => 'audio/sounds/' + n).concat(voice.map((k) => 'audio/voice/' + k));
      if (!Context) return;
      afterPaint().then(() => {
        let i = 0;
        const worker = () => (i < names.length ? clip(names[i++]).then(worker) : null);
        for (let k = 0; k < PARALLEL; k++) worker();
      });
    },

    play(name, pan = null, rate = 1, gain = 1) {
      if (!running()) return;
      const at = generation;
      clip('audio/sounds/' + name).then((buffer) => {
        if (!buffer || at !== generation || !running()) return;
        const source = start(buffer, () => effects.delete(source), { pan, rate, gain });
        effects.add(source);
      });
    },

    say(written, clips, interrupt, gain = 1) {
      if (!Context) return;
      const s = { clips, next: 0, source: null, waiting: false, gain };
      if (interrupt) stopVoice();
      if (sentence) following.push(s);
      else begin(s);
    },

    silence() {
      generation++;
      stopVoice();
      for (const source of effects) { source.onended = null; source.stop(0); }
      effects.clear();
    },
  };
})();
