// A whole insulin bolus in the browser: the meal, the exercise question, the
// suggestion, the delivery and the reward when it completes by itself.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, text, tap, shoot, control, gameState, settled } from './support.mjs';

test('a bolus from the meal question to the reward, completing by itself after two seconds', async () => {
  const game = await openGame({ seed: 1 });
  try {
    const { page } = game;
    await tap(page, 'insulinPlace');
    assert.equal(await screenClass(page), 'InsulinFoodViewController');
    // The remembered 25 g meal is included.
    assert.equal(await control(page, 'yesSwitch').getAttribute('aria-checked'), 'true');
    await shoot(page, '10-insulin-meal');

    await tap(page, 'continueButtonClicked');
    assert.equal(await screenClass(page), 'InsulinExerciseViewController');
    assert.equal(await control(page, 'eSwitch').getAttribute('aria-checked'), 'false');
    assert.equal(await control(page, 'containerView').isVisible(), false, 'no hours asked without exercise');
    await shoot(page, '11-insulin-exercise');

    await tap(page, 'continueButtonPressed');
    assert.equal(await screenClass(page), 'InsulinSuggestionViewController');
    assert.equal(await text(page, 'suggestedBolusLabel'), '2');
    assert.equal((await gameState(page)).bolusTarget, 1.6666666);
    await shoot(page, '12-insulin-suggestion');

    await tap(page, '->InsulinGivingViewController');
    const tapped = Date.now();
    assert.equal(await screenClass(page), 'InsulinGivingViewController');
    assert.equal(await text(page, 'coinsLabel'), '0');
    await shoot(page, '13-insulin-giving');

    await page.waitForSelector('#screens > .screen[data-screen="InsulinCompleteViewController"]', { timeout: 10000 });
    const waited = Date.now() - tapped;
    // The delivery timer cannot fire early; how late it is depends on the machine.
    assert.ok(waited >= 1900, `complete after ${waited} ms`);
    await settled(page);
    assert.equal(await text(page, 'coinsLabel'), '5');
    assert.equal(await text(page, 'reward'), 'You earned 5 coins!');
    assert.equal((await gameState(page)).coins, 5);
    await shoot(page, '14-insulin-complete');
    assert.ok(game.consoleLines.some((line) => line.endsWith('Hello')), 'the completion writes its console line');

    await tap(page, 'done');
    assert.equal(await screenClass(page), 'ViewController');
    assert.equal(await text(page, 'coinsLabel'), '5');
    assert.equal((await gameState(page)).bolusTarget, 0);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('stopping a delivery part-way pays nothing and the late timer moves nothing', async () => {
  const game = await openGame({ seed: 1 });
  try {
    const { page } = game;
    await tap(page, 'insulinPlace');
    await tap(page, 'continueButtonClicked');
    await tap(page, 'continueButtonPressed');
    await tap(page, '->InsulinGivingViewController');
    await tap(page, 'stop');
    assert.equal(await screenClass(page), 'InsulinStoppedViewController');
    await shoot(page, '15-insulin-stopped');
    // Past the delivery's two seconds: still on the stopped screen, no coins.
    await page.waitForTimeout(2500);
    assert.equal(await screenClass(page), 'InsulinStoppedViewController');
    assert.equal((await gameState(page)).coins, 0);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
