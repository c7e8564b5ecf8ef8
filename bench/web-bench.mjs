// The web bundle's size and its time to the first frame a child can tap, in
// headless Chromium on this machine. Prints one line per figure.
import { readdir, stat, readFile } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { gzipSync } from 'node:zlib';
import { bundle, serveBundle, launch } from '../web/tests/support.mjs';

const RUNS = Number(process.env.BUDDYCARE_WEB_BENCH_RUNS || 7);

const files = async (dir) => (await readdir(dir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile()).map((entry) => join(entry.parentPath ?? entry.path, entry.name));

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

const groups = { wasm: 0, js: 0, 'pictures+layout': 0, page: 0, fonts: 0 };
let total = 0;
let gzipped = 0;
for (const file of await files(bundle)) {
  const size = (await stat(file)).size;
  const name = relative(bundle, file);
  const group = name.endsWith('.wasm') ? 'wasm'
    : name === 'buddycare.js' ? 'js'
      : name.endsWith('.data') ? 'pictures+layout'
        : name.startsWith('fonts/') ? 'fonts' : 'page';
  groups[group] += size;
  total += size;
  gzipped += gzipSync(await readFile(file), { level: 9 }).length;
}
console.log(`web bundle size: ${kb(total)} (gzip ${kb(gzipped)}): ` +
  Object.entries(groups).map(([k, v]) => `${k} ${kb(v)}`).join(', '));

const server = await serveBundle();
const browser = await launch();
const times = [];
try {
  for (let i = 0; i < RUNS; i += 1) {
    // A new context each time: nothing cached from the run before.
    const context = await browser.newContext({ viewport: { width: 375, height: 667 } });
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForSelector('#stage[data-ready="true"]', { timeout: 30000 });
    times.push(await page.evaluate(() => window.buddycare.firstFrameMs));
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}
const sorted = [...times].sort((a, b) => a - b);
const median = sorted[Math.floor(sorted.length / 2)];
console.log(`web first interactive frame (headless Chromium, from navigation, ${RUNS} cold loads): ` +
  `median ${median.toFixed(0)} ms, best ${sorted[0].toFixed(0)} ms, worst ${sorted[sorted.length - 1].toFixed(0)} ms`);
