// Loading the page: no console error, the home screen as the child first sees
// it, everything loaded up front, nothing kept afterwards.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, text, picture, tap, shoot, settled } from './support.mjs';

test('the page starts on home with the reading and the sad buddy, and says nothing is wrong', async () => {
  const game = await openGame();
  try {
    const { page } = game;
    assert.equal(await screenClass(page), 'ViewController');
    assert.equal(await text(page, 'cgmReadingLabel'), '150.0');
    assert.equal(await picture(page, 'screenBackground'), 'sadhomescreen.jpg');
    assert.equal(await text(page, 'coinsLabel'), '0');
    // The picture really shows: decoded, with its own size.
    const size = await page.locator('[data-name="screenBackground"]').evaluate((img) => [img.complete, img.naturalWidth]);
    assert.equal(size[0], true);
    assert.ok(size[1] > 0, 'the background picture decoded');
    assert.equal(await page.title(), 'buddycare');
    await shoot(page, '01-home');
    assert.deepEqual(game.problems, []);
    assert.deepEqual(game.offsite, []);
  } finally {
    await game.close();
  }
});

test('after start nothing is fetched and nothing is stored', async () => {
  const game = await openGame();
  try {
    const { page, server } = game;
    await page.waitForLoadState('networkidle');
    const before = server.requests.length;
    await tap(page, 'cheat');
    await tap(page, 'buddyPlace');
    await tap(page, 'shopButton');
    await tap(page, 'homeButtonPressed');
    await tap(page, 'checkPlace');
    await tap(page, 'homeButtonPressed');
    await settled(page);
    assert.deepEqual(server.requests.slice(before), [], 'requests after start');
    const kept = await page.evaluate(async () => ({
      cookie: document.cookie,
      local: localStorage.length,
      session: sessionStorage.length,
      databases: indexedDB.databases ? (await indexedDB.databases()).length : 0,
      caches: (await caches.keys()).length,
    }));
    assert.deepEqual(kept, { cookie: '', local: 0, session: 0, databases: 0, caches: 0 });
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('the stage fits any window and keeps its shape', async () => {
  const game = await openGame({ viewport: { width: 1024, height: 768 } });
  try {
    const { page } = game;
    const box = await page.locator('#stage').boundingBox();
    assert.ok(Math.abs(box.height - 768) < 1, `fills the height (${box.height})`);
    assert.ok(Math.abs(box.width / box.height - 375 / 667) < 0.01, 'keeps the portrait shape');
    assert.ok(Math.abs(box.x + box.width / 2 - 512) < 1, 'centred');
    // A tap lands on the control drawn there, at any scale.
    await tap(page, 'cheat');
    assert.equal(await text(page, 'coinsLabel'), '50');
    await page.setViewportSize({ width: 320, height: 900 });
    const narrow = await page.locator('#stage').boundingBox();
    assert.ok(Math.abs(narrow.width - 320) < 1, `fills the width (${narrow.width})`);
    await shoot(page, '00-home-wide-window');
  } finally {
    await game.close();
  }
});

test('a tap while a screen slides in does nothing', async () => {
  const game = await openGame();
  try {
    const { page } = game;
    // Tap Check, then Back on the arriving screen in the same moment, before it has landed.
    const during = await page.evaluate(() => {
      document.querySelector('#screens > .screen [data-name="checkPlace"]').click();
      const busy = document.getElementById('stage').classList.contains('busy');
      const layers = document.querySelectorAll('#screens > .screen').length;
      document.querySelector('#screens > .screen:last-child [data-name="backButtonPressed"]').click();
      return { busy, layers };
    });
    assert.deepEqual(during, { busy: true, layers: 2 });
    assert.equal(await screenClass(page), 'BloodSugarViewController');
    await tap(page, 'backButtonPressed');
    assert.equal(await screenClass(page), 'ViewController');
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
