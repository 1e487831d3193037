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
  const state = (window.emberwight = { frames: 0, firstFrameMs: null, message: null, stopped: false });

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

  if (!document.createElement('canvas').getContext('webgl2')) {
    show('Emberwight needs WebGL 2, which this browser does not offer (or has turned off).', true);
    return;
  }

  function megabytes(bytes) {
    return (bytes / 1e6).toFixed(1);
  }
  let loaded = false;
  let picked = false;  // a picked file has arrived

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
      const progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
      if (!progress) return;
      const done = Number(progress[1]), total = Number(progress[2]);
      const share = total > 0 ? Math.round((100 * done) / total) : 0;
      fill.style.width = share + '%';
      loading.setAttribute('aria-valuenow', String(share));
      loadingText.textContent = `Loading ${megabytes(done)} of ${megabytes(total)} MB (${share} %)`;
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
    frameDrawn(count) {
      state.frames = count;
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
