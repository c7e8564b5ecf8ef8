// A finger-stick check in the browser changes what home shows.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, text, picture, tap, shoot, gameState } from './support.mjs';

test('a good check stores the new reading, pays five coins and cheers the buddy up at home', async () => {
  const game = await openGame({ seed: 7 });
  try {
    const { page } = game;
    assert.equal(await text(page, 'cgmReadingLabel'), '150.0');
    await tap(page, 'checkPlace');
    assert.equal(await screenClass(page), 'BloodSugarViewController');
    await shoot(page, '20-bloodsugar');
    await tap(page, '->BloodSugarCheckInstructionsViewController');
    await shoot(page, '21-bloodsugar-instructions');
    await tap(page, '->AskForBloodViewController');
    await shoot(page, '22-bloodsugar-ask');
    await tap(page, '->BloodSugarCheckInProgressViewController');
    await shoot(page, '23-bloodsugar-in-progress');
    await tap(page, 'goodButtonPressed');
    assert.equal(await screenClass(page), 'GoodResultsViewController');
    assert.equal(await text(page, 'coinsLabel'), '5');
    await shoot(page, '24-bloodsugar-good');
    await tap(page, '->BloodSugarResultsViewController');
    await shoot(page, '25-bloodsugar-results');
    const reading = (await gameState(page)).bloodSugarLevel;
    assert.ok(reading >= 70 && reading <= 99, `a good check reads in the band: ${reading}`);
    await tap(page, '<-root');
    assert.equal(await screenClass(page), 'ViewController');
    assert.equal(await text(page, 'cgmReadingLabel'), reading.toFixed(1));
    assert.equal(await picture(page, 'screenBackground'), 'homescreen.jpg');
    await shoot(page, '26-home-after-check');
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('a bad check reads high and home shows it, sad above the band', async () => {
  const game = await openGame({ seed: 3 });
  try {
    const { page } = game;
    await tap(page, 'checkPlace');
    await tap(page, '->BloodSugarCheckInstructionsViewController');
    await tap(page, '->AskForBloodViewController');
    await tap(page, '->BloodSugarCheckInProgressViewController');
    await tap(page, 'badButtonPressed');
    assert.equal(await screenClass(page), 'BadResultsViewController');
    await shoot(page, '27-bloodsugar-bad');
    const reading = (await gameState(page)).bloodSugarLevel;
    assert.ok(reading >= 120 && reading <= 149, `a bad check reads high: ${reading}`);
    await tap(page, 'homeButtonPressed');
    assert.equal(await text(page, 'cgmReadingLabel'), reading.toFixed(1));
    assert.equal(await picture(page, 'screenBackground'), reading > 140 ? 'sadhomescreen.jpg' : 'homescreen.jpg');
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
