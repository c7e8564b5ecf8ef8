// The web bundle's size and its time to the first frame a child can tap, in
// headless Chromium on this machine, side by side with a floor page: a static
// page with the home screen's picture and five labels, served the same way.
// Prints one line per figure.
import { readdir, stat, readFile, mkdtemp, writeFile, copyFile, rm } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { tmpdir } from 'node:os';
import { gzipSync, brotliCompressSync } from 'node:zlib';
import { bundle, serveBundle, launch } from '../web/tests/support.mjs';

const RUNS = Number(process.env.BUDDYCARE_WEB_BENCH_RUNS || 10);

const files = async (dir) => (await readdir(dir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile()).map((entry) => join(entry.parentPath ?? entry.path, entry.name));

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

const groups = { wasm: 0, js: 0, 'pictures+layout': 0, page: 0, fonts: 0, icons: 0 };
let total = 0;
let packed = 0;
for (const file of await files(bundle)) {
  if (/\.(gz|br)$/.test(file)) continue;
  const size = (await stat(file)).size;
  const name = relative(bundle, file);
  const group = name.endsWith('.wasm') ? 'wasm'
    : name === 'buddycare.js' ? 'js'
      : name.endsWith('.data') ? 'pictures+layout'
        : name.startsWith('fonts/') ? 'fonts' : name.startsWith('icons/') ? 'icons' : 'page';
  groups[group] += size;
  total += size;
  const body = await readFile(file);
  packed += Math.min(body.length, gzipSync(body, { level: 9 }).length, brotliCompressSync(body).length);
}
console.log(`web bundle size: ${kb(total)} (compressed ${kb(packed)}): ` +
  Object.entries(groups).map(([k, v]) => `${k} ${kb(v)}`).join(', '));

// The floor: the browser's own home picture and five labels, nothing else.
async function floorPage() {
  const dir = await mkdtemp(join(tmpdir(), 'buddycare-floor-'));
  const picture = await readFile(join(bundle, '..', 'web', 'wasm', 'resources', 'homescreen.jpg'));
  const type = picture.subarray(8, 12).toString() === 'WEBP' ? 'webp' : 'avif';
  await writeFile(join(dir, `home.${type}`), picture);
  const labels = ['Check', 'Insulin', 'Eat', 'Buddy', 'Settings'].map((word, i) =>
    `<p style="position:absolute;left:24px;top:${120 + i * 90}px;font:700 20px sans-serif">${word}</p>`).join('');
  const page = `<!doctype html><html><head><meta charset="utf-8"><title>floor</title>
<meta name="viewport" content="width=device-width, initial-scale=1"></head>
<body style="margin:0"><img id="home" src="home.${type}" alt="" style="position:absolute;width:375px;height:667px">${labels}
<script>window.addEventListener('load', () => document.getElementById('home').decode().then(() =>
  requestAnimationFrame(() => { window.firstFrameMs = performance.now(); })));</script></body></html>`;
  await writeFile(join(dir, 'index.html'), page);
  await writeFile(join(dir, 'index.html.gz'), gzipSync(page, { level: 9 }));
  await writeFile(join(dir, 'index.html.br'), brotliCompressSync(page));
  return dir;
}

// One cold start in a fresh context: the time from navigation to the first
// frame that takes a tap, and the bytes the server sent for it.
async function coldStart(browser, server, ready) {
  // Nothing cached from the run before, and no worker storing files for the next.
  const context = await browser.newContext({ viewport: { width: 375, height: 667 }, serviceWorkers: 'block' });
  try {
    const page = await context.newPage();
    const before = server.sent.bytes;
    await page.goto(server.url);
    const ms = await page.waitForFunction(ready, null, { timeout: 30000 }).then((handle) => handle.jsonValue());
    // The game's own milestones on the way, where it marks them.
    const marks = await page.evaluate(() => Object.fromEntries(performance.getEntriesByType('mark')
      .map((mark) => [mark.name.replace(/^buddycare-/, ''), mark.startTime])));
    return { ms, marks, bytes: server.sent.bytes - before };
  } finally {
    await context.close();
  }
}

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

function summary(runs) {
  const sorted = runs.map((run) => run.ms).sort((a, b) => a - b);
  const names = Object.keys(runs[0].marks);
  return { median: median(sorted), best: sorted[0], worst: sorted[sorted.length - 1],
    bytes: Math.max(...runs.map((run) => run.bytes)),
    marks: names.map((name) => [name, median(runs.map((run) => run.marks[name] ?? NaN))]) };
}

const floor = await floorPage();
const browser = await launch();
const servers = [await serveBundle(bundle), await serveBundle(floor)];
try {
  // In turns, so that a busy moment of the machine falls on both alike.
  const runs = [[], []];
  for (let i = 0; i < RUNS; i += 1) {
    runs[0].push(await coldStart(browser, servers[0], () => window.buddycare && window.buddycare.firstFrameMs));
    runs[1].push(await coldStart(browser, servers[1], () => window.firstFrameMs));
  }
  const [game, base] = runs.map(summary);
  const line = (what, r) => `${what}: median ${r.median.toFixed(0)} ms, best ${r.best.toFixed(0)} ms, ` +
    `worst ${r.worst.toFixed(0)} ms, ${kb(r.bytes)} sent`;
  console.log(`web first interactive frame (headless Chromium, from navigation, ${RUNS} cold starts each)`);
  console.log(`  ${line('game', game)}`);
  console.log(`  ${line('floor page', base)}`);
  // Code running, game started, first pictures decoded: what the game needs before its first frame.
  console.log(`  game on the way (medians): ${game.marks.map(([name, ms]) => `${name} ${ms.toFixed(0)} ms`).join(', ')}`);
  console.log(`  game / floor: ${(game.median / base.median).toFixed(2)} (goal <= 1.5); bytes sent ${kb(game.bytes)} (goal < 800 KiB)`);
} finally {
  await browser.close();
  await Promise.all(servers.map((server) => server.close()));
  await rm(floor, { recursive: true, force: true });
}
