// One tour of the whole game in headless Chromium, as a child plays it with a
// finger and as someone plays it with a keyboard and a screen reader. The
// rules of care are the C++ tests' business; this checks what only the page
// can get wrong: what shows, what is named, what the keys do, WCAG 2.2 AA by
// axe-core, real time, the network and storage. Screenshots go to the output.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { ENGINES } from './engines.mjs';
import { openGame, screenClass, text, tap, stepper, shoot, control, isShown, gameState, settled, eventually } from './support.mjs';

const CHECK = ['checkPlace', '->BloodSugarCheckInstructionsViewController', '->AskForBloodViewController',
  '->BloodSugarCheckInProgressViewController'];
const BOLUS = ['insulinPlace', 'continueButtonClicked', 'continueButtonPressed', '->InsulinGivingViewController'];

// Taps from where the row before left off, and the screen they lead to.
const TOUR = [
  [[], 'ViewController'],
  [['checkPlace'], 'BloodSugarViewController'],
  [['->TrendsViewController'], 'TrendsViewController'],
  [['backButtonPressed', '->BloodSugarCheckInstructionsViewController'], 'BloodSugarCheckInstructionsViewController'],
  [['->AskForBloodViewController'], 'AskForBloodViewController'],
  [['->BloodSugarCheckInProgressViewController'], 'BloodSugarCheckInProgressViewController'],
  [['goodButtonPressed'], 'GoodResultsViewController'],
  [['->BloodSugarResultsViewController'], 'BloodSugarResultsViewController'],
  [['<-root', ...CHECK, 'badButtonPressed'], 'BadResultsViewController'],
  [['homeButtonPressed', ...CHECK, 'lowCheckPressed'], 'LowResultsViewController'],
  [['toldGrownUpPressed'], 'TreatLowViewController'],
  [['juiceBox'], 'LowWaitViewController'],
  [['checkAgainButton'], 'LowRecheckViewController'],
  [['homeButtonPressed', 'insulinPlace'], 'InsulinFoodViewController'],
  [['carbCounterButtonPressed'], 'CarbCounterMainViewController'],
  [['->CarbCounterAddViewController'], 'CarbCounterAddViewController'],
  [['homeButtonPressed', 'insulinPlace', 'continueButtonClicked'], 'InsulinExerciseViewController'],
  [['continueButtonPressed'], 'InsulinSuggestionViewController'],
  [['->InsulinGivingViewController'], 'InsulinGivingViewController'],
  [['stop'], 'InsulinStoppedViewController'],
  [['homeButtonPressed', ...BOLUS, 'wait:InsulinCompleteViewController'], 'InsulinCompleteViewController'],
  [['done', 'eatPlace'], 'nomNomViewController'],
  [['homeButtonPressed', 'cheat', 'cheat', 'cheat', 'cheat', 'buddyPlace'], 'BuddyCentralViewController'],
  [['shopButton'], 'ItemViewController'],
  [['closetButton'], 'ClosetViewController'],
  [['itemButton'], 'ClosetItemSelectedViewController'],
  [['wearButton', 'homeButtonPressed', 'buddyPlace', 'gamesButton'], 'GamesScreenViewController'],
  [['playButton'], 'CarbGameViewController'],
  [Array(10).fill(['hasCarbsButton', 'nextButton']).flat(), 'CarbGameResultsViewController'],
  [['homeButtonPressed', 'settingsPlace', 'lockButton'], 'SettingsMainViewController'],
  [['practiceButton'], 'PracticeViewController'],
  [['homeButtonPressed', 'jobsButton'], 'JobsViewController'],
  [['stickerBookButton'], 'StickerBookViewController'],
];

// What the keyboard is on, or what a button is: the control's name, a
// stepper's half, or the bar's back.
function keyOf(el) {
  if (el.id === 'bar-back') return 'bar-back';
  const owner = el.closest('[data-name]');
  if (!owner) return el.tagName.toLowerCase();
  return owner.dataset.kind === 'stepper' ? `${owner.dataset.name}:${el.className}` : owner.dataset.name;
}
const focusedKey = (page) => page.evaluate(`(${keyOf})(document.activeElement)`);
const announced = (page) => page.locator('#announcer').textContent();

// Past the page's last control Tab goes on to the browser's own bar, and Firefox then brings it
// back to that same control, not the first: so a walk by keys starts at the top of the stage
// (made focusable for the moment) with one Tab, which lands on its first control.
async function tabFromTop(page) {
  await page.evaluate(() => { const stage = document.getElementById('stage'); stage.tabIndex = -1; stage.focus(); });
  await page.keyboard.press('Tab');
  await page.evaluate(() => document.getElementById('stage').removeAttribute('tabindex'));
}

async function tabTo(page, key) {
  await settled(page);
  await tabFromTop(page);
  for (let i = 0; i < 40; i += 1) {
    if ((await focusedKey(page)) === key) return;
    await page.keyboard.press('Tab');
  }
  assert.fail(`Tab never reaches ${key}`);
}

const AXE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// axe-core finds nothing against WCAG 2.2 AA (evaluated in the page: nothing
// is fetched); every shown, enabled control that takes a tap has a name a
// screen reader says, and Tab reaches each one.
async function audit(page, screen) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(AXE);
  const found = await page.evaluate(() => window.axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] })
    .then((r) => r.violations.flatMap((v) => v.nodes.map((n) => `${v.id}: ${n.target.join(' ')}: ${n.failureSummary}`))));
  assert.deepEqual(found, [], `${screen} against WCAG 2.2 AA`);
  const wanted = await page.evaluate(`[...document.querySelectorAll('#screens > .screen:last-child button')]
    .filter((el) => !el.disabled && !el.closest('[hidden]'))
    .map((el) => ({ key: (${keyOf})(el), name: (el.getAttribute('aria-label') || el.textContent).trim() }))`);
  const seen = new Set();
  await tabFromTop(page);
  seen.add(await focusedKey(page));
  for (let i = 0; i < wanted.length * 2 + 4 && !wanted.every((w) => seen.has(w.key)); i += 1) {
    await page.keyboard.press('Tab');
    seen.add(await focusedKey(page));
  }
  for (const { key, name } of wanted) {
    assert.ok(name, `${screen}: ${key} has no name`);
    assert.ok(seen.has(key), `${screen}: Tab never reaches ${key} `);
  }
}

// Every shown control sits where the game's frame description puts it (the
// window paints the same description: tests/platform/sdl/PainterTest.cpp),
// and every text shows the lines and the size the game fitted it to.
async function placedAsDescribed(page, screen) {
  const wrong = await page.evaluate(() => {
    const frame = window.buddycare.frame();
    const top = frame.screens[frame.screens.length - 1];
    const layer = document.querySelector(`#screens > .screen[data-id="${top.id}"]`);
    const stage = document.getElementById('stage').getBoundingClientRect();
    const scale = stage.width / frame.canvas.width;
    const off = [];
    for (const c of top.controls) {
      const el = layer.querySelector(`:scope > [data-name="${c.name}"]`);
      if (!el || el.hidden !== c.hidden) off.push(`${c.name}: shown ${!el?.hidden}, described ${!c.hidden}`);
      if (!el || el.hidden) continue;
      const r = el.getBoundingClientRect();
      const at = [(r.left - stage.left) / scale, (r.top - stage.top) / scale, r.width / scale, r.height / scale];
      if (at.some((v, i) => Math.abs(v - c.frame[i]) > 0.5)) off.push(`${c.name} at ${at.map(Math.round)}, described ${c.frame}`);
      const text = el.querySelector('.text, .title');
      if (c.fitted && text && !text.hidden && (text.textContent !== c.fitted.lines || text.style.fontSize !== `${c.fitted.size}px`)) {
        off.push(`${c.name} reads ${JSON.stringify(text.textContent)} at ${text.style.fontSize}, fitted ${JSON.stringify(c.fitted.lines)} at ${c.fitted.size}px`);
      }
    }
    return off;
  });
  assert.deepEqual(wrong, [], `${screen} as described`);
}

// Checks made on arriving at a screen, beyond the audit every screen gets.
const AT = {
  async ViewController(page) {
    const [complete, width] = await control(page, 'screenBackground').evaluate((img) => [img.complete, img.naturalWidth]);
    assert.ok(complete && width > 0, 'the background picture decoded');
    assert.equal(await page.title(), 'buddycare');
    // Tab reads the row of places from the left, as the window does.
    await tabTo(page, 'cheat');
    for (const key of ['checkPlace', 'insulinPlace', 'eatPlace']) {
      await page.keyboard.press('Tab');
      await eventually(() => focusedKey(page), key);
    }
  },
  async BloodSugarViewController(page) {
    // A screen reader hears where it is after a move.
    await eventually(() => page.evaluate(() => document.activeElement.tagName), 'H1');
  },
  async TreatLowViewController(page) {
    // Water says why it does not help and leaves the child on the screen.
    await tap(page, 'water');
    await eventually(() => isShown(page, 'notFastSugarLabel'), true);
    assert.equal(await screenClass(page), 'TreatLowViewController');
  },
  async LowWaitViewController(page) {
    // Check again is there from the start and takes a tap once the wait of 15 real seconds is over.
    const ready = () => control(page, 'checkAgainButton').evaluate((el) => !el.disabled);
    assert.equal(await ready(), false);
    await eventually(ready, true, 'Check again after the wait', 20000);
  },
  async LowRecheckViewController(page) {
    await eventually(() => isShown(page, 'doneButton'), true);
  },
  async InsulinExerciseViewController(page) {
    await tabTo(page, 'eSwitch');
    await page.keyboard.press('Space');
    await eventually(() => control(page, 'eSwitch').getAttribute('aria-checked'), 'true');
    await eventually(() => isShown(page, 'containerView'), true);
    await tabTo(page, 'stepper:plus');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Enter');
    await eventually(() => text(page, 'hourLabel'), '3');
    await eventually(() => announced(page), 'Hours of exercise: 3');
  },
  async InsulinStoppedViewController(page) {
    // Past the delivery's two seconds: the stopped dose stays stopped.
    await page.waitForTimeout(2500);
    assert.equal(await screenClass(page), 'InsulinStoppedViewController');
  },
  async ItemViewController(page) {
    // The bought item's button turns off under the keyboard, which stays on the screen.
    await tabTo(page, 'buyButton');
    await page.keyboard.press('Enter');
    await settled(page);
    await eventually(() => focusedKey(page), 'h1');
  },
  async PracticeViewController(page) {
    // Each count is read with its row and column; the tour made one good check today.
    await eventually(() => control(page, 'goodChecksToday').textContent(), 'Good checks today: 1');
  },
  async JobsViewController(page) {
    // By now the tour has done every job but counting carbs: the ticks follow the day's three.
    const done = (await gameState(page)).jobsDone;
    for (const n of [1, 2, 3]) {
      const job = (await gameState(page)).jobsToday[n - 1];
      await eventually(() => isShown(page, `jobTick${n}`), done.includes(job), `the tick of ${job}`);
    }
    await eventually(() => isShown(page, 'celebrationLabel'), done.length === 3);
  },
  async SettingsMainViewController(page) {
    await stepper(page, 'carbStepper', true);
    await eventually(async () => (await announced(page)) === `Carb ratio: ${await text(page, 'carbLabel')}`, true, 'the new ratio said');
    // Past its lowest, the basal rate is still said as shown, not in the tenths it keeps.
    await control(page, 'basalRateStepper').locator('.minus').focus();
    for (let i = 0; i < 16; i += 1) await page.keyboard.press('ArrowDown');
    await eventually(() => announced(page), 'Basal rate: 0.0');
  },
};

for (const engine of ENGINES) test(`the tour in ${engine}: every screen shows, is named and reached by keys, and nothing leaves the page`, async () => {
  const game = await openGame({ seed: 5, engine });
  const { page, server } = game;
  try {
    // A tap on the arriving screen before it has landed does nothing.
    const during = await page.evaluate(() => {
      document.querySelector('#screens [data-name="checkPlace"]').click();
      const busy = document.getElementById('stage').classList.contains('busy');
      document.querySelector('#screens > .screen:last-child [data-name="backButtonPressed"]').click();
      return busy;
    });
    assert.equal(during, true);
    assert.equal(await screenClass(page), 'BloodSugarViewController');
    await tap(page, 'backButtonPressed');
    // Only playwright's Chromium tells when the network is idle; elsewhere the service worker's store says it.
    if (engine === 'chromium') await page.waitForLoadState('networkidle');
    // The other screens' pictures come after the start; once they have and the service worker
    // keeps the page, nothing more is fetched.
    await page.evaluate(() => Promise.all([navigator.serviceWorker.ready, window.buddycare.restDecoded]));
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const requests = server.requests.length;

    for (const [taps, screen] of TOUR) {
      let tapped = 0;
      for (const step of taps) {
        if (step.startsWith('wait:')) {
          await page.waitForSelector(`#screens > .screen[data-screen="${step.slice(5)}"]`, { timeout: 10000 });
          assert.ok(Date.now() - tapped >= 1900, 'the delivery completes by itself, after two seconds');
        } else if (step === 'checkPlace' && screen === 'BloodSugarViewController') {
          await tabTo(page, step);
          await page.keyboard.press('Enter');
        } else {
          await tap(page, step);
          tapped = Date.now();
        }
      }
      assert.equal(await screenClass(page), screen);
      await shoot(page, `${String(TOUR.findIndex(([, s]) => s === screen)).padStart(2, '0')}-${screen}`);
      await placedAsDescribed(page, screen);
      if (AT[screen]) await AT[screen](page);
      await audit(page, screen);
    }
    // The page shows what the game holds, the bow tie included.
    await tap(page, 'homeButtonPressed');
    assert.equal(await screenClass(page), 'ViewController');
    await eventually(async () => (await text(page, 'coinsLabel')) === String((await gameState(page)).coins), true, 'the coins held');
    await eventually(() => isShown(page, 'itemWorn'), true);

    // A wide window: the stage keeps its shape, centred, and taps land where drawn.
    await page.setViewportSize({ width: 1024, height: 768 });
    await eventually(async () => {
      const [box, width, height] = [await page.locator('#stage').boundingBox(), ...await page.evaluate(() => [innerWidth, innerHeight])];
      return { 'fills the height': Math.abs(box.height - height) < 1, centred: Math.abs(box.x + box.width / 2 - width / 2) < 1,
        'keeps the portrait shape': Math.abs(box.width / box.height - 375 / 667) < 0.01 };
    }, { 'fills the height': true, centred: true, 'keeps the portrait shape': true });
    const coins = Number(await text(page, 'coinsLabel'));
    await tap(page, 'cheat');
    await eventually(() => text(page, 'coinsLabel'), String(coins + 50));
    await shoot(page, 'home-wide-window');

    assert.deepEqual(server.requests.slice(requests), [], 'nothing fetched after start');
    const kept = await page.evaluate(async () => [document.cookie, localStorage.length, sessionStorage.length,
      (await indexedDB.databases()).length, (await caches.keys()).filter((name) => !name.startsWith('buddycare-')).length]);
    assert.deepEqual(kept, ['', 0, 0, 0, 0], 'nothing stored');
    assert.deepEqual(game.offsite, []);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('remembering keeps the game in the page\'s one storage entry across a reload, and switched off removes it', async () => {
  const game = await openGame({ seed: 5 });
  const { page } = game;
  const kept = () => page.evaluate(() => [localStorage.length, JSON.parse(localStorage.getItem('buddycare-progress'))?.coins]);
  try {
    for (const name of ['cheat', 'settingsPlace', 'lockButton', 'rememberSwitch', 'homeButtonPressed', 'cheat']) await tap(page, name);
    await eventually(kept, [1, 100]);
    await page.reload();
    await eventually(async () => (await screenClass(page)) && text(page, 'coinsLabel'), '100', 'the coins back after a reload');
    // Kept things are the game's to show: no first frame was drawn before it, which would show 0 coins.
    assert.equal(await page.evaluate(() => window.buddycare.firstPaintMs), null);
    for (const name of ['settingsPlace', 'lockButton', 'rememberSwitch']) await tap(page, name);
    await eventually(kept, [0, undefined]);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('the page plays the sounds and says the lines the game heard', async () => {
  const game = await openGame({ seed: 5 });
  const { page } = game;
  try {
    // Each played sound by its length (tap 0.05 s, coin 0.30 s), each line by its words.
    await page.evaluate(() => {
      // As on a phone, where a finger's press makes a context that stays suspended until resumed.
      const Context = window.AudioContext;
      window.AudioContext = class extends Context {
        get state() { return this.resumed ? super.state : 'suspended'; }
        resume() { this.resumed = true; return super.resume(); }
      };
      window.playedByPage = [];
      // Sounds play once decoded, which the audio does on its first tap.
      window.decoding = 0;
      const decode = BaseAudioContext.prototype.decodeAudioData;
      BaseAudioContext.prototype.decodeAudioData = function counted(...args) {
        window.decoding += 1;
        return decode.apply(this, args).finally(() => { window.decoding -= 1; });
      };
      window.speechSynthesis.speak = (utterance) => window.playedByPage.push(`say:${utterance.text}`);
      const start = AudioBufferSourceNode.prototype.start;
      AudioBufferSourceNode.prototype.start = function play(...args) {
        if (this.context.state === 'suspended') return undefined;
        window.playedByPage.push(`sound:${this.buffer.duration.toFixed(2)}`);
        return start.apply(this, args);
      };
    });
    // The first tap starts the audio and says the line that waited for it.
    await tap(page, 'cheat');
    await page.waitForFunction(() => window.playedByPage.length > 0);
    assert.match((await page.evaluate(() => window.playedByPage))[0], /^say:Hi, I'm your buddy!/);
    await page.waitForFunction(() => window.decoding === 0);
    await page.evaluate(() => { window.playedByPage = []; });
    await tap(page, 'cheat');
    await tap(page, 'buddyPlace');
    await settled(page);
    await eventually(() => page.evaluate(() => window.playedByPage),
      ['sound:0.05', 'sound:0.30', 'sound:0.05', 'say:This is me! Tap Shop, Closet or Games.']);
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('a browser that prefers Spanish plays in Spanish, and every text fits its control from its first showing', async () => {
  const [game, french] = [await openGame({ seed: 1, locale: 'es-MX' }), await openGame({ seed: 1, locale: 'fr-FR' })];
  const { page } = game;
  const overflowing = (on = page) => on.evaluate(() => [...document.querySelectorAll('#screens > .screen:last-child .label')]
    .filter((l) => l.querySelector('.text').offsetHeight > l.clientHeight + 1).map((l) => l.dataset.name));
  try {
    await page.evaluate(() => { window.speechSynthesis.speak = (said) => { window.said = [said.lang, said.text]; }; });
    assert.deepEqual([await page.locator('#turn > p').textContent(), await page.getAttribute('#bar', 'aria-label')],
      ['¡Ponme de pie!', 'Navegación']);
    for (const name of ['insulinPlace', 'continueButtonClicked']) await tap(page, name);
    assert.equal(await text(page, 'hoursUnit'), 'hora');
    assert.equal(await control(page, 'stepper').locator('.plus').getAttribute('aria-label'), 'Horas de ejercicio: más');
    await tabTo(page, 'eSwitch');
    await eventually(async () => /^es .*, desactivado$/.test((await page.evaluate(() => window.said) || []).join(' ')), true, 'said in Spanish');
    await tap(page, 'continueButtonPressed');
    assert.equal(await text(page, 'doseUnit'), 'unidades de insulina');
    assert.equal(await text(page, 'reasonsLabel'), 'Porque comiste 25 gramos de hidratos\n');
    assert.deepEqual(await overflowing(), []);
    await shoot(page, 'dose-in-spanish');
    assert.deepEqual(game.problems, []);
    // A French step longer than its box, on its screen's first showing.
    for (const name of ['checkPlace', '->BloodSugarCheckInstructionsViewController']) await tap(french.page, name);
    assert.deepEqual(await overflowing(french.page), []);
  } finally {
    await game.close();
    await french.close();
  }
});
