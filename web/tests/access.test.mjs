// Every screen without a mouse and without sight: each control is reached with
// Tab, works with Enter, Space and the arrows, and has a name in the browser's
// accessibility tree. A screenshot of each screen goes to the test output.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openGame, screenClass, tap, shoot, control, settled, accessibilityTree } from './support.mjs';

const CHECK = ['checkPlace', '->BloodSugarCheckInstructionsViewController', '->AskForBloodViewController',
  '->BloodSugarCheckInProgressViewController'];
const BOLUS = ['insulinPlace', 'continueButtonClicked', 'continueButtonPressed'];

// Each screen, reached from a fresh start.
const ROUTES = [
  ['ViewController', []],
  ['BloodSugarViewController', ['checkPlace']],
  ['TrendsViewController', ['checkPlace', '->TrendsViewController']],
  ['BloodSugarCheckInstructionsViewController', CHECK.slice(0, 2)],
  ['AskForBloodViewController', CHECK.slice(0, 3)],
  ['BloodSugarCheckInProgressViewController', CHECK],
  ['GoodResultsViewController', [...CHECK, 'goodButtonPressed']],
  ['BadResultsViewController', [...CHECK, 'badButtonPressed']],
  ['BloodSugarResultsViewController', [...CHECK, 'goodButtonPressed', '->BloodSugarResultsViewController']],
  ['InsulinFoodViewController', ['insulinPlace']],
  ['CarbCounterMainViewController', ['insulinPlace', 'carbCounterButtonPressed']],
  ['CarbCounterAddViewController', ['insulinPlace', 'carbCounterButtonPressed', '->CarbCounterAddViewController']],
  ['InsulinExerciseViewController', ['insulinPlace', 'continueButtonClicked', 'eSwitch']],
  ['InsulinSuggestionViewController', BOLUS],
  ['InsulinCompleteViewController', [...BOLUS, '->InsulinGivingViewController', 'await:InsulinCompleteViewController']],
  ['nomNomViewController', ['eatPlace']],
  ['BuddyCentralViewController', ['buddyPlace']],
  ['ItemViewController', ['buddyPlace', 'shopButton']],
  ['ClosetViewController', ['buddyPlace', 'closetButton']],
  ['ClosetItemSelectedViewController', ['cheat', 'cheat', 'cheat', 'cheat', 'buddyPlace', 'shopButton', 'buyButton',
    'closetButton', 'itemButton']],
  ['GamesScreenViewController', ['buddyPlace', 'gamesButton']],
  ['SettingsMainViewController', ['settingsPlace', 'lockButton']],
];

async function restart(game) {
  await game.page.reload();
  await game.page.waitForSelector('#stage[data-ready="true"]', { timeout: 30000 });
  await settled(game.page);
}

async function follow(page, steps) {
  for (const step of steps) {
    if (step.startsWith('await:')) {
      await page.waitForSelector(`#screens > .screen[data-screen="${step.slice(6)}"]`, { timeout: 10000 });
    } else {
      await tap(page, step);
    }
  }
  await settled(page);
}

// What Tab should reach on the top screen: every shown, enabled button,
// switch and stepper half, and the bar's back button when the bar shows.
async function reachable(page) {
  return page.evaluate(() => {
    const keys = [];
    const back = document.getElementById('bar-back');
    if (!document.getElementById('bar').classList.contains('bar-hidden') && !back.hidden) keys.push('bar-back');
    for (const el of document.querySelectorAll('#screens > .screen:last-child button')) {
      if (el.disabled || el.closest('[hidden]')) continue;
      const owner = el.closest('[data-name]');
      keys.push(owner.dataset.kind === 'stepper' ? `${owner.dataset.name}:${el.className}` : owner.dataset.name);
    }
    return keys;
  });
}

async function focusedKey(page) {
  return page.evaluate(() => {
    const el = document.activeElement;
    if (!el || el === document.body) return null;
    if (el.id === 'bar-back') return 'bar-back';
    const owner = el.closest('[data-name]');
    if (!owner) return el.tagName.toLowerCase();
    return owner.dataset.kind === 'stepper' ? `${owner.dataset.name}:${el.className}` : owner.dataset.name;
  });
}

async function tabUntil(page, key, limit = 40) {
  await settled(page);
  for (let i = 0; i < limit; i += 1) {
    await page.keyboard.press('Tab');
    if ((await focusedKey(page)) === key) return;
  }
  assert.fail(`Tab never reached ${key}`);
}

// The accessibility node of each control on the top screen, by the browser's own tree.
async function controlNodes(page) {
  const cdp = await page.context().newCDPSession(page);
  const { root } = await cdp.send('DOM.getDocument', { depth: 0 });
  const { nodeIds } = await cdp.send('DOM.querySelectorAll', {
    nodeId: root.nodeId,
    selector: '#screens > .screen:last-child button:not([disabled]), #screens > .screen:last-child [role="switch"], #screens > .screen:last-child img[alt]:not([alt=""])',
  });
  const out = [];
  for (const nodeId of nodeIds) {
    const { node } = await cdp.send('DOM.describeNode', { nodeId });
    const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
    const ax = nodes.find((n) => n.backendDOMNodeId === node.backendNodeId) || nodes[0];
    const hidden = await cdp.send('DOM.resolveNode', { nodeId })
      .then(({ object }) => cdp.send('Runtime.callFunctionOn', {
        objectId: object.objectId,
        functionDeclaration: 'function () { return !!this.closest("[hidden]"); }',
        returnByValue: true,
      }))
      .then(({ result }) => result.value);
    if (!hidden) out.push({ tag: node.localName, role: ax.role?.value, name: ax.name?.value ?? '', ignored: ax.ignored });
  }
  await cdp.detach();
  return out;
}

test('every screen: each control is reached with Tab and named in the accessibility tree', async () => {
  const game = await openGame({ seed: 5 });
  try {
    const { page } = game;
    for (const [screen, steps] of ROUTES) {
      await restart(game);
      await follow(page, steps);
      assert.equal(await screenClass(page), screen, `the route reaches ${screen}`);
      await shoot(page, `screen-${screen}`);

      const nodes = await controlNodes(page);
      assert.ok(nodes.length > 0, `${screen} has controls in the accessibility tree`);
      for (const n of nodes) {
        assert.equal(n.ignored, false, `${screen}: a ${n.tag} is hidden from screen readers`);
        assert.ok(n.name.trim().length > 0, `${screen}: a ${n.role} has no name`);
        assert.ok(['button', 'switch', 'image', 'img'].includes(n.role), `${screen}: unexpected role ${n.role}`);
      }
      // Each shown label's words are in the tree too, and so is the screen's name.
      const tree = await accessibilityTree(page);
      const said = tree.map((n) => n.name).join('\n');
      const labels = await page.locator('#screens > .screen:last-child .label:not([hidden])').evaluateAll(
        (els) => els.map((el) => el.dataset.text).filter((t) => t && t.trim()));
      for (const words of labels) {
        assert.ok(said.includes(words.split('\n')[0]), `${screen}: "${words}" is not in the accessibility tree`);
      }
      assert.ok(tree.some((n) => n.role === 'heading'), `${screen} has a heading`);

      const want = await reachable(page);
      const seen = new Set();
      for (let i = 0; i < want.length * 2 + 4; i += 1) {
        await page.keyboard.press('Tab');
        seen.add(await focusedKey(page));
      }
      for (const key of want) assert.ok(seen.has(key), `${screen}: Tab never reaches ${key}`);
    }
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});

test('the keyboard plays: Enter and Space tap, arrows step, focus follows the new screen', async () => {
  const game = await openGame();
  try {
    const { page } = game;
    await tabUntil(page, 'checkPlace');
    // The focus ring shows where the keyboard is.
    const ring = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.notEqual(ring, 'none');
    await shoot(page, '50-home-keyboard-focus');
    await page.keyboard.press('Enter');
    assert.equal(await screenClass(page), 'BloodSugarViewController');
    // A screen reader hears where it is now.
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'H1');
    await tabUntil(page, 'backButtonPressed');
    await page.keyboard.press('Space');
    assert.equal(await screenClass(page), 'ViewController');

    await tabUntil(page, 'insulinPlace');
    await page.keyboard.press('Enter');
    await tabUntil(page, 'continueButtonClicked');
    await page.keyboard.press('Enter');
    assert.equal(await screenClass(page), 'InsulinExerciseViewController');
    await tabUntil(page, 'eSwitch');
    await page.keyboard.press('Space');
    assert.equal(await control(page, 'eSwitch').getAttribute('aria-checked'), 'true');
    assert.equal(await control(page, 'containerView').isVisible(), true);
    await tabUntil(page, 'stepper:plus');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Enter');
    assert.equal(await control(page, 'hourLabel').getAttribute('data-text'), '3');
    assert.equal(await page.locator('#announcer').textContent(), 'Hours of exercise: 3');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await control(page, 'hourLabel').getAttribute('data-text'), '2');
    await shoot(page, '51-exercise-keyboard');
    assert.deepEqual(game.problems, []);
  } finally {
    await game.close();
  }
});
