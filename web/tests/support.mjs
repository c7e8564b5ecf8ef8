// Plays the web bundle in a browser (engines.mjs has the three): a static server
// on the loopback address, a browser that reaches nothing else, and helpers that
// tap what a child taps.
import { createServer } from 'node:http';
import { readFile, mkdir, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import assert from 'node:assert/strict';
import { isDeepStrictEqual } from 'node:util';
import { extname, join, normalize, resolve } from 'node:path';
import { chromium } from 'playwright-core';
import { openPage, dressChromium } from './engines.mjs';

export const bundle = resolve(process.env.BUDDYCARE_BUNDLE || new URL('../../build-web/bundle', import.meta.url).pathname);
const output = resolve(process.env.BUDDYCARE_WEB_OUTPUT || new URL('../../build-web/test-output', import.meta.url).pathname);

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png', '.otf': 'font/otf' };

// Any static file server will do; this one also counts what was asked for and
// the bytes sent, and sends a file's gzip copy to a browser that takes it.
// `failing` (a file's name: how) answers chosen files as a broken server or network would:
// 'missing' with a 404, 'short' with a whole answer of only its first SHORT bytes, 'silent' with
// nothing at all; a promise in its place holds the file back until it settles. Once `refuse()` is called it drops every connection as it comes, as a server
// gone would, and still counts what was asked of it.
export const SHORT = 100000;
export async function serveBundle(root = bundle, failing = {}) {
  const requests = [];
  const sent = { bytes: 0 };
  let refusing = false;
  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    requests.push(path);
    if (refusing) return req.socket.destroy();
    let failure = failing[path.slice(1)];
    if (failure instanceof Promise) failure = await failure;
    if (failure === 'silent') return undefined;
    if (failure === 'missing') return res.writeHead(404).end();
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    const read = (name) => (file.startsWith(root) ? readFile(name).catch(() => null) : null);
    const gz = !failure && /gzip/.test(req.headers['accept-encoding']) ? await read(`${file}.gz`) : null;
    const whole = gz || await read(file);
    if (!whole) return res.writeHead(404).end();
    const body = failure === 'short' ? whole.subarray(0, SHORT) : whole;
    res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store',
      ...(gz && { 'Content-Encoding': 'gzip', Vary: 'Accept-Encoding' }) });
    sent.bytes += body.length;
    return res.end(body);
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  const { port } = server.address();
  const close = () => {
    server.closeAllConnections();
    return new Promise((ok) => server.close(ok));
  };
  return { url: `http://127.0.0.1:${port}/`, requests, sent, refuse: () => { refusing = true; }, close };
}

// Headless Chromium opens, with every new window, a hidden page of its own for the address bar's
// suggestions, busy for about a second in a renderer of its own: on 2 cores it takes one from the
// page under test, in every fresh context, where a tablet's browser has opened its window once.
// Chromium heeds only the last --disable-features it is given, so this one repeats the list
// Playwright passes before it (as of the version in package-lock.json) and adds that page's.
const PLAYWRIGHT_DISABLED = 'AvoidUnnecessaryBeforeUnloadCheckSync,DestroyProfileOnBrowserClose,HttpsUpgrades,' +
  'HttpsFirstBalancedModeAutoEnable,LensOverlay,MediaRouter,PaintHolding,ThirdPartyStoragePartitioning,' +
  'AvoidCorsURLLoaderRestartOnRedirect,TcpPortRandomizationWin,OptimizationHints,NetworkTimeServiceQuerying,AimEnabled,' +
  'PreconnectToSearch,msForceBrowserSignIn,msEdgeUpdateLaunchServicesPreferredVersion';
const CHROMIUM = { executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
  `--disable-features=${PLAYWRIGHT_DISABLED},WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup`] };
export const launch = () => chromium.launch(CHROMIUM);
// A browser with a profile of its own, as a family's: only such a one installs a page.
export const launchWithProfile = (dir, options) => chromium.launchPersistentContext(dir, { ...CHROMIUM, ...options });

// One fresh game in a fresh browser, with the console and the network watched.
// With `failing`, the server answers the files named badly or late (see serveBundle), and the
// start is not awaited.
// `viewport` is the page's size; `touch` makes Chromium's page a phone's, with a touchscreen (the
// other engines' pages have their finger anyway). `installable` gives Chromium a profile of its own, as a family's: only such a one
// installs a page (the other engines' fresh profiles keep a service worker as they are). `locale`
// is the browser's language. `engine` (chromium, firefox or webkit) is the browser it plays in;
// WebKit's driver hears none of the page's console nor its requests: only the server's count
// tells what it fetched.
export async function openGame({ seed, failing, viewport = { width: 375, height: 667 }, touch = false,
  installable = false, locale = 'en-US', engine = 'chromium' } = {}) {
  const server = await serveBundle(bundle, failing);
  const url = seed === undefined ? server.url : `${server.url}?seed=${seed}`;
  const wait = !failing;
  if (engine !== 'chromium') return openElsewhere(engine, server, url, { ...viewport, locale }, wait);
  const profile = installable ? await mkdtemp(join(tmpdir(), 'buddycare-profile-')) : null;
  const options = { viewport, locale, ...(touch && { hasTouch: true, isMobile: true }) };
  const browser = profile ? null : await launch();
  const context = profile ? await launchWithProfile(profile, options) : await browser.newContext({ deviceScaleFactor: 2, ...options });
  const page = dressChromium(context.pages()[0] || await context.newPage(), context);
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
  await page.goto(url);
  if (wait) await settled(page);
  const close = async () => {
    await (browser || context).close();
    await server.close();
    if (profile) await rm(profile, { recursive: true, force: true });
  };
  return { page, context, server, problems, offsite, close };
}

async function openElsewhere(engine, server, url, options, wait) {
  const page = await openPage(engine, options);
  const close = async () => {
    await page.close();
    await server.close();
  };
  try {
    await page.goto(url);
    if (wait) await settled(page);
  } catch (error) {
    await close();
    throw error;
  }
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
