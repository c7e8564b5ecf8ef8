// Starts the game in the page: loads the WebAssembly build with its pictures
// and interface description, then forwards taps, keys and timer ticks to it
// and hands each new frame to the renderer. Nothing is fetched after start;
// the service worker keeps the game's own files for the next visit.
import createBuddycare from './buddycare.js';
import { Renderer } from './view.js';
import { downloads } from './load.js';
import { createAudio } from './audio.js';
import { keptProgress, storeProgress } from './keep.js';

const started = performance.now();
const stage = document.getElementById('stage');
const loading = document.getElementById('loading');
const loadingText = document.getElementById('loading-text');
const loadingBar = document.getElementById('loading-bar');

const api = {
  firstFrameMs: null,
  frames: 0,
  ready: null,
};
window.buddycare = api;

function fail(message) {
  if (loading.classList.contains('problem')) return;
  console.error(`buddycare: ${message}`);
  loading.hidden = false;
  loading.classList.add('problem');
  loadingBar.hidden = true;
  loadingText.textContent = `The game could not start: ${message}. Please reload the page.`;
}

// A finger on the game plays it and nothing else: no swipe back, no zoom,
// no menu, no selection. A held key taps once, as in the window.
function guardTouchAndKeys() {
  for (const type of ['contextmenu', 'selectstart', 'dragstart', 'gesturestart']) {
    document.addEventListener(type, (event) => event.preventDefault());
  }
  document.addEventListener('keydown', (event) => {
    if (event.repeat && event.key !== 'Tab') {
      event.preventDefault();
      event.stopImmediatePropagation();
    }
  }, true);
}

// The game's console lines arrive on its error stream; only warnings are problems.
function consoleLine(text) {
  if (/: warning: /.test(text)) console.warn(text);
  else console.log(text);
}

// The canvas, at the size the game gives it, scaled whole into the window
// and centred. Until the game has said, the stage is the window.
let canvas = null;
function fitStage() {
  if (!canvas) return;
  const scale = Math.min(window.innerWidth / canvas.width, window.innerHeight / canvas.height);
  const left = (window.innerWidth - canvas.width * scale) / 2;
  const top = (window.innerHeight - canvas.height * scale) / 2;
  stage.classList.add('sized');
  stage.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
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

// The browser's pictures keep the window's names; their bytes say the format.
function pictureType(bytes) {
  const ascii = (from, to) => String.fromCharCode(...bytes.subarray(from, to));
  if (ascii(0, 4) === 'RIFF' && ascii(8, 12) === 'WEBP') return 'image/webp';
  if (ascii(4, 8) === 'ftyp' && /^avi[fs]$/.test(ascii(8, 12))) return 'image/avif';
  if (bytes[0] === 0x89 && ascii(1, 4) === 'PNG') return 'image/png';
  if (bytes[0] === 0xff && bytes[1] === 0xd8) return 'image/jpeg';
  return '';
}

const blobUrl = (bytes) => URL.createObjectURL(new Blob([bytes], { type: pictureType(bytes) }));

// The first screen's pictures, cut from the package as soon as it arrives
// (the bundle says where they lie) and decoded on the browser's own threads
// while the game's code compiles and starts.
function decodeFirstPicturesEarly() {
  let where = {};
  try {
    where = JSON.parse(document.querySelector('meta[name="buddycare-first-pictures"]').content);
  } catch {
    return Promise.resolve(new Map());
  }
  return downloads.data.then((data) => {
    const early = new Map();
    for (const [name, [start, end]] of Object.entries(where)) {
      if (start >= 0 && start < end && end <= data.length) {
        const bytes = data.slice(start, end);
        const img = new Image();
        img.src = blobUrl(bytes);
        img.decode().catch(() => {});
        // The element is kept, so that the decoded picture stays while the game starts.
        early.set(name, { bytes, url: img.src, img });
      }
    }
    return early;
  }, () => new Map());
}

function sameBytes(a, b) {
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; i += 1) if (a[i] !== b[i]) return false;
  return true;
}

// Every picture comes out of the package loaded with the page, as a local
// URL made the first time it is asked for: making one copies the picture to
// the browser, and the first frame needs only its own few. One decoded early
// keeps its URL when the game's copy is the same picture.
function pictureSource(FS, early) {
  const urls = new Map(FS.readdir('/resources').filter((name) => /\.(png|jpe?g)$/i.test(name))
    .map((name) => [name, null]));
  const url = (name) => {
    if (!urls.has(name)) return '';
    let made = urls.get(name);
    if (made === null) {
      const bytes = FS.readFile(`/resources/${name}`);
      const known = early.get(name);
      made = known && sameBytes(known.bytes, bytes) ? known.url : blobUrl(bytes);
      urls.set(name, made);
    }
    return made;
  };
  // The names of those not made yet.
  return { url, waiting: () => [...urls].filter(([, made]) => made === null).map(([name]) => name) };
}

async function decode(urls) {
  await Promise.all(urls.map((url) => {
    const img = new Image();
    img.src = url;
    return img.decode().catch(() => {});
  }));
}

// The game's font loads while the game itself does; a font that does not
// come leaves the fallback face, which is no reason not to start.
function loadFonts() {
  if (!document.fonts) return Promise.resolve();
  return Promise.all([document.fonts.load('17px "Comic Neue"'), document.fonts.load('700 17px "Comic Neue"')])
    .catch(() => {});
}

// The first of the browser's languages the bundle has a catalogue for ("es"
// for es-MX when only es is there), or '' for English, the game's own.
function chooseLanguage(FS) {
  let have = [];
  try {
    have = FS.readdir('/resources/locale').filter((f) => f.endsWith('.json')).map((f) => f.slice(0, -5));
  } catch {
    return '';
  }
  for (const tag of navigator.languages || [navigator.language]) {
    const [primary, region] = String(tag).split('-');
    if (primary.toLowerCase() === 'en') return '';
    const wanted = [region ? `${primary.toLowerCase()}_${region.toUpperCase()}` : null, primary.toLowerCase()];
    const found = wanted.find((code) => code && have.includes(code));
    if (found) return found;
  }
  return '';
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
  const language = chooseLanguage(Module.FS);
  document.documentElement.lang = (language || 'en').replace('_', '-');
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
  let renderer = null;
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
    canvas(size) {
      canvas = size;
      fitStage();
    },
  };
  return {
    handlers,
    attach(r) { renderer = r; },
    schedule,
    tick,
  };
}

function picturesOf(frame, pictureUrl) {
  const found = new Set();
  for (const screen of frame.screens) {
    for (const c of screen.controls) {
      if (c.picture) found.add(pictureUrl(c.picture));
      if (c.icon) found.add(pictureUrl(c.icon));
    }
  }
  return found;
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
  guardTouchAndKeys();
  fitStage();
  window.addEventListener('resize', fitStage);
  const fontsReady = loadFonts();
  const early = decodeFirstPicturesEarly();
  const game = await startGame();

  const pictures = pictureSource(game.Module.FS, await early);
  const pictureUrl = pictures.url;

  game.audio = createAudio(game.Module, game.call);
  const loop = playLoop(game);
  const renderer = new Renderer(stage, loop.handlers, pictureUrl, game.words);
  loop.attach(renderer);

  // The game's font is ready before the game fits a text in it, and the
  // first screen's pictures are before it shows.
  const motion = window.matchMedia('(prefers-reduced-motion: reduce)');
  const moves = () => game.Module._bc_set_motion(motion.matches ? 0 : 1);
  moves();
  motion.addEventListener('change', moves);
  loadingBar.value = 0.9;
  await fontsReady;
  const first = game.call('bc_frame');
  const firstPictures = picturesOf(first, pictureUrl);
  loadingBar.value = 0.95;
  await decode([...firstPictures]);
  performance.mark('buddycare-pictures-ready');
  loadingBar.value = 1;
  loading.hidden = true;
  renderer.render(first);
  api.frames += 1;
  game.audio.drain();
  loop.schedule();
  await new Promise((resolve) => requestAnimationFrame(() => resolve()));
  // From the start of navigation, as the browser counts it.
  api.firstFrameMs = performance.now();
  api.startupMs = performance.now() - started;
  stage.dataset.ready = 'true';
  stopWatching();

  document.addEventListener('visibilitychange', loop.tick);
  decodeTheRest(pictures);
  api.state = () => game.call('bc_state');
  // The description the page was last handed, for the tests to hold the page to it.
  api.frame = () => game.call('bc_frame');
  keepForNextVisit();
}

// The rest of the pictures decode while the child looks at the first screen,
// one at a time between the child's taps, so that a tap is not kept waiting.
function decodeTheRest(pictures) {
  const left = pictures.waiting();
  const next = () => {
    const name = left.shift();
    if (name === undefined) return;
    decode([pictures.url(name)]).then(() => setTimeout(next, 0));
  };
  setTimeout(next, 0);
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
