// The game's first frame, drawn as soon as the page is read. A run always
// opens on the same home screen for a given language (the care state starts
// the same, and nothing random happens before a check), so the game worked
// that frame out when the page was built; the page places it with the same
// renderer the game's frames go through, before the game's code has come.
// When the code runs, its own first frame is that same one, and it takes
// over: every tap, key or press made meanwhile is kept, and played to the
// game in order, so that a child who taps at once loses nothing.
import { Renderer } from './view.js';
import { keptProgress, storeProgress } from './keep.js';
import { downloads } from './load.js';

performance.mark('buddycare-page-read');

const stage = document.getElementById('stage');
const loading = document.getElementById('loading');

const api = {
  firstPaintMs: null, // the animation frame after the first frame was placed, from the start of navigation
  firstFrameMs: null, // the first frame that answers a tap
  frames: 0,
  ready: null,
};
window.buddycare = api;

function fromPage(id) {
  try {
    return JSON.parse(document.getElementById(id).textContent);
  } catch {
    return {};
  }
}
const frames = fromPage('first-frames');
const warm = document.getElementById('first-warm');
const inPage = warm?.inPage || fromPage('first-pictures');

// The first of the browser's languages the bundle has a catalogue for ("es"
// for es-MX when only es is there), or '' for English, the game's own.
function chooseLanguage(have) {
  for (const tag of navigator.languages || [navigator.language]) {
    const [primary, region] = String(tag).split('-');
    if (primary.toLowerCase() === 'en') return '';
    const wanted = [region ? `${primary.toLowerCase()}_${region.toUpperCase()}` : null, primary.toLowerCase()];
    const found = wanted.find((code) => code && have.includes(code));
    if (found) return found;
  }
  return '';
}
const language = chooseLanguage(Object.keys(frames).filter(Boolean));
document.documentElement.lang = (language || 'en').replace('_', '-');

// Every picture is a file of its own, under the name the game knows it by;
// the first frame's come with the page.
const pictureUrl = (name) => inPage[name] || `pictures/${encodeURIComponent(name)}`;

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

// The canvas, at the size the frame gives it, scaled whole into the window
// and centred. Until a frame has said, the stage is the window.
let canvas = null;
function fitStage() {
  if (!canvas) return;
  const scale = Math.min(window.innerWidth / canvas.width, window.innerHeight / canvas.height);
  const left = (window.innerWidth - canvas.width * scale) / 2;
  const top = (window.innerHeight - canvas.height * scale) / 2;
  stage.classList.add('sized');
  stage.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
}

// What the renderer hands on: input waits in order until the game runs,
// then goes straight to it; the canvas's size is the page's own business.
const waiting = [];
let game = null;
const INPUT = ['tap', 'step', 'key', 'focus', 'back', 'pointer'];
const handlers = Object.fromEntries(INPUT.map((name) => [name, (...args) => {
  if (game) game[name](...args);
  else waiting.push([name, args]);
}]));
handlers.canvas = (size) => {
  canvas = size;
  fitStage();
};

// The game's font and the first screen's pictures are ready before a frame
// shows, so that nothing is drawn twice; one that does not come is no
// reason not to show the rest.
function fontsReady() {
  if (!document.fonts) return Promise.resolve();
  return Promise.all([document.fonts.load('17px "Comic Neue"'), document.fonts.load('700 17px "Comic Neue"')])
    .catch(() => {});
}

// Pictures to be shown, decoded. The first frame's, which the page's first script began to load
// and decode, are not decoded twice: the first frame waits for them to have come, not for their
// decoding, which settles only with a frame of the browser's that the first frame would then wait
// for. The browser decodes each picture at the size it is shown at as it paints it (the renderer's
// are `decoding = sync`), from the copy already decoded when it is there.
const begun = warm?.loading || new Map();
function decode(urls) {
  return Promise.all([...urls].map((url) => {
    if (begun.has(url)) return begun.get(url);
    const img = new Image();
    img.src = url;
    return img.decode().catch(() => {});
  }));
}

function picturesOf(frame) {
  const found = new Set();
  for (const screen of frame.screens) {
    for (const c of screen.controls) {
      if (c.picture) found.add(pictureUrl(c.picture));
      if (c.icon) found.add(pictureUrl(c.icon));
    }
  }
  return found;
}

// English's frame, with the texts of the page's language in their places (the bundle keeps only
// those for the other languages).
function frameIn(chosen) {
  const entry = frames[chosen];
  if (!entry || entry.frame || !frames['']) return entry;
  const frame = frames[''].frame;
  try {
    for (const [path, text] of entry.patch) {
      let at = frame;
      for (const step of path.slice(0, -1)) at = at[step];
      at[path[path.length - 1]] = text;
    }
  } catch {
    return undefined; // the game draws its first frame itself
  }
  return { frame, words: entry.words };
}
const built = frameIn(language);
const renderer = new Renderer(stage, handlers, pictureUrl, built?.words || {});

guardTouchAndKeys();
window.addEventListener('resize', fitStage);

// The frame the page drew before the game ran (null when it drew none), for
// the game to take over once the browser has shown it.
const first = { frame: null };
first.shown = built ? (async () => {
  await Promise.all([fontsReady(), decode(picturesOf(built.frame))]);
  // Once the child's own things are kept the first screen is theirs (coins, a
  // bow tie, the unit), which only the game knows: it shows when the game runs.
  if (game || loading.classList.contains('problem') || keptProgress() !== null) return;
  first.frame = built.frame;
  loading.hidden = true;
  renderer.render(built.frame);
  api.frames += 1;
  document.querySelector('#turn > p').textContent = built.words.turn;
  document.getElementById('bar').setAttribute('aria-label', built.words.navigation);
  performance.mark('buddycare-first-paint');
  await new Promise((resolve) => requestAnimationFrame(() => resolve()));
  api.firstPaintMs = performance.now();
})() : Promise.resolve();

// The game runs: what was kept meanwhile is played to it, in order, and
// from now on input goes straight to it.
function takeOver(live) {
  game = live;
  for (const [name, args] of waiting.splice(0)) live[name](...args);
}

// For the game's script (main.js). In the built page this script is inline, which nothing can
// import from: it hands over on the window instead, and runs before main.js, which comes after
// it in the page. The game's code is asked for by load.js, inline with this one and, in the built
// page, right after it: the first frame's wait is under way before the code's download and
// compiling take their share of the machine. Hence the getter, read once both have run.
window.buddycareFirst = {
  api, renderer, first, language, takeOver, fontsReady, decode, picturesOf, pictureUrl, keptProgress, storeProgress,
  get downloads() { return downloads; },
};
