// Earning, buying and wearing the bow tie in the browser.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, text, picture, tap, shoot, control, isShown, gameState } from './support.mjs';

test('the bow tie is refused while short, bought with enough coins, and worn at home', async () => {
  const game = await openGame();
  try {
    const { page } = game;
    for (let i = 0; i < 3; i += 1) await tap(page, 'cheat');
    assert.equal(await text(page, 'coinsLabel'), '150');
    await tap(page, 'buddyPlace');
    assert.equal(await screenClass(page), 'BuddyCentralViewController');
    await shoot(page, '30-buddy-central');
    await tap(page, 'shopButton');
    assert.equal(await screenClass(page), 'ItemViewController');
    await shoot(page, '31-shop');
    await tap(page, 'buyButton');
    assert.equal(await picture(page, 'screenBackground'), 'cannotbuybowtie.jpg');
    assert.equal(await control(page, 'buyButton').isDisabled(), true);
    assert.deepEqual((await gameState(page)).items, []);
    await shoot(page, '32-shop-not-enough');

    await tap(page, 'homeButtonPressed');
    await tap(page, 'cheat');
    assert.equal(await text(page, 'coinsLabel'), '200');
    await tap(page, 'buddyPlace');
    await tap(page, 'shopButton');
    await tap(page, 'buyButton');
    assert.equal(await picture(page, 'screenBackground'), 'boughtbowtie.jpg');
    assert.equal(await text(page, 'coinsLabel'), '0');
    assert.deepEqual((await gameState(page)).items, ['bowtie']);
    await shoot(page, '33-shop-bought');

    await tap(page, 'closetButton');
    assert.equal(await screenClass(page), 'ClosetViewController');
    await shoot(page, '34-closet');
    await tap(page, 'itemButton');
    assert.equal(await screenClass(page), 'ClosetItemSelectedViewController');
    await shoot(page, '35-closet-item');
    await tap(page, 'wearButton');
    await tap(page, 'homeButtonPressed');
    assert.equal(await screenClass(page), 'ViewController');
    assert.equal(await isShown(page, 'itemWorn'), true);
    assert.equal(await control(page, 'itemWorn').getAttribute('alt'), 'Bow tie');
    await shoot(page, '36-home-with-bow-tie');
    await tap(page, 'buddyPlace');
    assert.equal(await isShown(page, 'itemWorn'), true);
    await shoot(page, '37-buddy-central-with-bow-tie');
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
