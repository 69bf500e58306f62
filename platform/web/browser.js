// The browser's side of the web platform (platform/web/browser.h): yields,
// the page that hosts the run (Module.qoHost), and the music over WebAudio.
//
// The page gives each run a host object:
//   frame, drawFrom     a stepped run's last frame and first drawn frame, or null
//   audioContext        the page's AudioContext, or null
//   decodeAudio(name, bytes) -> Promise of an AudioBuffer (the page may keep it)
//   showMessageBox(caption, text, type) -> Promise of the button's id
//   title(text), presented(frame, time), drew(frame)
// and the platform puts on it:
//   clocks() -> {audio, demo}: the music's position as heard now and the
//               demo's running time at the same moment, in seconds (null
//               while no music plays)
// and on the Module, for the page once the run has ended: qoEndRun().
mergeInto(LibraryManager.library, {
  $QoWeb__deps: ['$GL', '$JSEvents'],
  // For the page, once the run has ended: no more music, and the page's
  // events no longer reach this instance.
  $QoWeb__postset: "Module['qoEndRun'] = function() {" +
                   "  for (var n in QoWeb.tracks) QoWeb.stopTrack(QoWeb.tracks[n]);" +
                   "  QoWeb.tracks = {};" +
                   "  JSEvents.removeAllEventListeners();" +
                   "};",
  $QoWeb: {
    tracks: {},

    host: function() {
      return Module['qoHost'] || {};
    },

    // Runs f as a task of its own, after what already waits (input, paint),
    // without the clamping that nested timers get.
    afterTasks: function(f) {
      var channel = new MessageChannel();
      channel.port1.onmessage = function() {
        channel.port1.close();
        f();
      };
      channel.port2.postMessage(0);
    },

    resume: function(wakeUp, value) {
      if (!ABORT) wakeUp(value);
    },

    // The music's position heard at performance time p, against the demo's
    // running time then. The output timestamp ties the audio clock to
    // performance.now(); before the context reports one, its current time
    // and output latency stand in.
    heardNow: function(context) {
      var stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : null;
      if (stamp && stamp.performanceTime > 0) return stamp;
      var latency = context.outputLatency || context.baseLatency || 0;
      return {contextTime: context.currentTime - latency, performanceTime: performance.now()};
    },

    startTrack: function(track) {
      var context = track.context;
      if (track.closed || track.source) return;
      if (context.state !== 'running') {
        // Started once the browser lets the page make sound (a click, a key).
        if (!track.waiting) {
          track.waiting = function() { QoWeb.startTrack(track); };
          context.addEventListener('statechange', track.waiting);
        }
        return;
      }
      if (track.waiting) context.removeEventListener('statechange', track.waiting);
      track.waiting = null;
      // Scheduled a little ahead; the offset is where the demo's clock will
      // be when that moment is heard, so a late start joins the music where
      // the demo has got to.
      var lead = 0.05;
      var stamp = QoWeb.heardNow(context);
      var when = context.currentTime + lead;
      var heardAt = stamp.performanceTime + (when - stamp.contextTime) * 1000;
      var offset = (heardAt - track.zero) / 1000;
      if (offset < 0) {
        when -= offset;
        offset = 0;
      }
      if (offset >= track.buffer.duration) return;
      var source = context.createBufferSource();
      source.buffer = track.buffer;
      source.connect(context.destination);
      source.start(when, offset);
      track.source = source;
      track.when = when;
      track.offset = offset;
    },

    stopTrack: function(track) {
      if (track.source) track.source.stop();
      track.source = null;
      track.closed = true;
      if (track.waiting) track.context.removeEventListener('statechange', track.waiting);
      track.waiting = null;
    },
  },

  qo_web_yield__deps: ['$QoWeb'],
  qo_web_yield: function() {
    Asyncify.handleSleep(function(wakeUp) {
      QoWeb.afterTasks(function() { QoWeb.resume(wakeUp); });
    });
  },

  qo_web_wait_for_paint__deps: ['$QoWeb'],
  qo_web_wait_for_paint: function() {
    Asyncify.handleSleep(function(wakeUp) {
      var done = false;
      var timer = 0;
      function painted() {
        if (done) return;
        done = true;
        clearTimeout(timer);
        // Animation-frame callbacks run before the paint: go on after it.
        QoWeb.afterTasks(function() { QoWeb.resume(wakeUp); });
      }
      // A hidden page gets no animation frames, only its (throttled) timers.
      if (document.hidden) {
        timer = setTimeout(painted, 0);
      } else {
        requestAnimationFrame(painted);
        timer = setTimeout(painted, 100);
      }
    });
  },

  qo_web_message_box__deps: ['$QoWeb'],
  qo_web_message_box: function(text, caption, type) {
    return Asyncify.handleSleep(function(wakeUp) {
      var show = QoWeb.host().showMessageBox;
      var question = (type & 15) === 4;  // MB_YESNO
      if (!show) {
        err(UTF8ToString(caption) + ': ' + UTF8ToString(text));
        wakeUp(question ? 6 : 1);
        return;
      }
      Promise.resolve(show(UTF8ToString(caption), UTF8ToString(text), type)).then(function(button) {
        QoWeb.resume(wakeUp, button);
      });
    });
  },

  qo_web_stepped_last_frame__deps: ['$QoWeb'],
  qo_web_stepped_last_frame: function() {
    var frame = QoWeb.host().frame;
    return typeof frame === 'number' && frame >= 0 ? frame : -1;
  },

  qo_web_stepped_first_drawn__deps: ['$QoWeb'],
  qo_web_stepped_first_drawn: function() {
    var first = QoWeb.host().drawFrom;
    return typeof first === 'number' && first >= 0 ? first : -1;
  },

  qo_web_set_title__deps: ['$QoWeb'],
  qo_web_set_title: function(title) {
    var host = QoWeb.host();
    if (host.title) host.title(UTF8ToString(title));
  },

  qo_web_presented__deps: ['$QoWeb'],
  qo_web_presented: function(frame) {
    var host = QoWeb.host();
    if (host.presented) host.presented(frame, performance.now());
  },

  qo_web_drew__deps: ['$QoWeb'],
  qo_web_drew: function(frame) {
    if (Module['canvas']) Module['canvas'].dataset.frame = String(frame);
    var host = QoWeb.host();
    if (host.drew) host.drew(frame);
  },

  qo_web_finish_frame__deps: ['$GL'],
  qo_web_finish_frame: function() {
    // WebGL's finish() does not wait here; reading a pixel back does.
    var gl = GL.currentContext && GL.currentContext.GLctx;
    if (gl) gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  },

  qo_web_show_cursor: function(show) {
    if (Module['canvas']) Module['canvas'].style.cursor = show ? '' : 'none';
  },

  qo_web_music_play__deps: ['$QoWeb'],
  qo_web_music_play: function(path, name, zero) {
    var host = QoWeb.host();
    var context = host.audioContext;
    if (!context) return 266;  // MCIERR_CANNOT_LOAD_DRIVER
    name = UTF8ToString(name);
    if (QoWeb.tracks[name]) QoWeb.stopTrack(QoWeb.tracks[name]);
    var bytes = FS.readFile(UTF8ToString(path));
    var track = {context: context, zero: zero, closed: false, source: null, buffer: null, waiting: null};
    QoWeb.tracks[name] = track;
    var decoded = host.decodeAudio ? host.decodeAudio(name, bytes) : context.decodeAudioData(bytes.buffer);
    Promise.resolve(decoded).then(function(buffer) {
      track.buffer = buffer;
      QoWeb.startTrack(track);
    }, function() {
      // Music the browser cannot decode leaves the run silent.
    });
    host.clocks = function() {
      if (!track.source) return null;
      var stamp = QoWeb.heardNow(context);
      return {
        audio: stamp.contextTime - track.when + track.offset,
        demo: (stamp.performanceTime - track.zero) / 1000,
      };
    };
    return 0;
  },

  qo_web_music_stop__deps: ['$QoWeb'],
  qo_web_music_stop: function(name) {
    var track = QoWeb.tracks[UTF8ToString(name)];
    if (track && track.source) {
      track.source.stop();
      track.source = null;
    }
    if (track) track.closed = true;
    return 0;
  },

  qo_web_music_close__deps: ['$QoWeb'],
  qo_web_music_close: function(name) {
    name = UTF8ToString(name);
    var track = QoWeb.tracks[name];
    if (track) QoWeb.stopTrack(track);
    delete QoWeb.tracks[name];
    return 0;
  },
});
