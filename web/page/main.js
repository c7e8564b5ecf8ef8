// Starts the game in the page: loads the WebAssembly build with its
// interface description, takes over the first frame the page already shows
// (first.js), then forwards taps, keys and timer ticks to it and hands each
// new frame to the renderer. After start only the other screens' pictures
// are fetched; the service worker keeps the game's own files for the next visit.
import createBuddycare from './buddycare.js';
import { createAudio } from './audio.js';

const {
  api, renderer, first, language, takeOver, fontsReady, decode, picturesOf, pictureUrl, keptProgress, storeProgress,
  downloads,
} = window.buddycareFirst;

const started = performance.now();
const stage = document.getElementById('stage');
const loading = document.getElementById('loading');
const loadingText = document.getElementById('loading-text');
const loadingBar = document.getElementById('loading-bar');

function fail(message) {
  if (loading.classList.contains('problem')) return;
  console.error(`buddycare: ${message}`);
  loading.hidden = false;
  loading.classList.add('problem');
  loadingBar.hidden = true;
  loadingText.textContent = `The game could not start: ${message}. Please reload the page.`;
}

// The game's console lines arrive on its error stream; only warnings are problems.
function consoleLine(text) {
  if (/: warning: /.test(text)) console.warn(text);
  else console.log(text);
}

// How wide a line is in the page's own typeface, for the game to fit its
// texts with: the one thing about text only the browser knows.
function textMeasure() {
  const context = document.createElement('canvas').getContext('2d');
  const family = getComputedStyle(document.body).fontFamily;
  return (line, size, bold) => {
    context.font = `${bold ? 700 : 400} ${size}px ${family}`;
    return context.measureText(line).width;
  };
}

// The WebAssembly game with a started session, or an error saying why not.
async function startGame() {
  const [compiled, data] = await Promise.all([
    downloads.compiled,
    downloads.data,
  ]);
  const Module = await createBuddycare({
    print: consoleLine,
    printErr: consoleLine,
    onAbort: (what) => fail(`the game stopped: ${what}`),
    measureText: textMeasure(),
    instantiateWasm(imports, ready) {
      WebAssembly.instantiate(compiled, imports).then((instance) => ready(instance, compiled))
        .catch((error) => fail(`buddycare.wasm would not run (${error.message})`));
      return {};
    },
    getPreloadedPackage(name, size) {
      if (data.byteLength !== size) throw new Error(`buddycare.data is cut short (${data.byteLength} of ${size} bytes)`);
      return data.buffer;
    },
  });
  performance.mark('buddycare-loaded');
  const call = (name, types = [], args = []) => JSON.parse(Module.ccall(name, 'string', types, args));
  const params = new URLSearchParams(window.location.search);
  const seed = params.has('seed') ? Number(params.get('seed')) : NaN;
  const seeded = Number.isInteger(seed) && seed >= 0;
  const begun = call('bc_start', ['number', 'number', 'string', 'string'],
    [seeded ? 1 : 0, seeded ? seed : 0, language, keptProgress()]);
  if (begun.error) throw new Error(begun.error);
  storeProgress(call); // a kept entry the game could not trust goes aside
  performance.mark('buddycare-started');
  document.querySelector('#turn > p').textContent = begun.words.turn;
  document.getElementById('bar').setAttribute('aria-label', begun.words.navigation);
  return { Module, call, words: begun.words };
}

// Every input goes to the game, which alone decides whether it counts (a
// screen still moving refuses it); after each, a new frame and the next
// wake-up. Timers wake the game when they are due, and while something
// moves each of the browser's frames asks for the game's.
function playLoop({ Module, call, audio }) {
  let timer = 0;
  let moving = false;
  const redraw = () => {
    const frame = call('bc_frame');
    renderer.render(frame);
    api.frames += 1;
    audio.drain();
    if (frame.animating && !moving) {
      moving = true;
      requestAnimationFrame(() => {
        moving = false;
        tick(true);
      });
    }
  };
  const schedule = () => {
    clearTimeout(timer);
    const ms = Module._bc_next_wake_ms();
    if (ms >= 0) timer = setTimeout(tick, Math.ceil(ms) + 1);
  };
  function tick(always) {
    if (Module._bc_tick() || always === true) redraw();
    storeProgress(call);
    schedule();
  }
  const after = (outcome) => {
    redraw();
    storeProgress(call);
    schedule();
    return outcome;
  };
  const KEYS = { next: 0, previous: 1, activate: 2, up: 3, down: 4 };
  const handlers = {
    tap: (screen, index) => after(call('bc_tap', ['number', 'number'], [screen, index])),
    step: (screen, index, up) => after(call('bc_step', ['number', 'number', 'number'], [screen, index, up ? 1 : 0])),
    back: () => after(call('bc_nav_back')),
    focus(screen, name) {
      Module.ccall('bc_focus', null, ['number', 'string'], [screen, name]);
      after();
    },
    // A key for a control: the game's focus goes with the browser's, then the key.
    key(screen, name, key) {
      if (renderer.focused !== name) Module.ccall('bc_focus', null, ['number', 'string'], [screen, name]);
      Module._bc_key(KEYS[key]);
      after();
    },
    pointer(kind, x, y) {
      Module._bc_pointer(kind, x, y);
      after();
    },
  };
  return { handlers, schedule, tick };
}

// The loader of the game's pictures reports a file that did not come only as
// an uncaught error, and then never finishes: until the game runs, any such
// error means it will not start.
function failOnStrayErrors() {
  const stray = (event) => fail(event.message || 'a file of the game did not load');
  window.addEventListener('error', stray);
  return () => window.removeEventListener('error', stray);
}

async function start() {
  const stopWatching = failOnStrayErrors();
  // The code downloads and compiles off the page's thread while the first
  // frame waits for its pictures; the session starts as soon as the code is
  // there, and takes over the first frame once the browser has shown it.
  const game = await startGame();
  game.audio = createAudio(game.Module, game.call);
  const loop = playLoop(game);

  const motion = window.matchMedia('(prefers-reduced-motion: reduce)');
  const moves = () => game.Module._bc_set_motion(motion.matches ? 0 : 1);
  moves();
  motion.addEventListener('change', moves);
  // The game's font is ready before the game fits a text in it, and the
  // first screen's pictures are before it shows.
  loadingBar.value = 0.9;
  await Promise.all([fontsReady(), first.shown]);
  const live = game.call('bc_frame');
  if (first.frame) {
    // The frame on the screen is the game's own: taking it over changes nothing.
    api.takeover = { same: JSON.stringify(live) === JSON.stringify(first.frame), changes: 0 };
    const watch = new MutationObserver((records) => { api.takeover.changes += records.length; });
    watch.observe(stage, { subtree: true, childList: true, attributes: true, characterData: true });
    renderer.render(live);
    api.takeover.changes += watch.takeRecords().length;
    watch.disconnect();
  } else {
    loadingBar.value = 0.95;
    await decode(picturesOf(live));
    renderer.render(live);
  }
  performance.mark('buddycare-pictures-ready');
  loadingBar.value = 1;
  loading.hidden = true;
  api.frames += 1;
  game.audio.drain();
  takeOver(loop.handlers);
  loop.schedule();
  await new Promise((resolve) => requestAnimationFrame(() => resolve()));
  // From the start of navigation, as the browser counts it.
  api.firstFrameMs = performance.now();
  api.startupMs = performance.now() - started;
  // The other screens are read once the first is up; a fault in them stops
  // the game as it would have at start.
  const rest = game.call('bc_finish_loading');
  if (rest.error) throw new Error(rest.error);
  stage.dataset.ready = 'true';
  stopWatching();

  document.addEventListener('visibilitychange', loop.tick);
  // Settles once every picture has come (the tests wait for it before counting requests).
  api.restDecoded = decodeTheRest(game.Module.FS);
  api.state = () => game.call('bc_state');
  // The description the page was last handed, for the tests to hold the page to it.
  api.frame = () => game.call('bc_frame');
  keepForNextVisit();
}

// The rest of the pictures come and decode while the child looks at the
// first screen, one at a time between the child's taps, so that a tap is not
// kept waiting.
function decodeTheRest(FS) {
  const left = new TextDecoder().decode(FS.readFile('/resources/pictures.txt')).split('\n').filter(Boolean);
  return new Promise((done) => {
    const next = () => {
      const name = left.shift();
      if (name === undefined) done();
      else decode([pictureUrl(name)]).then(() => setTimeout(next, 0));
    };
    setTimeout(next, 0);
  });
}

// Once the game runs, its files are kept for the next visit and for playing
// with no network. Only a secure page may have a service worker.
function keepForNextVisit() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn(`buddycare: the game will need the network next time (${error.message})`);
  });
}

api.ready = start().catch((error) => {
  fail(error && error.message ? error.message : String(error));
});
