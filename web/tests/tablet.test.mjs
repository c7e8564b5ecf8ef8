// The game on a family tablet: a finger and a held key only play, a phone on its side asks to be
// turned, a failed load says why, and after one visit the game installs and plays offline.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdir, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { openGame, settled, text, control, bundle, serveBundle, launchWithProfile, eventually } from './support.mjs';

const coins = async (page) => Number(await text(page, 'coinsLabel'));

async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, x) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: x === undefined ? [] : [{ x, y: 400 }] });
  await touch('touchStart', from);
  for (let i = 1; i <= 10; i += 1) await touch('touchMove', from + ((to - from) * i) / 10);
  await touch('touchEnd');
  // What is checked is that nothing happens (no page left, no tap): there is no sign to wait for,
  // so a swipe gets the time a browser's back gesture takes.
  await page.waitForTimeout(600);
}

test('a finger and a held key play the game and nothing else', async () => {
  const phone = { viewport: { width: 412, height: 732 }, hasTouch: true, isMobile: true, serviceWorkers: 'block' };
  const game = await openGame({ seed: 3, device: phone });
  const { page, server } = game;
  try {
    // A page to go back to, as a visit from elsewhere would leave.
    await page.goto(`${server.url}?seed=4`);
    await settled(page);
    const [url, before] = [page.url(), await coins(page)];
    await control(page, 'cheat').tap();
    await settled(page);
    await eventually(() => coins(page), before + 50, 'a touch taps');
    for (const [from, to] of [[20, 320], [392, 92]]) await swipe(page, from, to);
    for (let i = 0; i < 2; i += 1) await control(page, 'coinsLabel').tap({ force: true });
    // A press dragged off its control and let go elsewhere does nothing, as in the window.
    const box = await control(page, 'cheat').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height * 4, { steps: 5 });
    await page.mouse.up();
    assert.deepEqual([page.url(), await coins(page)], [url, before + 50], 'a swipe leaves neither the page nor the coins');
    assert.equal(await page.evaluate(() => window.visualViewport.scale), 1, 'no zoom');
    const menu = await control(page, 'coinsLabel')
      .evaluate((el) => el.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true })));
    assert.equal(menu, false, 'no long-press menu');

    await control(page, 'cheat').focus();
    for (let i = 0; i < 11; i += 1) await page.keyboard.down('Enter');
    await page.keyboard.up('Enter');
    await settled(page);
    await eventually(() => coins(page), before + 100, 'a held Enter taps once');
    for (const [width, height, turn] of [[732, 412, true], [412, 732, false]]) {
      await page.setViewportSize({ width, height });
      await eventually(async () => [await page.locator('#turn').isVisible(), await page.locator('#stage').isVisible()], [turn, !turn]);
    }
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

const half = async (route) => route.fulfill({ body: (await (await route.fetch()).body()).subarray(0, 100000) });

// Each way the game's files can fail to come, and what the page then says.
const FAILURES = [
  ['**/buddycare.data', (route) => route.fulfill({ status: 404 }), /buddycare\.data is missing \(HTTP 404\)/],
  ['**/buddycare.data', half, /buddycare\.data is cut short \(100000 of \d+ bytes\)/],
  ['**/buddycare.data', () => {}, /buddycare\.data did not arrive/],
  ['**/buddycare.wasm', (route) => route.fulfill({ status: 404 }), /buddycare\.wasm is missing \(HTTP 404\)/],
  ['**/buddycare.wasm', half, /buddycare\.wasm is cut short/],
  ['**/buddycare.js', (route) => route.fulfill({ status: 404 }), /its scripts did not load/],
];

test('every failed load says the game could not start, and why, within seconds', async () => {
  for (const [pattern, handler, reason] of FAILURES) {
    const game = await openGame({ intercept: [pattern, handler] });
    try {
      await game.page.waitForSelector('#loading.problem', { timeout: 15000 });
      assert.match(await game.page.locator('#loading').textContent(), new RegExp(`The game could not start: ${reason.source}`));
      assert.ok(await game.page.evaluate(() => performance.now() < 8000), `${reason} took too long`);
    } finally {
      await game.close();
    }
  }
});

test('after one visit the game installs and starts with no network', async () => {
  const server = await serveBundle();
  const profile = await mkdtemp(join(tmpdir(), 'buddycare-profile-'));
  const context = await launchWithProfile(profile, { viewport: { width: 768, height: 1024 } });
  const page = context.pages()[0] || await context.newPage();
  const files = await readdir(bundle, { recursive: true });
  try {
    await page.goto(`${server.url}?seed=2`);
    await settled(page);
    // One store, holding the game's own files and nothing else.
    const kept = await page.evaluate(async () => (await navigator.serviceWorker.ready) && Promise.all((await caches.keys())
      .map(async (name) => (await (await caches.open(name)).keys()).map((r) => new URL(r.url).pathname.slice(1)))));
    assert.equal(kept.length, 1);
    assert.deepEqual(kept[0].filter((path) => path && !files.includes(path)), []);
    assert.ok(kept[0].includes('buddycare.data') && kept[0].includes('buddycare.wasm'));
    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

    await context.setOffline(true);
    const asked = server.requests.length;
    await page.reload();
    await settled(page);
    const before = await coins(page);
    await control(page, 'cheat').click();
    await eventually(() => coins(page), before + 50, 'plays offline');
    assert.equal(server.requests.length, asked, 'nothing asked of the server');
  } finally {
    await context.close();
    await server.close();
    await rm(profile, { recursive: true, force: true });
  }
});
