// Starts the game in the page: loads the WebAssembly build with its pictures
// and interface description, then forwards taps, keys and timer ticks to it
// and hands each new frame to the renderer. Nothing is fetched after start
// and nothing is stored.
import createBuddycare from './buddycare.js';
import { Renderer, accessibleName } from './view.js';

const started = performance.now();
const stage = document.getElementById('stage');
const loading = document.getElementById('loading');
const announcer = document.getElementById('announcer');

const api = {
  firstFrameMs: null,
  frames: 0,
  ready: null,
};
window.buddycare = api;

function fail(message) {
  console.error(`buddycare: ${message}`);
  loading.hidden = false;
  loading.classList.add('problem');
  loading.textContent = 'The game could not start. Please reload the page.';
}

// The game's console lines arrive on its error stream; only warnings are problems.
function consoleLine(text) {
  if (/: warning: /.test(text)) console.warn(text);
  else console.log(text);
}

function fitStage() {
  const scale = Math.min(window.innerWidth / 375, window.innerHeight / 667);
  const left = (window.innerWidth - 375 * scale) / 2;
  const top = (window.innerHeight - 667 * scale) / 2;
  stage.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
}

const MIME = { png: 'image/png', jpg: 'image/jpeg', jpeg: 'image/jpeg' };

// Every picture comes out of the package loaded with the page, as local URLs.
function pictureUrls(FS) {
  const urls = new Map();
  for (const name of FS.readdir('/resources')) {
    const type = MIME[name.split('.').pop().toLowerCase()];
    if (type) urls.set(name, URL.createObjectURL(new Blob([FS.readFile(`/resources/${name}`)], { type })));
  }
  return urls;
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
  const Module = await createBuddycare({
    print: consoleLine,
    printErr: consoleLine,
    onAbort: (what) => fail(`the game stopped: ${what}`),
  });
  performance.mark('buddycare-loaded');
  const call = (name, types = [], args = []) => JSON.parse(Module.ccall(name, 'string', types, args));
  const params = new URLSearchParams(window.location.search);
  const seed = params.has('seed') ? Number(params.get('seed')) : NaN;
  const seeded = Number.isInteger(seed) && seed >= 0;
  const language = chooseLanguage(Module.FS);
  document.documentElement.lang = language || 'en';
  const begun = call('bc_start', ['number', 'number', 'string'], [seeded ? 1 : 0, seeded ? seed : 0, language]);
  if (begun.error) throw new Error(begun.error);
  performance.mark('buddycare-started');
  return { Module, call };
}

// Taps, steps and the bar's back go to the game; after each, a new frame and
// the next wake-up. Timers and animations wake the game when they are due.
function playLoop({ Module, call }) {
  let renderer = null;
  let timer = 0;
  const redraw = () => {
    renderer.render(call('bc_frame'));
    api.frames += 1;
  };
  const schedule = () => {
    clearTimeout(timer);
    const ms = Module._bc_next_wake_ms();
    if (ms >= 0) timer = setTimeout(tick, Math.ceil(ms) + 1);
  };
  function tick() {
    if (Module._bc_tick()) redraw();
    schedule();
  }
  const after = (outcome) => {
    redraw();
    schedule();
    return outcome;
  };
  const busy = () => stage.classList.contains('busy');
  const handlers = {
    tap: (screen, index) => (busy() ? null : after(call('bc_tap', ['number', 'number'], [screen, index]))),
    step(screen, index, up) {
      if (busy()) return null;
      const layer = renderer.layer(screen);
      const before = layer ? layer.labelTexts() : new Map();
      const outcome = after(call('bc_step', ['number', 'number', 'number'], [screen, index, up ? 1 : 0]));
      if (layer) announceStep(layer, before, index);
      return outcome;
    },
    back: () => (busy() ? null : after(call('bc_nav_back'))),
  };
  return {
    handlers,
    attach(r) { renderer = r; },
    schedule,
    tick,
  };
}

// A stepper's new value is said aloud: the labels it changed, else its own value.
function announceStep(layer, before, index) {
  const changed = [];
  for (const [i, now] of layer.labelTexts()) {
    const was = before.get(i);
    if (was && was.text !== now.text && now.text) changed.push(`${now.name}: ${now.text}`);
  }
  if (changed.length === 0) {
    const slot = layer.controls[index];
    if (slot) {
      const c = JSON.parse(slot.last);
      changed.push(`${accessibleName(c)}: ${c.value}`);
    }
  }
  announcer.textContent = changed.join('. ');
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
  fitStage();
  window.addEventListener('resize', fitStage);
  const fontsReady = loadFonts();
  const game = await startGame();

  const urls = pictureUrls(game.Module.FS);
  const pictureUrl = (name) => urls.get(name) || '';
  const icon = document.querySelector('link[rel="icon"]');
  if (icon && urls.has('icon.png')) icon.href = urls.get('icon.png');

  const loop = playLoop(game);
  const renderer = new Renderer(stage, loop.handlers, pictureUrl);
  loop.attach(renderer);

  // The first screen's pictures and the game's font are ready before it shows.
  const first = game.call('bc_frame');
  const firstPictures = picturesOf(first, pictureUrl);
  await Promise.all([decode([...firstPictures]), fontsReady]);
  performance.mark('buddycare-pictures-ready');
  loading.hidden = true;
  renderer.render(first);
  api.frames += 1;
  loop.schedule();
  await new Promise((resolve) => requestAnimationFrame(() => resolve()));
  // From the start of navigation, as the browser counts it.
  api.firstFrameMs = performance.now();
  api.startupMs = performance.now() - started;
  stage.dataset.ready = 'true';
  stopWatching();

  document.addEventListener('visibilitychange', loop.tick);
  // The rest of the pictures decode while the child looks at the first screen.
  decode([...urls.values()].filter((url) => !firstPictures.has(url)));
  api.state = () => game.call('bc_state');
}

api.ready = start().catch((error) => {
  fail(error && error.message ? error.message : String(error));
});
