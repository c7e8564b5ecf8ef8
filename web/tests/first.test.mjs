// The first frame is on the screen before the game's code runs, and it is the game's own: the
// code takes it over unchanged, and plays the taps made meanwhile.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, settled, text, control, eventually } from './support.mjs';
import { ENGINES } from './engines.mjs';

for (const engine of ENGINES) {
  test(`in ${engine} the page draws the game's own first frame in every language, and the game takes it over unchanged`, async () => {
    const languages = [['en-US', 'en', 'Blood sugar'], ['es-MX', 'es', 'Azúcar en sangre'], ['fr-FR', 'fr', 'Sucre dans le sang']];
    // WebKitGTK's browser takes its language from the machine's locales, which the driver here cannot
    // change: it opens the English frame only.
    for (const [locale, lang, caption] of engine === 'webkit' ? languages.slice(0, 1) : languages) {
      const game = await openGame({ locale, engine });
      try {
        const { page } = game;
        const seen = await page.evaluate(() => {
          const { takeover, firstPaintMs, firstFrameMs } = window.buddycare;
          return { takeover, early: firstPaintMs !== null && firstPaintMs <= firstFrameMs, lang: document.documentElement.lang };
        });
        assert.deepEqual(seen, { takeover: { same: true, changes: 0 }, early: true, lang }, locale);
        assert.equal(await control(page, 'readingCaption').getAttribute('data-text'), caption, locale);
        assert.deepEqual(game.problems, []);
      } finally {
        await game.close();
      }
    }
  });

  test(`in ${engine}, taps on the first frame before the game runs are played once it does, each once`, async () => {
    let release;
    // The code arrives only when the test says; the first frame is already up.
    const game = await openGame({ engine, failing: { 'buddycare.wasm': new Promise((resolve) => { release = resolve; }) } });
    try {
      const { page } = game;
      await page.waitForFunction(() => window.buddycare.firstPaintMs !== null);
      assert.equal(await page.evaluate(() => document.getElementById('stage').dataset.ready === 'true'), false, 'not running yet');
      await control(page, 'cheat').click();
      await control(page, 'cheat').click();
      release();
      await settled(page);
      await eventually(() => text(page, 'coinsLabel'), '100', 'two taps, two rewards');
      assert.deepEqual(game.problems, []);
    } finally {
      await game.close();
    }
  });
}
