// The web bench's figures measure what they say: a cold start fetches the first frame's files from
// the network, an everyday repeat start gets them from the service worker, and the first frame on the screen
// is the browser's presenting it, after the page placed it and its next animation frame came.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { rm } from 'node:fs/promises';
import { floorPage, firstPictures, start, GAME, FLOOR } from '../../bench/web-bench.mjs';
import { bundle, serveBundle, launch } from './support.mjs';

test('the bench times starts from navigation, cold from the network and repeated from the service worker', async () => {
  const floor = await floorPage();
  const browser = await launch();
  const servers = [await serveBundle(bundle), await serveBundle(floor)];
  try {
    const [game, base] = servers;
    const cold = await start(browser, game, GAME);
    // On the screen means presented by the browser, after the page's own next animation frame.
    assert.ok(cold.placed > 0 && cold.placed < cold.paint, `placed ${cold.placed} ms, on the screen ${cold.paint} ms`);
    assert.ok(cold.answers > cold.placed, `placed ${cold.placed} ms, answering ${cold.answers} ms`);
    const floorCold = await start(browser, base, FLOOR);
    assert.ok(floorCold.paint > 0, `the floor's picture on the screen at ${floorCold.paint} ms`);
    const shown = Object.keys(await firstPictures());
    assert.ok(shown.length > 5, 'the first frame\'s pictures come with the page');
    for (const path of ['/', '/buddycare.wasm', '/buddycare.data']) assert.ok(cold.fetched.includes(path), path);

    const repeat = await start(browser, game, GAME, { repeat: 2 });
    // A browser may ask whether the worker itself changed; nothing else reaches the server.
    assert.deepEqual(repeat.fetched.filter((path) => path !== '/sw.js'), []);
    const floorRepeat = await start(browser, base, FLOOR, { repeat: 2 });
    assert.deepEqual(floorRepeat.fetched.filter((path) => path !== '/sw.js'), [], 'the floor repeats from its worker too');
  } finally {
    await browser.close();
    await Promise.all(servers.map((server) => server.close()));
    await rm(floor, { recursive: true, force: true });
  }
});
