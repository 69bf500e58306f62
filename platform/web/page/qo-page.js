// The page around the demo: loads the code and the data once, shows the
// start screen over a still of the demo, and starts a fresh instance of the
// program (createQo, from qo.js) for every run, on a fresh canvas.
//   index.html             start screen, then a run on a click or a key
//   index.html?autoplay    a run as soon as the data is loaded
//   index.html?frame=K     frame K of the demo, drawn once; no sound
//   index.html?frame=K&from=A  frames A to K drawn one after another first
(function () {
  'use strict';

  var FRAMES = 8375;        // frames 0 to 8374: the whole run at 32 ms a frame
  var STILL_FRAME = 3200;   // the start screen's picture, about 102 s in

  var params = new URLSearchParams(location.search);
  var stage = document.getElementById('stage');
  var start = document.getElementById('start');
  var progress = document.getElementById('progress');
  var progressBar = document.getElementById('progress-bar');
  var status = document.getElementById('status');
  var play = document.getElementById('play');

  var state = {phase: 'loading', frames: 0, runs: 0, exitStatus: null, host: null, firstFrameTime: null};
  var loaded = null;        // {module: WebAssembly.Module, files: [{name, bytes}]}
  var audioContext = null;
  var decodedMusic = {};    // file name -> Promise of an AudioBuffer, for the package's files
  var stillCanvas = null;   // the start screen's picture, kept between runs
  var stillTried = false;   // drawn once; a still that failed is not tried again
  var playAfterStill = false;  // the person started the demo while the still was drawn

  // What tests and tools may read; nothing here changes the page.
  window.qo = Object.freeze({
    get phase() { return state.phase; },
    get frames() { return state.frames; },
    get runs() { return state.runs; },
    get exitStatus() { return state.exitStatus; },
    // performance.now() when the last run presented its first frame
    get firstFrameTime() { return state.firstFrameTime; },
    get title() { return document.title; },
    clocks: function () {
      return state.host && state.host.clocks ? state.host.clocks() : null;
    },
    presentTimes: function () {
      return state.host ? state.host.presentTimes.slice() : [];
    },
  });

  function setPhase(phase) {
    state.phase = phase;
    document.body.dataset.phase = phase;
  }

  function showStatus(text) {
    status.textContent = text;
  }

  // One plain sentence in place of the page: nothing can run.
  function fail(sentence) {
    start.hidden = false;
    progress.hidden = true;
    play.hidden = true;
    showStatus(sentence);
    setPhase('failed');
  }

  function hasWebGL() {
    var gl = document.createElement('canvas').getContext('webgl');
    if (!gl) return false;
    var lose = gl.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext();
    return true;
  }

  // ---- Loading: the compiled code and the one data file, once ----

  function fetchOk(url) {
    return fetch(url).then(function (response) {
      if (!response.ok) throw new Error(url + ': ' + response.status);
      return response;
    });
  }

  // The data file, read as it arrives, with the progress bar following.
  function fetchData(url, size) {
    return fetchOk(url).then(function (response) {
      if (!response.body) return response.arrayBuffer().then(function (b) { return new Uint8Array(b); });
      var total = size || Number(response.headers.get('Content-Length')) || 0;
      var bytes = new Uint8Array(total);
      var got = 0;
      var chunks = [];
      var reader = response.body.getReader();
      function next() {
        return reader.read().then(function (part) {
          if (part.done) {
            if (got === total) return bytes;
            var whole = new Uint8Array(got);
            var at = 0;
            chunks.forEach(function (c) { whole.set(c, at); at += c.length; });
            return whole;
          }
          if (got + part.value.length <= total) bytes.set(part.value, got);
          chunks.push(part.value);
          got += part.value.length;
          if (total) {
            var percent = Math.min(100, Math.round(100 * got / total));
            progressBar.style.width = percent + '%';
            progress.setAttribute('aria-valuenow', String(percent));
          }
          return next();
        });
      }
      return next();
    });
  }

  function load() {
    var code = fetchOk('qo.wasm')
      .then(function (r) { return r.arrayBuffer(); })
      .then(function (b) { return WebAssembly.compile(b); });
    var data = fetchOk('qo.data.json')
      .then(function (r) { return r.json(); })
      .then(function (metadata) {
        return fetchData('qo.data', metadata.remote_package_size).then(function (bytes) {
          return metadata.files.map(function (f) {
            return {name: f.filename.replace(/^\//, ''), bytes: bytes.subarray(f.start, f.end)};
          });
        });
      });
    return Promise.all([code, data]).then(function (both) {
      return {module: both[0], files: both[1]};
    });
  }

  // Music is decoded once, ahead of the first run, without a sound device:
  // the buffer plays in whichever context a run gets.
  function decodeAhead(files) {
    if (typeof OfflineAudioContext === 'undefined') return;
    files.forEach(function (f) {
      if (!/\.mp3$/i.test(f.name)) return;
      var decoder = new OfflineAudioContext(2, 1, 48000);
      var promise = decoder.decodeAudioData(f.bytes.slice().buffer);
      promise.catch(function () {});  // a run that plays it finds out
      decodedMusic[f.name] = {size: f.bytes.length, buffer: promise};
    });
  }

  function decodeAudio(name, bytes) {
    var known = decodedMusic[name];
    if (known && known.size === bytes.length) return known.buffer;
    return audioContext.decodeAudioData(bytes.slice().buffer);
  }

  // ---- Message boxes, shown in the page ----

  var MB_YESNO = 4, IDOK = 1, IDYES = 6, IDNO = 7;

  function showMessageBox(caption, text, type) {
    return new Promise(function (resolve) {
      var box = document.getElementById('box');
      var buttons = document.getElementById('box-buttons');
      var before = state.phase;
      document.getElementById('box-caption').textContent = caption;
      document.getElementById('box-text').textContent = text;
      buttons.textContent = '';
      var choices = (type & 15) === MB_YESNO ? [['Yes', IDYES], ['No', IDNO]] : [['OK', IDOK]];
      // While the box is up its keys are its own, as a modal box's are:
      // Enter chooses the button with the focus, Escape closes a box that
      // has only OK.
      function keys(e) {
        e.stopPropagation();
        if (e.type !== 'keydown') return;
        if (e.key === 'Enter' || e.key === ' ') {
          e.preventDefault();
          var focused = document.activeElement;
          answer(focused && focused.parentNode === buttons ? Number(focused.dataset.id) : choices[0][1]);
        } else if (e.key === 'Escape' && choices.length === 1) {
          answer(IDOK);
        }
      }
      function answer(id) {
        box.hidden = true;
        window.removeEventListener('keydown', keys, true);
        window.removeEventListener('keyup', keys, true);
        setPhase(before);
        resolve(id);
      }
      choices.forEach(function (choice) {
        var button = document.createElement('button');
        button.type = 'button';
        button.textContent = choice[0];
        button.dataset.id = String(choice[1]);
        button.addEventListener('click', function () { answer(choice[1]); });
        buttons.appendChild(button);
      });
      window.addEventListener('keydown', keys, true);
      window.addEventListener('keyup', keys, true);
      box.hidden = false;
      setPhase('message');
      buttons.firstChild.focus();
    });
  }

  // ---- Runs ----

  function freshCanvas() {
    var old = document.getElementById('qo');
    var canvas = document.createElement('canvas');
    canvas.id = 'qo';
    canvas.width = 1024;
    canvas.height = 768;
    old.replaceWith(canvas);
    if (old !== stillCanvas) loseContext(old);
    return canvas;
  }

  function loseContext(canvas) {
    var gl = canvas.getContext('webgl');
    var lose = gl && gl.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext();
  }

  // Runs the program once. `options`: frame and drawFrom for a stepped run,
  // title(text) for a run in real time. Resolves with the exit status and
  // the lines it wrote to standard error.
  function run(options) {
    var canvas = freshCanvas();
    var errors = [];
    var host = {
      frame: options.frame === undefined ? null : options.frame,
      drawFrom: options.drawFrom === undefined ? null : options.drawFrom,
      audioContext: options.frame === undefined ? audioContext : null,
      decodeAudio: decodeAudio,
      showMessageBox: showMessageBox,
      presentTimes: [],
      title: options.title || function () {},
      presented: function (frame, time) {
        if (state.frames === 0) state.firstFrameTime = time;
        state.frames = frame + 1;
        if (host.drawFrom !== null) host.presentTimes.push(time);
      },
    };
    state.host = host;
    state.frames = 0;
    state.firstFrameTime = null;
    var instance = null;
    return createQo({
      canvas: canvas,
      qoHost: host,
      instantiateWasm: function (imports, receive) {
        WebAssembly.instantiate(loaded.module, imports).then(function (i) { receive(i, loaded.module); });
        return {};
      },
      preRun: [function (Module) {
        // The demo reads its files by their plain names from its working directory.
        Module.FS.mkdir('/qo');
        loaded.files.forEach(function (f) { Module.FS.writeFile('/qo/' + f.name, f.bytes); });
        Module.FS.chdir('/qo');
      }],
      print: function (line) { console.log(line); },
      printErr: function (line) { errors.push(line); console.warn(line); },
    }).then(function (Module) {
      instance = Module;
      try {
        return Promise.resolve(Module.ccall('main', 'number', [], [], {async: true}));
      } catch (e) {
        return Promise.reject(e);
      }
    }).then(null, function (e) {
      // exit(status) from the demo's failure paths ends the run this way.
      if (e && e.name === 'ExitStatus') return e.status;
      throw e;
    }).then(function (status) {
      if (instance && instance.qoEndRun) instance.qoEndRun();
      state.exitStatus = status;
      state.runs++;
      return {status: status, errors: errors, canvas: canvas};
    });
  }

  // What a run printed before it ended with a failure status, as a box.
  function reportFailure(result) {
    if (result.status === 0 || result.errors.length === 0) return Promise.resolve();
    return showMessageBox('Qo', result.errors.join('\n'), 0);
  }

  function leaveFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
  }

  function renderStill() {
    stillTried = true;
    setPhase('still');
    start.hidden = false;
    play.hidden = false;
    progress.hidden = true;
    showStatus('');
    return run({frame: STILL_FRAME, drawFrom: STILL_FRAME}).then(function (result) {
      if (result.status === 0 && state.frames > STILL_FRAME) stillCanvas = result.canvas;
      return reportFailure(result);
    });
  }

  function showStart() {
    document.title = 'Qo';
    if (stillCanvas && document.getElementById('qo') !== stillCanvas) {
      var current = document.getElementById('qo');
      current.replaceWith(stillCanvas);
      loseContext(current);
    }
    start.hidden = false;
    progress.hidden = true;
    play.hidden = false;
    showStatus('');
    setPhase('ready');
  }

  function playDemo() {
    start.hidden = true;
    setPhase('playing');
    var title = function (text) { document.title = text; };
    return run({title: title}).then(function (result) {
      leaveFullscreen();
      return reportFailure(result);
    }).then(function () {
      return stillTried ? showStart() : renderStill().then(afterStill);
    }, function (e) {
      leaveFullscreen();
      fail('The demo stopped: ' + e);
    });
  }

  // A click or a key on the start screen: full screen where the browser
  // allows it (only inside this handler), sound, and the run.
  function startByPerson() {
    if (state.phase !== 'ready' && state.phase !== 'still') return;
    if (stage.requestFullscreen) stage.requestFullscreen().catch(function () {});
    if (!audioContext && typeof AudioContext !== 'undefined') audioContext = new AudioContext();
    if (audioContext && audioContext.state !== 'running') audioContext.resume().catch(function () {});
    if (state.phase === 'still') {
      // The still is a run of its own: the demo follows it.
      playAfterStill = true;
      play.hidden = true;
      showStatus('Starting…');
      return;
    }
    playDemo();
  }

  function afterStill() {
    if (!playAfterStill) return showStart();
    playAfterStill = false;
    return playDemo();
  }

  start.addEventListener('click', startByPerson);
  // A run that began without the person (?autoplay) may not make sound
  // until they click or press a key; the music then joins where the demo is.
  ['pointerdown', 'keydown'].forEach(function (type) {
    window.addEventListener(type, function () {
      if (state.phase === 'playing' && audioContext && audioContext.state === 'suspended') {
        audioContext.resume().catch(function () {});
      }
    }, true);
  });
  window.addEventListener('keydown', function (e) {
    var ignored = ['Escape', 'Shift', 'Control', 'Alt', 'Meta', 'Tab'];
    if (e.repeat || ignored.indexOf(e.key) >= 0 || (state.phase !== 'ready' && state.phase !== 'still')) return;
    e.preventDefault();
    startByPerson();
  });

  function stillFrameMode(frame, from) {
    start.hidden = true;
    setPhase('rendering');
    return run({frame: frame, drawFrom: from}).then(function (result) {
      return reportFailure(result).then(function () {
        setPhase(state.frames > frame ? 'drawn' : 'ended');
      });
    });
  }

  // Whole numbers only, within the run.
  function frameParameter(name) {
    var text = params.get(name);
    if (text === null) return null;
    return /^\d+$/.test(text) && Number(text) < FRAMES ? Number(text) : NaN;
  }

  function main() {
    var frame = frameParameter('frame');
    var from = frameParameter('from');
    if (Number.isNaN(frame) || Number.isNaN(from) || (from !== null && (frame === null || from > frame))) {
      fail('There is no such frame: the demo has frames 0 to ' + (FRAMES - 1) + '.');
      return;
    }
    if (typeof WebAssembly !== 'object' || !hasWebGL()) {
      fail('This browser cannot show Qo: it has no WebGL.');
      return;
    }
    load().then(function (result) {
      loaded = result;
      if (frame !== null) return stillFrameMode(frame, from === null ? frame : from);
      decodeAhead(loaded.files);
      if (params.has('autoplay')) {
        if (typeof AudioContext !== 'undefined') audioContext = new AudioContext();
        return playDemo();
      }
      return renderStill().then(afterStill);
    }, function () {
      fail('The demo\'s files could not be loaded.');
    }).catch(function (e) {
      fail('The demo stopped: ' + e);
    });
  }

  main();
})();
