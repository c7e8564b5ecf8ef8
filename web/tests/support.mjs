// Plays the web bundle in headless Chromium: a static server on the loopback
// address, a browser that reaches nothing else, and helpers that tap what a
// child taps.
import { createServer } from 'node:http';
import { readFile, mkdir } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { chromium } from 'playwright-core';

export const bundle = resolve(process.env.BUDDYCARE_BUNDLE || new URL('../../build-web/bundle', import.meta.url).pathname);
export const output = resolve(process.env.BUDDYCARE_WEB_OUTPUT || new URL('../../build-web/test-output', import.meta.url).pathname);

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.otf': 'font/otf',
};

// Any static file server will do; this one also counts what was asked for.
export async function serveBundle() {
  const requests = [];
  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    requests.push(path);
    const file = normalize(join(bundle, path === '/' ? 'index.html' : path));
    if (!file.startsWith(bundle)) {
      res.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store' });
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  const { port } = server.address();
  return { url: `http://127.0.0.1:${port}/`, requests, close: () => new Promise((ok) => server.close(ok)) };
}

export const CHROMIUM_ARGS = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--disable-quic',
];

export function launch() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args: CHROMIUM_ARGS });
}

// One fresh game in a fresh browser, with the console and the network watched.
// With `refuse`, the files matching it fail to load and the start is not awaited.
export async function openGame({ seed, viewport = { width: 375, height: 667 }, refuse } = {}) {
  const server = await serveBundle();
  const browser = await launch();
  const context = await browser.newContext({ viewport, deviceScaleFactor: 2, reducedMotion: 'no-preference' });
  const page = await context.newPage();
  const problems = [];
  const consoleLines = [];
  const offsite = [];
  page.on('console', (message) => {
    consoleLines.push(`${message.type()}: ${message.text()}`);
    if (message.type() === 'error') problems.push(message.text());
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  page.on('request', (request) => {
    const url = request.url();
    if (!url.startsWith(server.url) && !url.startsWith('blob:') && !url.startsWith('data:')) offsite.push(url);
  });
  if (refuse) await page.route(refuse, (route) => route.abort());
  await page.goto(seed === undefined ? server.url : `${server.url}?seed=${seed}`);
  if (!refuse) {
    await page.waitForSelector('#stage[data-ready="true"]', { timeout: 30000 });
    await settled(page);
  }
  const close = async () => {
    await browser.close();
    await server.close();
  };
  const game = { page, server, problems, consoleLines, offsite, close };
  return game;
}

// Nothing moving, one screen showing.
export async function settled(page) {
  await page.waitForFunction(() => {
    const stage = document.getElementById('stage');
    return stage.dataset.ready === 'true' && !stage.classList.contains('busy') &&
      document.querySelectorAll('#screens > .screen').length === 1;
  }, null, { timeout: 10000 });
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

export async function text(page, name) {
  return control(page, name).getAttribute('data-text');
}

export async function isShown(page, name) {
  return control(page, name).isVisible();
}

export async function gameState(page) {
  return page.evaluate(() => window.buddycare.state());
}

export async function shoot(page, name) {
  await mkdir(output, { recursive: true });
  await settled(page);
  // Let the browser finish painting the settled frame.
  await page.evaluate(() => new Promise((ok) => requestAnimationFrame(() => requestAnimationFrame(ok))));
  await page.screenshot({ path: join(output, `${name}.png`) });
}
