// The game on a family tablet, in each engine: a finger and a held key only play, a phone on its
// side asks to be turned, a failed load says why, and after one visit the game installs and plays
// with the server gone.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdir } from 'node:fs/promises';
import { ENGINES } from './engines.mjs';
import { openGame, settled, text, control, bundle, eventually, SHORT } from './support.mjs';

const coins = async (page) => Number(await text(page, 'coinsLabel'));

async function middle(page, name) {
  const box = await control(page, name).boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2, height: box.height };
}

// A finger put down on the first point, drawn through the others and lifted at the last.
async function stroke(page, [first, ...rest]) {
  await page.finger.down(first.x, first.y);
  for (const { x, y } of rest) await page.finger.move(x, y);
  await page.finger.up();
}

// Ten steps from one point to another.
const line = (from, to) => Array.from({ length: 11 }, (_, i) => ({ x: from.x + ((to.x - from.x) * i) / 10,
  y: from.y + ((to.y - from.y) * i) / 10 }));

// Each way the game's files can fail to come (see serveBundle), and what the page then says.
const FAILURES = [
  ['buddycare.data', 'missing', /buddycare\.data is missing \(HTTP 404\)/],
  ['buddycare.data', 'short', new RegExp(`buddycare\\.data is cut short \\(${SHORT} of \\d+ bytes\\)`)],
  ['buddycare.data', 'silent', /buddycare\.data did not arrive/],
  ['buddycare.wasm', 'missing', /buddycare\.wasm is missing \(HTTP 404\)/],
  ['buddycare.wasm', 'short', /buddycare\.wasm is cut short/],
  ['buddycare.js', 'missing', /its scripts did not load/],
];

for (const engine of ENGINES) {
  test(`in ${engine}, a finger and a held key play the game and nothing else`, async () => {
    const game = await openGame({ seed: 3, engine, viewport: { width: 412, height: 732 }, touch: true });
    const { page, server } = game;
    try {
      // A page to go back to, as a visit from elsewhere would leave.
      await page.goto(`${server.url}?seed=4`);
      await settled(page);
      // What reached the page, before the page's own guards: the kind of each press, and each repeat of a key.
      await page.evaluate(() => {
        window.heard = { presses: [], repeats: 0 };
        window.addEventListener('pointerdown', (event) => window.heard.presses.push(event.pointerType), true);
        window.addEventListener('keydown', (event) => { window.heard.repeats += event.repeat ? 1 : 0; }, true);
      });
      const [url, before] = [await page.url(), await coins(page)];
      await stroke(page, [await middle(page, 'cheat')]);
      await eventually(() => coins(page), before + 50, 'a touch taps');
      // From each edge across, as the browser's back and forward gestures go; then a double tap, which zooms where allowed.
      for (const [from, to] of [[20, 320], [392, 92]]) await stroke(page, line({ x: from, y: 400 }, { x: to, y: 400 }));
      const label = await middle(page, 'coinsLabel');
      for (let i = 0; i < 2; i += 1) await stroke(page, [label]);
      // A press dragged off its control and let go elsewhere does nothing, as in the window.
      const cheat = await middle(page, 'cheat');
      await stroke(page, line(cheat, { x: cheat.x, y: cheat.y + cheat.height * 4 }).slice(0, 6));
      // What is checked is that nothing happens: there is no sign to wait for, so the strokes get the
      // time a browser's back gesture takes.
      await page.waitForTimeout(600);
      assert.deepEqual([await page.url(), await coins(page)], [url, before + 50], 'a swipe leaves neither the page nor the coins');
      assert.equal(await page.evaluate(() => window.visualViewport.scale), 1, 'no zoom');
      assert.deepEqual(await page.evaluate(() => window.heard.presses), Array(6).fill(page.finger.kind), 'each stroke one press');
      const menu = await control(page, 'coinsLabel')
        .evaluate((el) => el.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true })));
      assert.equal(menu, false, 'no long-press menu');

      await control(page, 'cheat').focus();
      await page.hold('Enter');
      await settled(page);
      await eventually(() => coins(page), before + 100, 'a held Enter taps once');
      assert.ok(await page.evaluate(() => window.heard.repeats) >= 5, 'the key was held long enough to repeat');
      for (const [width, height, turn] of [[732, 412, true], [412, 732, false]]) {
        await page.setViewportSize({ width, height });
        await eventually(async () => [await page.locator('#turn').isVisible(), await page.locator('#stage').isVisible()], [turn, !turn]);
      }
      assert.deepEqual(game.problems, []);
    } finally {
      await game.close();
    }
  });

  test(`in ${engine}, every failed load says the game could not start, and why, within seconds`, async () => {
    for (const [file, how, reason] of FAILURES) {
      const game = await openGame({ engine, failing: { [file]: how } });
      try {
        await game.page.waitForSelector('#loading.problem', { timeout: 15000 });
        assert.match(await game.page.locator('#loading').textContent(), new RegExp(`The game could not start: ${reason.source}`));
        assert.ok(await game.page.evaluate(() => performance.now() < 8000), `${reason} took too long`);
      } finally {
        await game.close();
      }
    }
  });

  test(`in ${engine}, after one visit the game installs and starts with the server gone`, async (t) => {
    const game = await openGame({ seed: 2, engine, viewport: { width: 768, height: 1024 }, installable: true });
    const { page, server } = game;
    const files = await readdir(bundle, { recursive: true });
    try {
      // One store, holding the game's own files and nothing else.
      const kept = await page.evaluate(async () => (await navigator.serviceWorker.ready) && Promise.all((await caches.keys())
        .map(async (name) => (await (await caches.open(name)).keys()).map((r) => new URL(r.url).pathname.slice(1)))));
      assert.equal(kept.length, 1);
      assert.deepEqual(kept[0].filter((path) => path && !files.includes(path)), []);
      assert.ok(kept[0].includes('buddycare.data') && kept[0].includes('buddycare.wasm'));

      // What a home screen reads of the game: the page's manifest, and each icon it names.
      const manifest = await page.evaluate(async () => {
        const link = document.querySelector('link[rel="manifest"]');
        const answer = await fetch(link.href);
        const { name, start_url: start, display, icons } = await answer.json();
        return { type: answer.headers.get('Content-Type'), name, start: new URL(start, link.href).href, display,
          icons: await Promise.all(icons.map(async (icon) => {
            const image = await fetch(new URL(icon.src, link.href));
            return { sizes: icon.sizes, type: icon.type, served: image.ok && image.headers.get('Content-Type') };
          })) };
      });
      assert.deepEqual({ ...manifest, icons: undefined }, { type: 'application/manifest+json', name: await page.title(),
        start: server.url, display: 'standalone', icons: undefined });
      assert.deepEqual(manifest.icons.filter((icon) => icon.served !== icon.type), [], 'every icon served as named');
      assert.ok(manifest.icons.some((icon) => icon.type === 'image/png' && parseInt(icon.sizes, 10) >= 512), 'a large enough icon');
      // Only Chromium says whether it would install the page; the others' word is the manifest above.
      const errors = await page.installability();
      await t.test('the browser finds nothing that keeps the game from installing',
        { skip: errors === null && `${engine} has no installability check` }, () => assert.deepEqual(errors, []));

      server.refuse();
      const asked = server.requests.length;
      await page.reload();
      await settled(page);
      const before = await coins(page);
      await control(page, 'cheat').click();
      await eventually(() => coins(page), before + 50, 'plays offline');
      // A browser may still ask whether the service worker changed, which no page can stop and
      // which, unanswered, changes nothing; the game asks nothing.
      assert.deepEqual(server.requests.slice(asked).filter((path) => path !== '/sw.js'), [], 'nothing asked of the server');
    } finally {
      await game.close();
    }
  });
}
