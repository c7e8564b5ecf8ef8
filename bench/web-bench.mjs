// The web bundle's size and its start, in headless Chromium on this machine, side by side with a
// floor page: a static page with the home screen's picture and five labels, served the same way.
// Figures, each the median of cold starts in fresh contexts taken in turns with the floor's:
//   - the first frame on the screen (the game's own, drawn before its code runs), when the browser
//     presented the home picture;
//   - the first frame that answers a tap on +50, cold;
//   - the same on a repeat start, from each page's service worker: the first after its install,
//     and an everyday one after that;
//   - what the first start fetches before it answers, as gzip -9 of each file;
//   - the first interactive frame with the CPU slowed four times, as on a cheap tablet.
// Prints one line per figure.
import { readdir, stat, readFile, mkdtemp, writeFile, rm } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { tmpdir } from 'node:os';
import { gzipSync, brotliCompressSync } from 'node:zlib';
import { bundle, serveBundle, launch } from '../web/tests/support.mjs';

const RUNS = Number(process.env.BUDDYCARE_WEB_BENCH_RUNS || 10);

const files = async (dir) => (await readdir(dir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile()).map((entry) => join(entry.parentPath ?? entry.path, entry.name));

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

// What a file costs on the wire at its best plain encoding.
export const gzipped = async (root, path) => gzipSync(await readFile(join(root, path)), { level: 9 }).length;

// The first frame's pictures as the bundle's page carries them, by name.
export async function firstPictures() {
  const html = await readFile(join(bundle, 'index.html'), 'utf8');
  return JSON.parse(html.match(/<script type="application\/json" id="first-pictures">([^<]*)<\/script>/)[1]);
}

// The floor: the browser's own home picture and five labels, nothing else, and a service worker
// that keeps both for a repeat start, as the game's does.
export async function floorPage() {
  const dir = await mkdtemp(join(tmpdir(), 'buddycare-floor-'));
  // The home picture as the game's first frame shows it: the copy in its page.
  const [, type, base64] = (await firstPictures())['sadhomescreen.jpg'].match(/^data:image\/(\w+);base64,(.*)$/);
  const picture = Buffer.from(base64, 'base64');
  await writeFile(join(dir, `home.${type}`), picture);
  const labels = ['Check', 'Insulin', 'Eat', 'Buddy', 'Settings'].map((word, i) =>
    `<p style="position:absolute;left:24px;top:${120 + i * 90}px;font:700 20px sans-serif">${word}</p>`).join('');
  const page = `<!doctype html><html><head><meta charset="utf-8"><title>floor</title>
<meta name="viewport" content="width=device-width, initial-scale=1"></head>
<body style="margin:0"><img id="home" src="home.${type}" alt="" elementtiming="sadhomescreen.jpg" style="position:absolute;width:375px;height:667px">${labels}
<script>window.addEventListener('load', () => document.getElementById('home').decode().then(() =>
  requestAnimationFrame(() => { window.firstFrameMs = performance.now(); })));
navigator.serviceWorker && navigator.serviceWorker.register('sw.js');</script></body></html>`;
  const worker = `const FILES = ['./', 'home.${type}'];
self.addEventListener('install', (e) => e.waitUntil(caches.open('floor').then((c) => c.addAll(FILES)).then(() => self.skipWaiting())));
self.addEventListener('activate', (e) => e.waitUntil(self.clients.claim()));
self.addEventListener('fetch', (e) => e.respondWith(caches.match(e.request, { ignoreSearch: true }).then((r) => r || fetch(e.request))));`;
  for (const [name, body] of [['index.html', page], ['sw.js', worker]]) {
    await writeFile(join(dir, name), body);
    await writeFile(join(dir, `${name}.gz`), gzipSync(body, { level: 9 }));
    await writeFile(join(dir, `${name}.br`), brotliCompressSync(body));
  }
  return dir;
}

// When the home picture was first on the screen, as the browser tells it (Element Timing): the
// presentation of the frame it was painted in, after that frame's raster and the picture's
// decoding at the size shown. A script's next animation frame comes before all that, and how long
// before differs between the two pages, so neither page's own clock is taken for it.
const shown = () => new Promise((resolve, reject) => {
  const observer = new PerformanceObserver((list) => {
    const entry = list.getEntries().find((e) => e.identifier === 'sadhomescreen.jpg');
    if (!entry) return;
    observer.disconnect();
    resolve(entry.renderTime);
  });
  observer.observe({ type: 'element', buffered: true });
  setTimeout(() => reject(new Error('the home picture was never reported on the screen')), 10000);
});
// `placed`: the page's own animation frame after it put the first frame in place.
export const GAME = { paint: shown, placed: () => window.buddycare.firstPaintMs, ready: () => window.buddycare && window.buddycare.firstFrameMs };
export const FLOOR = { paint: shown, placed: () => window.firstFrameMs, ready: () => window.firstFrameMs };

// One start in a fresh context (cold), or, with `repeat` (the number of visits before it), a start
// once the page's service worker holds its files: the times from navigation to the first frame on
// the screen (and to the page's own animation frame after placing it), to the page's answering a
// tap and to the first frame on the screen that answers one, and the files fetched before it
// answered. The visit right after the worker's install is not yet the everyday one: on it the
// browser writes its compiled copies of the scripts the worker keeps, on the page's thread; from
// the next visit on it reads them.
export async function start(browser, server, which, { repeat = 0, throttle = 1 } = {}) {
  const context = await browser.newContext({ viewport: { width: 375, height: 667 }, serviceWorkers: repeat ? 'allow' : 'block' });
  try {
    const page = await context.newPage();
    for (let visit = 0; visit < repeat; visit += 1) {
      if (visit === 0) await page.goto(server.url);
      else await page.reload();
      await page.waitForFunction(which.ready, null, { timeout: 30000 });
      await page.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((ok) => setTimeout(ok, 500))));
    }
    if (throttle !== 1) {
      const cdp = await context.newCDPSession(page);
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
    }
    const asked = server.requests.length;
    if (repeat) await page.reload();
    else await page.goto(server.url);
    const answers = await page.waitForFunction(which.ready, null, { timeout: 60000 }).then((handle) => handle.jsonValue());
    const fetched = [...new Set(server.requests.slice(asked))];
    const paint = await page.evaluate(which.paint);
    const placed = await page.evaluate(which.placed);
    // A frame answers a tap once it is there to be tapped: on a busy machine the page may answer
    // before the browser has shown its first frame.
    return { paint, placed, answers, ready: Math.max(answers, paint), fetched };
  } finally {
    await context.close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const groups = { wasm: 0, js: 0, 'layout+sounds': 0, pictures: 0, page: 0, fonts: 0, icons: 0 };
  let total = 0;
  let packed = 0;
  for (const file of await files(bundle)) {
    if (/\.(gz|br)$/.test(file)) continue;
    const size = (await stat(file)).size;
    const name = relative(bundle, file);
    const group = name.endsWith('.wasm') ? 'wasm'
      : name === 'buddycare.js' ? 'js'
        : name.endsWith('.data') ? 'layout+sounds'
          : name.startsWith('pictures/') ? 'pictures'
            : name.startsWith('fonts/') ? 'fonts' : name.startsWith('icons/') ? 'icons' : 'page';
    groups[group] += size;
    total += size;
    packed += await gzipped(bundle, name);
  }
  console.log(`web bundle size: ${kb(total)} (gzip -9 ${kb(packed)}): ` +
    Object.entries(groups).map(([k, v]) => `${k} ${kb(v)}`).join(', '));

  const floor = await floorPage();
  const browser = await launch();
  const servers = { game: await serveBundle(bundle), floor: await serveBundle(floor) };
  const roots = { game: bundle, floor };
  const which = { game: GAME, floor: FLOOR };
  try {
    // Each way with the goals its two figures are held to ('' where it has none).
    const ways = [
      ['cold', {}, ' (goal <= 1.1)', ' (goal <= 1.5)'],
      ['repeat, the first visit after the install', { repeat: 1 }, '', ''],
      ['repeat, an everyday visit', { repeat: 2 }, '', ' (goal <= 1.5)'],
      ['cold, CPU slowed 4 times', { throttle: 4 }, '', ' (goal: game under 1500 ms)'],
    ];
    const figures = {};
    for (const [way, options, paintGoal, readyGoal] of ways) {
      const runs = { game: [], floor: [] };
      // In turns, so that a busy moment of the machine falls on both alike.
      for (let i = 0; i < RUNS; i += 1) {
        for (const name of i % 2 ? ['floor', 'game'] : ['game', 'floor']) {
          runs[name].push(await start(browser, servers[name], which[name], options));
        }
      }
      figures[way] = Object.fromEntries(Object.entries(runs).map(([name, r]) => [name, {
        paint: median(r.map((run) => run.paint)), ready: median(r.map((run) => run.ready)),
        fetched: r[0].fetched,
      }]));
      const { game, floor: base } = figures[way];
      console.log(`web start, ${way} (headless Chromium, from navigation, median of ${RUNS} each, in turns):`);
      console.log(`  first frame on the screen: game ${game.paint.toFixed(0)} ms, floor ${base.paint.toFixed(0)} ms, ` +
        `game / floor ${(game.paint / base.paint).toFixed(2)}${paintGoal}`);
      console.log(`  first frame that answers a tap: game ${game.ready.toFixed(0)} ms, floor ${base.ready.toFixed(0)} ms, ` +
        `game / floor ${(game.ready / base.ready).toFixed(2)}${readyGoal}`);
    }
    const cold = figures.cold.game.fetched.filter((path) => !path.endsWith('/'));
    let bytes = 0;
    for (const path of cold) bytes += await gzipped(roots.game, path.slice(1));
    // The page itself, asked for as '/'.
    bytes += await gzipped(roots.game, 'index.html');
    console.log(`web first start fetches ${cold.length + 1} files, ${(bytes / 1e6).toFixed(3)} MB as gzip -9 of each (goal < 0.6 MB)`);
  } finally {
    await browser.close();
    await Promise.all(Object.values(servers).map((server) => server.close()));
    await rm(floor, { recursive: true, force: true });
  }
}

if (import.meta.url === `file://${process.argv[1]}`) await main();
