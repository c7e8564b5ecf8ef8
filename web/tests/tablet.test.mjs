// The game on a family tablet: a finger and a held key play it and nothing
// else, a phone held sideways asks to be turned, every failed load says why,
// and after one visit the game installs and starts with no network.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdir, mkdtemp, rm, cp, readFile, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { openGame, settled, text, control, bundle, shoot, serveBundle, launchWithProfile } from './support.mjs';

const TOUCH = { viewport: { width: 412, height: 732 }, hasTouch: true, isMobile: true };
const coins = async (page) => Number(await text(page, 'coinsLabel'));

async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const at = (x) => [{ x, y: 400, id: 1 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(from) });
  for (let i = 1; i <= 10; i += 1) {
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(from + ((to - from) * i) / 10) });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.waitForTimeout(600);
}

test('a finger and a held key play the game and nothing else', async () => {
  const game = await openGame({ seed: 3, device: TOUCH });
  const { page, server } = game;
  try {
    // A page to go back to, as a visit from elsewhere would leave.
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.goto(`${server.url}?seed=4`);
    await settled(page);
    const url = page.url();
    const before = await coins(page);
    const box = await control(page, 'cheat').boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await settled(page);
    assert.equal(await coins(page), before + 50, 'a touch taps');

    for (const [from, to] of [[20, 320], [392, 92]]) await swipe(page, from, to);
    const label = await control(page, 'coinsLabel').boundingBox();
    for (let i = 0; i < 2; i += 1) await page.touchscreen.tap(label.x + label.width / 2, label.y + label.height / 2);
    assert.equal(page.url(), url, 'a swipe does not leave the page');
    assert.equal(await coins(page), before + 50, 'the coins stay');
    assert.equal(await page.evaluate(() => window.visualViewport.scale), 1, 'no zoom');
    const [menu, selected] = await control(page, 'coinsLabel').evaluate((el) => {
      const held = new MouseEvent('contextmenu', { bubbles: true, cancelable: true });
      el.dispatchEvent(held);
      document.getSelection().selectAllChildren(document.body);
      return [held.defaultPrevented, document.getSelection().toString().trim()];
    });
    assert.deepEqual([menu, selected], [true, ''], 'no long-press menu, nothing selected');

    await control(page, 'cheat').focus();
    for (let i = 0; i < 11; i += 1) await page.keyboard.down('Enter');
    await page.keyboard.up('Enter');
    await settled(page);
    assert.equal(await coins(page), before + 100, 'a held Enter taps once');

    // A phone on its side asks to be turned; upright again, the game is as it was.
    await page.setViewportSize({ width: 732, height: 412 });
    assert.equal(await page.locator('#turn').isVisible(), true);
    assert.equal(await page.locator('#stage').isVisible(), false);
    await shoot(page, 'phone-sideways').catch(() => {});
    await page.setViewportSize({ width: 412, height: 732 });
    assert.equal(await page.locator('#turn').isVisible(), false);
    assert.equal(await coins(page), before + 100);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

const half = async (route) => {
  const whole = await (await route.fetch()).body();
  await route.fulfill({ status: 200, contentType: 'application/octet-stream', body: whole.subarray(0, whole.length >> 1) });
};

// Each way the game's files can fail to come, and what the page then says.
const FAILURES = [
  ['**/buddycare.data', (route) => route.fulfill({ status: 404 }), /buddycare\.data is missing \(HTTP 404\)/],
  ['**/buddycare.data', half, /buddycare\.data is cut short \(\d+ of \d+ bytes\)/],
  ['**/buddycare.data', () => {}, /buddycare\.data did not arrive/],
  ['**/buddycare.wasm', (route) => route.fulfill({ status: 404 }), /buddycare\.wasm is missing \(HTTP 404\)/],
  ['**/buddycare.wasm', half, /buddycare\.wasm is cut short/],
];

test('every failed load says the game could not start, and why, within seconds', async () => {
  for (const [pattern, handler, reason] of FAILURES) {
    const game = await openGame({ intercept: [pattern, handler] });
    try {
      await game.page.waitForSelector('#loading.problem', { timeout: 15000 });
      const said = await game.page.locator('#loading').textContent();
      assert.match(said, /The game could not start/, String(reason));
      assert.match(said, reason);
      const took = await game.page.evaluate(() => performance.now());
      assert.ok(took < 8000, `${reason} took ${took} ms`);
    } finally {
      await game.close();
    }
  }
});

test('after one visit the game installs, starts with no network, and a new build replaces the old', async () => {
  const profile = await mkdtemp(join(tmpdir(), 'buddycare-profile-'));
  // A copy of the bundle, to put the next build's worker in.
  const served = join(profile, 'site');
  await cp(bundle, served, { recursive: true });
  await rm(join(served, 'sw.js.gz'), { force: true });
  await rm(join(served, 'sw.js.br'), { force: true });
  const server = await serveBundle(served);
  const context = await launchWithProfile(profile, { viewport: { width: 768, height: 1024 } });
  const page = context.pages()[0] || await context.newPage();
  const problems = [];
  page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
  try {
    await page.goto(`${server.url}?seed=2`);
    await settled(page);
    const store = await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      const [name] = await caches.keys();
      const kept = await (await caches.open(name)).keys();
      return { names: await caches.keys(), paths: kept.map((r) => new URL(r.url).pathname) };
    });
    // The store holds the game's own files and nothing else.
    const files = (await readdir(bundle, { recursive: true })).filter((f) => !/\.(gz|br)$/.test(f));
    for (const path of store.paths) assert.ok(path === '/' || files.includes(path.slice(1)), `${path} is the game's`);
    assert.ok(store.paths.includes('/buddycare.data') && store.paths.includes('/buddycare.wasm'));

    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

    await page.reload();
    await settled(page);
    await context.setOffline(true);
    const asked = server.requests.length;
    await page.reload();
    await settled(page);
    const before = Number(await text(page, 'coinsLabel'));
    await control(page, 'cheat').click();
    assert.equal(Number(await text(page, 'coinsLabel')), before + 50, 'plays offline');
    assert.equal(server.requests.length, asked, 'nothing asked of the server');
    await context.setOffline(false);

    // The next build's worker fills its own store, then the old one goes.
    const worker = join(served, 'sw.js');
    await writeFile(worker, (await readFile(worker, 'utf8')).replace(/const VERSION = '([^']*)'/, "const VERSION = '$1-next'"));
    const names = await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      await registration.update();
      for (let i = 0; i < 100 && (await caches.keys()).some((n) => !n.endsWith('-next')); i += 1) {
        await new Promise((ok) => setTimeout(ok, 100));
      }
      return caches.keys();
    });
    assert.deepEqual(names, [`${store.names[0]}-next`]);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
    await server.close();
    await rm(profile, { recursive: true, force: true });
  }
});
