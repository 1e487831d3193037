// The page around the program: checks for WebGL 2, loads the program and its
// data with a bar, sizes the canvas, and shows whatever the program says
// instead of a blank or frozen canvas.
'use strict';
(function () {
  const canvas = document.getElementById('canvas');
  const loading = document.getElementById('loading');
  const fill = document.getElementById('loading-fill');
  const loadingText = document.getElementById('loading-text');
  const message = document.getElementById('message');
  const params = new URLSearchParams(location.search);

  // The run's state, for whoever watches the page (the browser tests).
  const state = (window.emberwight = { frames: 0, firstFrameMs: null, message: null, stopped: false,
    camera: null, contextLost: false, loadBytes: 0, sound: 'none' });

  function show(text, fatal) {
    message.textContent = text;
    message.hidden = false;
    message.classList.toggle('fatal', fatal);
    state.message = text;
    if (fatal) {
      state.stopped = true;
      loading.hidden = true;
      canvas.hidden = true;
    }
  }

  // A fixed drawing buffer when the address gives both sizes; otherwise the
  // canvas's size on the page times the display's pixel ratio.
  const fixedWidth = Number(params.get('width'));
  const fixedHeight = Number(params.get('height'));
  const fixed = Number.isInteger(fixedWidth) && Number.isInteger(fixedHeight) &&
                fixedWidth > 0 && fixedHeight > 0;
  function fit() {
    if (fixed) {
      canvas.classList.add('fixed');
      canvas.width = fixedWidth;
      canvas.height = fixedHeight;
      return;
    }
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
  }
  new ResizeObserver(fit).observe(canvas);
  window.addEventListener('resize', fit);

  // The function keys, Tab and SPACE are the demo's while it runs; F12 and
  // the rest stay the browser's.
  window.addEventListener('keydown', (event) => {
    const demoKey = /^F([1-9]|1[01])$/.test(event.key) || event.key === 'Tab' || event.key === ' ';
    if (demoKey && !state.stopped) event.preventDefault();
  });

  // Touch: one finger dragged over the picture looks around, a drag across
  // the whole canvas worth a half turn of the mouse (720 of its pixels at a
  // quarter degree); a finger held in the lower-left quarter walks the way it
  // slides from where it came down, as W A S D do, with a stick under it; the
  // buttons press the tour, glow, panel, help and mute keys. Calls reach the
  // program once it runs (app/surface/BrowserSurface.cpp).
  const stick = document.getElementById('stick');
  const buttons = document.getElementById('buttons');
  const call = (name, types, args) => {
    if (loaded && !state.stopped) Module.ccall(name, null, types, args);
  };
  const fingers = new Map();  // identifier -> { x, y, walk, startX, startY }
  function becomeTouch() {
    if (document.body.classList.contains('touch')) return;
    document.body.classList.add('touch');
    buttons.hidden = false;
    call('emberwight_touch_screen', [], []);
  }
  // The first finger is the settings panel's mouse too, in the canvas's pixels.
  function point(touch, down) {
    const box = canvas.getBoundingClientRect();
    call('emberwight_touch_pointer', ['number', 'number', 'number'],
      [(touch.clientX - box.left) * canvas.width / box.width,
        (touch.clientY - box.top) * canvas.height / box.height, down ? 1 : 0]);
  }
  function walkFrom(finger) {
    const dead = 12, dx = finger.x - finger.startX, dy = finger.y - finger.startY;
    call('emberwight_touch_walk', ['number', 'number', 'number', 'number'],
      [dy < -dead, dy > dead, dx < -dead, dx > dead].map(Number));
  }
  canvas.addEventListener('touchstart', (event) => {
    event.preventDefault();  // no mouse events made up from it: no click, no pointer lock
    becomeTouch();
    point(event.changedTouches[0], true);
    const box = canvas.getBoundingClientRect();
    for (const touch of event.changedTouches) {
      const walk = touch.clientX - box.left < box.width / 2 &&
                   touch.clientY - box.top > box.height / 2;
      fingers.set(touch.identifier, { x: touch.clientX, y: touch.clientY, walk,
        startX: touch.clientX, startY: touch.clientY });
      if (walk) {
        stick.style.left = touch.clientX + 'px';
        stick.style.top = touch.clientY + 'px';
        stick.hidden = false;
      }
    }
  }, { passive: false });
  canvas.addEventListener('touchmove', (event) => {
    event.preventDefault();
    point(event.changedTouches[0], true);
    const scale = 720 / Math.max(1, canvas.getBoundingClientRect().width);
    for (const touch of event.changedTouches) {
      const finger = fingers.get(touch.identifier);
      if (!finger) continue;
      const dx = touch.clientX - finger.x, dy = touch.clientY - finger.y;
      finger.x = touch.clientX;
      finger.y = touch.clientY;
      if (finger.walk) walkFrom(finger);
      else call('emberwight_touch_look', ['number', 'number'], [dx * scale, dy * scale]);
    }
  }, { passive: false });
  const lift = (event) => {
    if (event.touches.length === 0) point(event.changedTouches[0], false);
    for (const touch of event.changedTouches) {
      const finger = fingers.get(touch.identifier);
      if (finger && finger.walk) {
        call('emberwight_touch_walk', ['number', 'number', 'number', 'number'], [0, 0, 0, 0]);
        stick.hidden = true;
      }
      fingers.delete(touch.identifier);
    }
  };
  canvas.addEventListener('touchend', lift);
  canvas.addEventListener('touchcancel', lift);
  for (const button of buttons.querySelectorAll('button')) {
    const press = () => {
      // The Sound button pressed first starts the sound; muting it at once
      // would leave the first tap silent.
      if (startedBy === button) {
        startedBy = null;
        return;
      }
      call('emberwight_press', ['string'], [button.dataset.key]);
    };
    button.addEventListener('click', press);
  }
  if (window.matchMedia('(pointer: coarse)').matches) {
    document.body.classList.add('touch');
    buttons.hidden = false;
  }

  // The sound plays through Emscripten's OpenAL on a WebAudio context. It
  // starts with the first click, touch or key on the page, in every browser:
  // most play sound only after such a gesture, and one that plays it at once
  // would start it in a tab opened in the background. (A touch counts where
  // it ends too, where a phone's browser allows sound.)
  let gestured = false;
  let startedBy = null;  // the Sound button, where its press was the first gesture
  const held = new WeakSet();
  function soundContexts() {
    const al = loaded ? Module.AL : null;
    return al ? Object.values(al.contexts).map((context) => context.audioCtx) : [];
  }
  function holdSound() {
    if (gestured) return;
    for (const audio of soundContexts()) {
      if (audio.state === 'running' || !held.has(audio)) audio.suspend();
      held.add(audio);
    }
  }
  function startSound(event) {
    if (!gestured) {
      const button = event.target.closest ? event.target.closest('button') : null;
      startedBy = button && button.dataset.key === 'M' ? button : null;
    }
    gestured = true;
    for (const audio of soundContexts()) if (audio.state === 'suspended') audio.resume();
  }
  for (const gesture of ['pointerdown', 'mousedown', 'touchstart', 'touchend', 'keydown', 'click']) {
    document.addEventListener(gesture, startSound, true);
  }

  // A lost context (a background tab, a GPU reset): the program lets its GL
  // objects go and stops drawing and its clock (app/surface/BrowserSurface.cpp);
  // the page says so. Once the browser gives a context back the program makes
  // them again and goes on where it stood. Where none comes back, the message
  // offers a reload at the same camera pose, which the address carries.
  function poseAddress() {
    const query = new URLSearchParams(location.search);
    const pose = /^camera (\S+) (\S+) (\S+) direction \S+ \S+ \S+ yaw (\S+) pitch (\S+)$/
      .exec(state.camera || '');
    if (pose) query.set('camera', pose.slice(1).join(','));
    return location.pathname + '?' + query.toString();
  }
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();  // a context may come back only where the loss is handled
    if (state.stopped) return;
    state.contextLost = true;
    show('The browser took the graphics context away; waiting for it to come back.', false);
    const reload = document.createElement('a');
    reload.href = poseAddress();
    reload.textContent = ' Reload here';
    message.appendChild(reload);
  });
  canvas.addEventListener('webglcontextrestored', () => {
    if (state.stopped) return;
    state.contextLost = false;
    state.message = null;
    message.hidden = true;
  });

  if (!document.createElement('canvas').getContext('webgl2')) {
    show('Emberwight needs WebGL 2, which this browser does not offer (or has turned off).', true);
    return;
  }

  function megabytes(bytes) {
    return (bytes / 1e6).toFixed(1);
  }
  let loaded = false;
  let picked = false;  // a picked file has arrived

  // The bar counts the program (emberwight.wasm, fetched here) and its data
  // (emberwight.data, which Emscripten's loader reports) together.
  const progress = { wasm: [0, 0], data: [0, 0] };
  function showProgress(part, done, total) {
    progress[part] = [done, total];
    const all = progress.wasm[0] + progress.data[0];
    const whole = progress.wasm[1] + progress.data[1];
    const share = whole > 0 ? Math.round((100 * all) / whole) : 0;
    fill.style.width = share + '%';
    loading.setAttribute('aria-valuenow', String(share));
    loadingText.textContent = `Loading ${megabytes(all)} of ${megabytes(whole)} MB (${share} %)`;
    state.loadBytes = whole;
  }
  async function fetchCounted(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${response.statusText} : ${response.url}`);
    const total = Number(response.headers.get('Content-Length')) || 0;
    const reader = response.body.getReader();
    const chunks = [];
    let done = 0;
    for (;;) {
      const { value, done: end } = await reader.read();
      if (end) break;
      chunks.push(value);
      done += value.length;
      showProgress('wasm', done, Math.max(total, done));
    }
    const bytes = new Uint8Array(done);
    let at = 0;
    for (const chunk of chunks) {
      bytes.set(chunk, at);
      at += chunk.length;
    }
    return bytes;
  }

  window.Module = {
    canvas,
    print(line) {
      console.log(line);
      const error = /^Error:\s*(.*)$/.exec(line);
      if (error) show('The program stopped: ' + error[1], true);
    },
    printErr(line) {
      console.warn(line);
    },
    // Emscripten's loader reports "Downloading data... (loaded/total)".
    setStatus(text) {
      const counted = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
      if (counted) showProgress('data', Number(counted[1]), Number(counted[2]));
    },
    instantiateWasm(imports, receive) {
      fetchCounted('emberwight.wasm')
        .then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then((result) => receive(result.instance, result.module))
        .catch((error) => show('The program could not be loaded: ' + error.message, true));
      return {};
    },
    onAbort(what) {
      show((loaded ? 'The program stopped: ' : 'The program could not be loaded: ') + what, true);
    },
    onRuntimeInitialized() {
      loaded = true;
      loading.hidden = true;
      fit();
      start();
    },
    // Called by the program (app/web/BrowserPage.cpp).
    showMessage(text) {
      show(text, true);
    },
    stoppedAfter(text) {
      state.stopped = true;
      show(text, false);
    },
    // The panel's Save: the file the program wrote, as a download.
    offerDownload(path) {
      const bytes = Module.FS.readFile(path);
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/json' }));
      link.download = path.slice(path.lastIndexOf('/') + 1);
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },
    // The panel's Load: the file the person picks, written where the program
    // reads it; the program loads it once it is there.
    pickFile(path) {
      const input = document.createElement('input');
      input.type = 'file';
      input.accept = '.json,application/json';
      input.addEventListener('change', async () => {
        const file = input.files[0];
        if (!file) return;
        Module.FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
        picked = true;
      });
      input.click();
    },
    takePickedFile() {
      const arrived = picked;
      picked = false;
      return arrived;
    },
    frameDrawn(count, pose) {
      state.frames = count;
      state.camera = pose;
      holdSound();
      const [audio] = soundContexts();
      state.sound = audio ? audio.state : 'none';
      if (state.firstFrameMs === null) state.firstFrameMs = performance.now();
    },
  };

  // A settings file beside the page is fetched into the program's files
  // under the same name first; one that cannot be fetched is reported by the
  // program, in the command line's words.
  async function start() {
    const settings = params.get('settings');
    if (settings) {
      const url = new URL(settings, location.href);
      if (url.origin === location.origin) {
        try {
          const response = await fetch(url);
          if (response.ok) {
            const path = '/' + settings.replace(/^\/+/, '');
            Module.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')) || '/');
            Module.FS.writeFile(path, new Uint8Array(await response.arrayBuffer()));
          }
        } catch (error) {
          console.warn(`settings file ${settings}: ${error}`);
        }
      }
    }
    Module.callMain([location.search, String(canvas.width), String(canvas.height)]);
    holdSound();
    if (document.body.classList.contains('touch')) call('emberwight_touch_screen', [], []);
    fit();
  }

  // A file that fails to arrive (the data package, say) is reported where
  // the loader throws.
  window.addEventListener('error', (event) => {
    if (!loaded && event.error && !state.stopped) {
      show('The program could not be loaded: ' + event.error.message, true);
    }
  });

  const program = document.createElement('script');
  program.src = 'emberwight.js';
  program.onerror = () => show('The program could not be loaded: emberwight.js is missing.', true);
  document.body.appendChild(program);
})();
