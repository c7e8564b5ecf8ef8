// The grown-ups' settings behind their lock, in the browser.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, text, tap, stepper, shoot, control, isShown, gameState } from './support.mjs';

test('the settings stay locked until unlocked, then the steppers change the care state', async () => {
  const game = await openGame();
  try {
    const { page } = game;
    await tap(page, 'settingsPlace');
    assert.equal(await screenClass(page), 'SettingsMainViewController');
    assert.equal(await isShown(page, 'carbStepper'), false);
    assert.equal(await isShown(page, 'basalRateStepper'), false);
    assert.equal(await control(page, 'lockButton').getAttribute('data-title'), 'Unlock');
    assert.equal(await text(page, 'carbLabel'), '15');
    await shoot(page, '40-settings-locked');

    await tap(page, 'lockButton');
    assert.equal(await control(page, 'lockButton').getAttribute('data-title'), 'Lock');
    assert.equal(await isShown(page, 'carbStepper'), true);
    await stepper(page, 'carbStepper', true);
    assert.equal(await text(page, 'carbLabel'), '16');
    // The new value is said aloud, with what it is.
    assert.equal(await page.locator('#announcer').textContent(), 'Carb ratio: 16');
    await stepper(page, 'basalRateStepper', false);
    assert.equal(await text(page, 'basalLabel'), '1.4');
    assert.equal(await page.locator('#announcer').textContent(), 'Basal rate: 1.4');
    const state = await gameState(page);
    assert.equal(state.carbRatio, 16);
    assert.equal(state.basalRate, 14);
    await shoot(page, '41-settings-unlocked');

    await tap(page, 'lockButton');
    assert.equal(await isShown(page, 'carbStepper'), false);
    assert.equal((await gameState(page)).settingsLocked, true);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
