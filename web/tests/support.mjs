// Plays the web bundle in headless Chromium: a static server on the loopback
// address, a browser that reaches nothing else, and helpers that tap what a
// child taps.
import { createServer } from 'node:http';
import { readFile, mkdir } from 'node:fs/promises';
import assert from 'node:assert/strict';
import { isDeepStrictEqual } from 'node:util';
import { extname, join, normalize, resolve } from 'node:path';
import { chromium } from 'playwright-core';
import { openPage } from './engines.mjs';

export const bundle = resolve(process.env.BUDDYCARE_BUNDLE || new URL('../../build-web/bundle', import.meta.url).pathname);
const output = resolve(process.env.BUDDYCARE_WEB_OUTPUT || new URL('../../build-web/test-output', import.meta.url).pathname);

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png', '.otf': 'font/otf' };

// Any static file server will do; this one also counts what was asked for and
// the bytes sent, and sends a file's gzip copy to a browser that takes it.
export async function serveBundle(root = bundle) {
  const requests = [];
  const sent = { bytes: 0 };
  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    requests.push(path);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    const read = (name) => (file.startsWith(root) ? readFile(name).catch(() => null) : null);
    const gz = /gzip/.test(req.headers['accept-encoding']) ? await read(`${file}.gz`) : null;
    const body = gz || await read(file);
    if (!body) return res.writeHead(404).end();
    res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store',
      ...(gz && { 'Content-Encoding': 'gzip', Vary: 'Accept-Encoding' }) });
    sent.bytes += body.length;
    return res.end(body);
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  const { port } = server.address();
  return { url: `http://127.0.0.1:${port}/`, requests, sent, close: () => new Promise((ok) => server.close(ok)) };
}

const CHROMIUM = { executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'] };
export const launch = () => chromium.launch(CHROMIUM);
// A browser with a profile of its own, as a family's: only such a one installs a page.
export const launchWithProfile = (dir, options) => chromium.launchPersistentContext(dir, { ...CHROMIUM, ...options });

// One fresh game in a fresh browser, with the console and the network watched.
// With `refuse`, the files matching it fail to load and the start is not awaited;
// `intercept` ([pattern, handler]) answers those files itself, likewise.
// `device` adds to the browser context's options (touch, size); `locale` is the browser's language.
// `engine` (chromium, firefox or webkit) is the browser it plays in; the others than Chromium take
// neither `refuse`, `intercept` nor `device`, and WebKit's driver hears none of the page's console
// nor its requests: only the server's count tells what it fetched.
export async function openGame({ seed, refuse, intercept, device, locale = 'en-US', engine = 'chromium' } = {}) {
  const server = await serveBundle();
  if (engine !== 'chromium') return openElsewhere(engine, server, seed, locale);
  const browser = await launch();
  const context = await browser.newContext({ viewport: { width: 375, height: 667 }, deviceScaleFactor: 2, locale, ...device });
  const page = await context.newPage();
  const problems = [];
  const offsite = [];
  page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => {
    // Chromium at times reports one of the page's own files as aborted (cancelled by
    // the browser, not failed) after it arrived whole, while the service worker
    // installs beside it; the start checks every byte and says on the page when one
    // is missing, and a file that truly fails to come fails otherwise. Leaving a page
    // likewise cancels the pictures it was still decoding from its own local copies.
    const own = request.url().replace(/^blob:/, '').startsWith(server.url);
    if (!(own && request.failure()?.errorText === 'net::ERR_ABORTED')) problems.push(`request failed: ${request.url()}`);
  });
  page.on('request', (request) => {
    if (!/^(blob|data):/.test(request.url()) && !request.url().startsWith(server.url)) offsite.push(request.url());
  });
  if (refuse) await page.route(refuse, (route) => route.abort());
  if (intercept) await page.route(...intercept);
  await page.goto(seed === undefined ? server.url : `${server.url}?seed=${seed}`);
  if (!refuse && !intercept) await settled(page);
  const close = async () => {
    await browser.close();
    await server.close();
  };
  return { page, context, server, problems, offsite, close };
}

async function openElsewhere(engine, server, seed, locale) {
  const page = await openPage(engine, { width: 375, height: 667, locale });
  await page.goto(seed === undefined ? server.url : `${server.url}?seed=${seed}`);
  await settled(page);
  const close = async () => {
    await page.close();
    await server.close();
  };
  return { page, server, problems: page.problems ?? [], offsite: [], close, engine, version: page.version };
}

// Started, nothing moving, one screen showing.
export async function settled(page) {
  await page.waitForFunction(() => {
    const stage = document.getElementById('stage');
    return stage.dataset.ready === 'true' && !stage.classList.contains('busy') &&
      document.querySelectorAll('#screens > .screen').length === 1;
  }, null, { timeout: 30000 });
}

export async function screenClass(page) {
  await settled(page);
  return page.locator('#screens > .screen').getAttribute('data-screen');
}

export function control(page, name) {
  return page.locator(`#screens > .screen:last-child [data-name="${name}"]`);
}

// A tap with the mouse, where a child's finger would land.
export async function tap(page, name) {
  await settled(page);
  await control(page, name).click();
}

export async function stepper(page, name, up) {
  await settled(page);
  await control(page, name).locator(up ? 'button.plus' : 'button.minus').click();
}

// What the page shows after an action comes a frame or more later (a resize
// handler, a game update, a focus move): reads until it equals what is expected,
// for a few seconds at most, then compares what it last read.
export async function eventually(read, expected, message, timeout = 5000) {
  const until = Date.now() + timeout;
  let got = await read();
  while (!isDeepStrictEqual(got, expected) && Date.now() < until) {
    await new Promise((ok) => setTimeout(ok, 25));
    got = await read();
  }
  assert.deepEqual(got, expected, message);
}

export const text = (page, name) => control(page, name).getAttribute('data-text');
export const isShown = (page, name) => control(page, name).isVisible();
export const gameState = (page) => page.evaluate(() => window.buddycare.state());

export async function shoot(page, name) {
  await mkdir(output, { recursive: true });
  await settled(page);
  // Let the browser finish painting the settled frame.
  await page.evaluate(() => new Promise((ok) => requestAnimationFrame(() => requestAnimationFrame(ok))));
  await page.screenshot({ path: join(output, `${page.engine ? `${page.engine}-` : ''}${name}.png`) });
}
