// The page in Debian's Chromium, headless, driven through the DevTools
// protocol as a visitor would: it loads and draws, matches the Linux build's
// ES picture, answers keys, and says what went wrong where something did.
//   node page.mjs BASE_URL WORK_DIR PNGSTAT
// WORK_DIR holds the Linux reference (linux-pose.png); the browser's pictures
// are written beside it.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import puppeteer from 'puppeteer-core';

const [base, work, pngstatBinary] = process.argv.slice(2);
let failures = 0;
function check(what, ok) {
  console.log(`${ok ? 'ok' : 'FAIL'}: ${what}`);
  if (!ok) failures += 1;
}
const pngstat = (...args) => execFileSync(pngstatBinary, args, { encoding: 'utf8' }).trim();

// SwiftShader: WebGL 2 without a GPU. (As root, Chromium needs --no-sandbox.)
function launch(extra = []) {
  const args = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...extra];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args });
}

// A phone held upright: an iPhone 13's page, at one device pixel per CSS
// pixel to keep SwiftShader quick.
const kPhone = { width: 390, height: 664, deviceScaleFactor: 1, isMobile: true, hasTouch: true };

// Opens the page at `query` and waits until `ready(state)` holds for the
// page's window.emberwight (or it has stopped).
async function visit(browser, query, { ready = 'stopped', frames = 0, onRequest, scale = 1,
                                       viewport = { width: 640, height: 480, deviceScaleFactor: scale } } = {}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const log = [];
  page.on('console', (message) => log.push(message.text()));
  page.on('pageerror', (error) => log.push('pageerror: ' + error.message));
  if (onRequest) {
    await page.setRequestInterception(true);
    page.on('request', onRequest);
  }
  await page.goto(base + query);
  await waitFor(page, ready, frames);
  return { page, log };
}

async function waitFor(page, ready, frames) {
  await page.waitForFunction(
    (ready, frames) => {
      const state = window.emberwight;
      return state && (state.stopped || (ready === 'frames' && state.frames >= frames));
    },
    { timeout: 120000, polling: 50 }, ready, frames);
  return page.evaluate(() => ({ ...window.emberwight }));
}

const state = (page) => page.evaluate(() => ({ ...window.emberwight }));
// The loudness of what the page plays (RMS over 0.25 s), read by an analyser
// on the output of its OpenAL context.
const loudness = (page) => page.evaluate(async () => {
  const context = Object.values(Module.AL.contexts)[0];
  const analyser = context.audioCtx.createAnalyser();
  analyser.fftSize = 8192;
  context.gain.connect(analyser);
  await new Promise((resolve) => setTimeout(resolve, 300));
  const samples = new Float32Array(analyser.fftSize);
  analyser.getFloatTimeDomainData(samples);
  context.gain.disconnect(analyser);
  return Math.sqrt(samples.reduce((sum, sample) => sum + sample * sample, 0) / samples.length);
});
const shoot = async (page, name) => {
  const path = `${work}/${name}.png`;
  await (await page.$('#canvas')).screenshot({ path });
  return path;
};
// A key tapped, down and up between two frames: the program counts the press
// all the same, in the next frame.
async function press(page, key) {
  const { frames } = await state(page);
  await page.keyboard.press(key);
  await waitFor(page, 'frames', frames + 2);
}
// A key held over a few frames: full screen needs the browser's user gesture,
// which the key's release brings after the frame has asked for it.
async function hold(page, key) {
  const { frames } = await state(page);
  await page.keyboard.down(key);
  await waitFor(page, 'frames', frames + 4);
  await page.keyboard.up(key);
  await waitFor(page, 'frames', frames + 8);
}

const browser = await launch();
try {
  // Poses without fire, at a fixed frame time, against the Linux build's ES
  // path; with GL errors read after every frame.
  for (const [name, camera] of [['ground', '-3,7,2,225,-22'], ['sky', '0,60,0,90,0']]) {
    // The whole size: a frame-rate target would pick the scale by the browser's speed.
    const query = `?width=320&height=240&frames=30&fixed-dt=0.05&camera=${camera}&gl-debug=1` +
      '&target-fps=0';
    const { page, log } = await visit(browser, query);
    const s = await state(page);
    check(`${name}: draws the frames asked for (${s.frames}) and says so ("${s.message}")`,
      s.frames === 30 && s.message === 'Stopped after 30 frames');
    check(`${name}: no GL error in any frame`, log.includes('GL errors: 0') &&
      !log.some((line) => line.startsWith('GL error:')));
    const shot = await shoot(page, `browser-${name}`);
    const apart = Number(pngstat('diff', shot, `${work}/linux-${name}.png`));
    check(`${name}: the Linux build's ES picture, ${apart} % apart (at most 1.5 %)`, apart <= 1.5);
    check(`${name}: not a blank picture`, Number(pngstat('mean', shot).split(' ')[0]) > 5);
    // The loading bar counted the program and its data, as served.
    const served = await page.evaluate(async () => {
      let bytes = 0;
      for (const file of ['emberwight.wasm', 'emberwight.data']) {
        bytes += Number((await fetch(file, { method: 'HEAD' })).headers.get('Content-Length'));
      }
      return bytes;
    });
    check(`${name}: the loading bar counts the program and its data (${s.loadBytes} of ${served} bytes)`,
      s.loadBytes === served);
    console.log(`${name}: first frame ${Math.round(s.firstFrameMs)} ms after the page's start`);
    await page.close();
  }

  // The same fire at every frame rate: the particles alive per kind, the
  // mean of the counts from 4 to 8 s of scene time, at frames of 1/8 and 1/30 s.
  // The anti-aliasing: SwiftShader's own, post, by default; msaa where the
  // address asks for it.
  {
    const alive = [];
    for (const [perSecond, antialias, address] of [[8, 'post', ''], [30, 'msaa', '&antialias=msaa']]) {
      const query = `?width=64&height=48&frames=${8 * perSecond}&fixed-dt=${1 / perSecond}` +
        `&stats=${perSecond}&camera=0,4,-9,0,-5&gl-debug=1${address}`;
      const { page, log } = await visit(browser, query);
      const stats = log.filter((line) => line.startsWith('stats frame'));
      check(`antialias ${antialias}${address ? ' from the address' : ' by default'} ` +
        `("${stats.at(-1)}")`, stats.length > 0 && stats.every((line) =>
        line.includes(` antialias ${antialias} `)));
      check(`no GL error with antialias ${antialias}`, log.includes('GL errors: 0'));
      const samples = stats.slice(3)
        .map((line) => line.match(/alive (\d+) (\d+) (\d+) (\d+)/).slice(1).map(Number));
      alive.push([0, 1, 2, 3].map((kind) =>
        samples.reduce((sum, sample) => sum + sample[kind], 0) / Math.max(samples.length, 1)));
      await page.close();
    }
    const apart = alive[0].map((count, kind) => Math.abs(count - alive[1][kind]) / alive[1][kind]);
    check(`the same fire at frames of 1/8 and 1/30 s: alive per kind ${alive[0].map(Math.round)} ` +
      `and ${alive[1].map(Math.round)} (at most 10 % apart)`,
      apart.every((share) => share <= 0.1) && alive[1].every((count) => count > 100));
  }

  // The fire moves; Tab opens the panel; a digit does its F key's toggle.
  {
    const { page, log } = await visit(browser, '?width=320&height=240', { ready: 'frames', frames: 10 });
    const first = await shoot(page, 'fire-1');
    await waitFor(page, 'frames', (await state(page)).frames + 10);
    const second = await shoot(page, 'fire-2');
    const moved = Number(pngstat('diff', first, second, '100', '40', '220', '200'));
    check(`the fire moves between two frames (${moved} %)`, moved > 0.2);

    // The sound waits for a gesture; the first click starts it, and M
    // mutes it and brings it back.
    const before = (await state(page)).sound;
    // A click locks the pointer for mouse look; F11 asks for full screen and
    // F11 again leaves it; the open panel frees the pointer.
    await page.mouse.click(320, 120);
    await waitFor(page, 'frames', (await state(page)).frames + 4);
    const playing = await loudness(page);
    check(`the sound waits for the first click ("${before}", then "${(await state(page)).sound}") ` +
      `and plays (RMS ${playing.toFixed(4)})`,
      before === 'suspended' && (await state(page)).sound === 'running' && playing > 0.001);
    await press(page, 'm');
    const muted = await loudness(page);
    await press(page, 'm');
    // A frame slower than the queue ahead (a loaded machine) lets it run dry
    // for a moment; the next frame refills it.
    let unmuted = await loudness(page);
    for (let tries = 0; tries < 3 && unmuted <= 0.001; ++tries) unmuted = await loudness(page);
    check(`M mutes the sound and brings it back (RMS ${muted.toFixed(4)}, then ${unmuted.toFixed(4)})`,
      log.includes('Sound: muted') && log.includes('Sound: ON') && muted < 1e-4 && unmuted > 0.001);
    const lockedTo = () => page.evaluate(() => document.pointerLockElement?.id ?? null);
    const fullScreen = () => page.evaluate(() => document.fullscreenElement?.id ?? null);
    check('a click locks the pointer to the canvas', (await lockedTo()) === 'canvas');
    await hold(page, 'F11');
    const full = await fullScreen();
    await hold(page, 'F11');
    check(`F11 full screen and back (${full}, ${await fullScreen()})`,
      full === 'canvas' && (await fullScreen()) === null);

    await press(page, '7');
    check('7 does what F7 does', log.includes('Object counter Enabled'));
    const closed = await shoot(page, 'panel-closed');
    await press(page, 'Tab');
    const open = await shoot(page, 'panel-open');
    check('Tab opens the settings panel and frees the pointer', log.includes('Settings panel: ON') &&
      Number(pngstat('diff', closed, open)) > 1 && (await lockedTo()) === null);

    // The panel's Save offers the file it wrote as a download; its Load
    // takes the file picked and hands it to the program once.
    const downloads = `${work}/downloads`;
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await page.evaluate(() => {
      Module.FS.writeFile('/saved.json', '{"fog": {}}');
      Module.offerDownload('/saved.json');
    });
    const saved = `${downloads}/saved.json`;
    for (let i = 0; i < 100 && !fs.existsSync(saved); i += 1) await new Promise((r) => setTimeout(r, 50));
    check('Save: the file as a download', fs.existsSync(saved) &&
      fs.readFileSync(saved, 'utf8') === '{"fog": {}}');
    // With the panel open, as after its Load: a bad file is refused in
    // one line, a good one loaded.
    const pick = async (text) => {
      const picked = `${work}/picked.json`;
      fs.writeFileSync(picked, text);
      const [chooser] = await Promise.all([page.waitForFileChooser(),
        page.evaluate(() => Module.pickFile('/emberwight-settings.json'))]);
      await chooser.accept([picked]);
      await waitFor(page, 'frames', (await state(page)).frames + 10);
    };
    await pick('{"fog": 3}');
    const refused = log.filter((line) => line.includes('emberwight-settings.json'));
    await pick('{}');
    check(`Load: a bad file refused ("${refused.join(' | ')}"), a good one loaded`,
      refused.length === 1 && !refused[0].startsWith('Loaded') &&
      log.includes('Loaded /emberwight-settings.json'));
    await page.close();
  }

  // A target out of reach (240 frames a second on SwiftShader): step by step,
  // within seconds, the page draws the scene at half the size.
  {
    const { page, log } = await visit(browser, '?width=320&height=240&target-fps=240&stats=5',
      { ready: 'frames', frames: 3 });
    const last = () => log.filter((text) => text.startsWith('stats frame')).pop() ?? '';
    for (let waited = 0; waited < 40 && !/ render_scale 0\.50$/.test(last()); ++waited) {
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
    const line = last();
    check(`a target out of reach takes the scale down to 0.5 ("${line}")`,
      / render_scale 0\.50$/.test(line));
    await page.close();
  }

  // A phone held upright: the fire in the picture, a drag looks around
  // without leaving the page, the lower left walks, the buttons press their
  // keys, nothing takes the pointer, and the footer is one line.
  {
    const { page, log } = await visit(browser, '?frames=100000', { ready: 'frames', frames: 8, viewport: kPhone });
    const startUrl = page.url();
    const fire = await shoot(page, 'phone-start');
    // The effigy's flames: bright pixels in the middle of the picture (the
    // scene's clock runs by the browser's, so the fire's growth varies).
    const bright = Number(pngstat('bright', fire, '200', '65', '100', '325', '500'));
    check(`a portrait phone sees the fire (${bright} % bright pixels mid-picture)`, bright > 0.25);

    const camera = async () => (await state(page)).camera;
    const settle = async () => waitFor(page, 'frames', (await state(page)).frames + 3);
    const before = await camera();
    const silent = (await state(page)).sound;
    await page.touchscreen.touchStart(300, 150);
    for (const x of [260, 220, 180, 140]) await page.touchscreen.touchMove(x, 160);
    await page.touchscreen.touchEnd();
    await settle();
    const turned = await camera();
    check(`a drag right to left turns the view and stays on the page (${before} -> ${turned})`,
      turned !== before && page.url() === startUrl);
    check(`the first touch starts the sound ("${silent}", then "${(await state(page)).sound}")`,
      silent === 'suspended' && (await state(page)).sound === 'running');
    const yaw = (pose) => Number(/yaw (\S+)/.exec(pose)[1]);
    // As the mouse moved left would: 160 of the canvas's 390 pixels, 295 of the mouse's.
    check(`a drag to the left turns as the mouse would (yaw ${yaw(turned)})`,
      Math.abs(yaw(turned) - yaw(before) - 73.85) < 1);

    await page.touchscreen.touchStart(80, 500);
    await page.touchscreen.touchMove(80, 440);
    const stickShown = await page.evaluate(() => !document.getElementById('stick').hidden);
    await waitFor(page, 'frames', (await state(page)).frames + 4);
    await page.touchscreen.touchEnd();
    await settle();
    const position = (pose) => pose.split(' ').slice(1, 4).join(' ');
    check(`a finger slid up in the lower left walks (${position(turned)} -> ` +
      `${position(await camera())}), a stick under it`,
      position(await camera()) !== position(turned) && stickShown);

    await page.click('#buttons button[data-key="G"]');
    await settle();
    check('the Glow button presses G', log.includes('Glow: ON'));
    await page.click('#buttons button[data-key="M"]');
    await settle();
    check('the Sound button presses M', log.includes('Sound: muted'));
    // The panel by its button; a tap on its first header folds it.
    await page.click('#buttons button[data-key="Tab"]');
    await settle();
    const panelOpen = await shoot(page, 'phone-panel');
    await page.touchscreen.tap(120, 40);
    await settle();
    const folded = Number(pngstat('diff', panelOpen, await shoot(page, 'phone-panel-folded'),
      '0', '0', '390', '400'));
    check(`the panel opens by its button and answers a tap (${folded} % of it changed)`,
      log.includes('Settings panel: ON') && folded > 1);
    const lock = await page.evaluate(() => document.pointerLockElement);
    const footer = await page.evaluate(() => document.getElementById('help').getBoundingClientRect().height);
    check(`no pointer lock on touch, a one-line footer (${footer} px)`, lock === null && footer < 24);
    await page.close();
  }

  // The Sound button as the very first tap starts the sound, unmuted.
  {
    const { page, log } = await visit(browser, '?frames=100000&width=160&height=120',
                                      { ready: 'frames', frames: 3, viewport: kPhone });
    await page.tap('#buttons button[data-key="M"]');
    const after = await waitFor(page, 'frames', (await state(page)).frames + 3);
    check(`the Sound button tapped first starts the sound unmuted ("${after.sound}")`,
      after.sound === 'running' && !log.includes('Sound: muted'));
    await page.close();
  }

  // A lost context: the page says so and stops counting frames; once the
  // browser gives it back, the program makes its GL objects again and goes on
  // in the same page at the same pose, drawing what it drew, without a GL error.
  {
    // Out beyond the turning structure, which would move between the pictures.
    const rock = '?width=320&height=240&fixed-dt=0.05&camera=20,9,20,0,-15&gl-debug=1&target-fps=0';
    const { page, log } = await visit(browser, rock, { ready: 'frames', frames: 5 });
    await hold(page, 'w');  // walked off the start pose, which the address does not hold
    const before = await shoot(page, 'context-before');
    await page.evaluate(() => {
      window.samePage = true;
      window.loseContext = document.getElementById('canvas').getContext('webgl2')
        .getExtension('WEBGL_lose_context');
      window.loseContext.loseContext();
    });
    await page.waitForFunction(() => window.emberwight.contextLost, { timeout: 10000 });
    const lost = await state(page);
    await new Promise((resolve) => setTimeout(resolve, 1000));
    const later = await state(page);
    check(`a lost context is said ("${lost.message}") and no frame is counted while it is gone ` +
      `(${lost.frames}, then ${later.frames})`,
      /took the graphics context away/.test(lost.message || '') && later.frames === lost.frames);
    await page.evaluate(() => window.loseContext.restoreContext());
    const back = await waitFor(page, 'frames', lost.frames + 3);
    const after = await shoot(page, 'context-after');
    const apart = Number(pngstat('diff', before, after));
    const position = (pose) => (pose || '').split(' ').slice(1, 4).join(' ');
    check(`a context given back goes on in the same page at the same pose (${position(lost.camera)}, ` +
      `then ${position(back.camera)}), the message gone`,
      await page.evaluate(() => window.samePage === true) && !back.contextLost &&
      position(back.camera) === position(lost.camera) && position(lost.camera) !== '20.0000 9.0000 20.0000' &&
      (await page.$eval('#message', (element) => element.hidden)));
    check(`the picture comes back as it was (${apart} % apart, at most 1.5 %), ` +
      `${log.filter((line) => line.startsWith('GL error:')).length} GL errors`,
      apart <= 1.5 && !log.some((line) => line.startsWith('GL error:')));
    await page.close();
  }

  // Without a fixed size the drawing buffer is the canvas's size on the page
  // times the display's pixel ratio, and the frame follows it.
  {
    const { page } = await visit(browser, '?frames=3&camera=-3,7,2,225,-22', { scale: 2 });
    const size = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      return [canvas.width, canvas.height, canvas.clientWidth * 2, canvas.clientHeight * 2];
    });
    const shot = await shoot(page, 'scaled');
    check(`the canvas at twice its page size (${size.join(' ')}), all of it drawn`,
      size[0] === size[2] && size[1] === size[3] &&
      pngstat('size', shot) === `${size[0]}x${size[1]}` &&
      Number(pngstat('mean', shot, String(size[0] - 40), '0', String(size[0]), '40').split(' ')[0]) > 5);
    await page.close();
  }

  // What the page says where the program cannot run.
  {
    const { page } = await visit(browser, '?frames=abc');
    const s = await state(page);
    check(`a bad parameter: "${s.message}"`,
      s.message === "--frames needs a whole number of frames above 0, got 'abc'" && s.frames === 0);
    await page.close();
  }
  for (const [text, expected] of [['{"fog": 3}', 'tuned.json: fog: expected an object, got 3'],
                                  ['{}', 'Stopped after 3 frames']]) {
    const serve = (request) => request.url().endsWith('/tuned.json')
      ? request.respond({ status: 200, contentType: 'application/json', body: text })
      : request.continue();
    const { page } = await visit(browser, '?settings=tuned.json&frames=3', { onRequest: serve });
    const s = await state(page);
    check(`settings=FILE beside the page, ${text}: "${s.message}"`, s.message === expected);
    await page.close();
  }
  {
    const missing = (request) => request.url().endsWith('/emberwight.data')
      ? request.respond({ status: 404, body: 'Not Found' }) : request.continue();
    const { page } = await visit(browser, '', { onRequest: missing });
    const s = await state(page);
    check(`a missing file: "${s.message}"`,
      /^The program could not be loaded: .*emberwight\.data/.test(s.message));
    await page.close();
  }
} finally {
  await browser.close();
}

const withoutWebGl2 = await launch(['--disable-webgl2']);
try {
  const { page } = await visit(withoutWebGl2, '');
  const s = await state(page);
  check(`no WebGL 2: "${s.message}"`, /^Emberwight needs WebGL 2/.test(s.message));
} finally {
  await withoutWebGl2.close();
}

console.log(failures === 0 ? 'all passed' : `${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
