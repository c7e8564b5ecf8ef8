// The browsers a family's tablet runs, each from Debian's own packages: Chromium through
// playwright-core, Firefox ESR through its own WebDriver BiDi (puppeteer-core), and WebKit
// through WebKitGTK's WebDriver driving its MiniBrowser under Xvfb (selenium-webdriver).
// Firefox and WebKit get a page with the few calls the tests make of playwright's, so one
// test body plays in every engine; every engine's page, Chromium's too, also has a finger on
// the screen, a key held down and the browser's word on whether the page can be installed.
import { execFile, spawn } from 'node:child_process';
import { promisify } from 'node:util';
import { createServer } from 'node:net';
import { writeFile } from 'node:fs/promises';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';
import input from 'selenium-webdriver/lib/input.js';

export const ENGINES = (process.env.BUDDYCARE_ENGINES || 'chromium firefox webkit').split(/[\s,]+/).filter(Boolean);

const pause = (ms) => new Promise((ok) => setTimeout(ok, ms));

// A key held down is its first press and then the keyboard's repeats: the drivers that keep the
// keyboard's state mark each press of a key already down as a repeat.
const REPEATS = 10;
async function holdByPresses(down, up) {
  for (let i = 0; i <= REPEATS; i += 1) await down();
  await up();
}

// A function with its argument, an expression or a whole script, as the body WebDriver runs (the
// page's own policy forbids eval, which binds only the page's scripts, not the driver's).
function script(fn, arg) {
  if (typeof fn === 'function') return `return (${fn})(${JSON.stringify(arg)})`;
  try {
    new Function(`return (${fn}\n)`); // eslint-disable-line no-new, no-new-func
    return `return (${fn}\n)`;
  } catch {
    return `${fn}\n;return undefined`;
  }
}

async function until(check, timeout, what) {
  const end = Date.now() + timeout;
  for (;;) {
    if (await check()) return;
    if (Date.now() > end) throw new Error(`timed out after ${timeout} ms waiting for ${what}`);
    await pause(50);
  }
}

// What the tests ask of an element, answered in the page; only a click is the driver's own.
class Locator {
  constructor(page, selectors) {
    this.page = page;
    this.selectors = selectors;
  }

  locator(selector) { return new Locator(this.page, [...this.selectors, selector]); }

  on(fn, arg) {
    return this.page.evaluate(`((el, arg) => { if (!el) throw new Error('no element ${this.selectors.join(' ').replace(/'/g, '"')}');`
      + ` return (${fn})(el, arg); })(${JSON.stringify(this.selectors)}.reduce((at, s) => at && at.querySelector(s), document), ${JSON.stringify(arg)})`);
  }

  getAttribute(name) { return this.on((el, n) => el.getAttribute(n), name); }
  textContent() { return this.on((el) => el.textContent); }
  isVisible() { return this.on((el) => el.checkVisibility()); }
  focus() { return this.on((el) => el.focus()); }
  evaluate(fn, arg) { return this.on(fn, arg); }
  async boundingBox() { return this.on((el) => { const r = el.getBoundingClientRect(); return { x: r.x, y: r.y, width: r.width, height: r.height }; }); }
  async click() {
    await until(() => this.on((el) => el.checkVisibility() && !el.disabled && !el.closest('.busy')), 10000, this.selectors.join(' '));
    await this.page.clickOn(this.selectors.join(' '));
  }
}

// The part of playwright's page the tests use, over a driver's few primitives.
class Page {
  constructor(engine, driver) {
    this.engine = engine;
    Object.assign(this, driver);
    this.keyboard = { press: (key) => this.keys(key, 'press'), down: (key) => this.keys(key, 'down'), up: (key) => this.keys(key, 'up') };
  }

  locator(selector) { return new Locator(this, [selector]); }
  getAttribute(selector, name) { return this.locator(selector).getAttribute(name); }
  title() { return this.evaluate(() => document.title); }
  url() { return this.evaluate(() => window.location.href); }
  waitForTimeout(ms) { return pause(ms); }
  waitForFunction(fn, arg, { timeout = 30000 } = {}) { return until(() => this.evaluate(fn, arg), timeout, `${fn}`); }
  waitForSelector(selector, { timeout = 30000 } = {}) {
    return until(() => this.evaluate((s) => document.querySelector(s) !== null, selector), timeout, selector);
  }
}

async function freePort() {
  const server = createServer();
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  const { port } = server.address();
  await new Promise((ok) => server.close(ok));
  return port;
}

async function firefox({ width, height, locale }) {
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    extraPrefsFirefox: { 'intl.accept_languages': locale, 'intl.locale.requested': locale } });
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  const problems = [];
  page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  const names = { Space: ' ' };
  return {
    version: await browser.version(),
    problems,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    // WebDriver BiDi's touch pointer: the page hears touches, and pointers of the touch kind.
    finger: { kind: 'touch', down: (x, y) => page.touchscreen.touchStart(x, y), move: (x, y) => page.touchscreen.touchMove(x, y),
      up: () => page.touchscreen.touchEnd() },
    hold: (key) => holdByPresses(() => page.keyboard.down(names[key] ?? key), () => page.keyboard.up(names[key] ?? key)),
    installability: async () => null,
    evaluate: (fn, arg) => (typeof fn === 'function' ? page.evaluate(fn, arg) : page.evaluate(fn)),
    clickOn: (selector) => page.click(selector),
    keys: async (key, how) => {
      const [held, last] = key.includes('+') ? key.split('+') : [null, key];
      if (held) await page.keyboard.down(held);
      await page.keyboard[how](names[last] ?? last);
      if (held) await page.keyboard.up(held);
    },
    setViewportSize: (size) => page.setViewport(size),
    screenshot: ({ path }) => page.screenshot({ path }),
    close: () => browser.close(),
  };
}

// A display of its own: Xvfb picks a free one and says which.
async function xvfb() {
  const x = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((ok, fail) => {
    x.stdio[3].once('data', (data) => ok(`:${String(data).trim()}`));
    x.once('exit', () => fail(new Error('Xvfb did not start')));
  });
  return { display, stop: () => x.kill() };
}

async function webkit({ width, height, locale }) {
  const screen = await xvfb();
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env: { ...process.env, DISPLAY: screen.display,
    LANG: `${locale.replace('-', '_')}.UTF-8`, LANGUAGE: locale.replace('-', '_') } });
  const stop = () => { driver.kill(); screen.stop(); };
  try {
    await until(() => fetch(`http://127.0.0.1:${port}/status`).then((r) => r.ok, () => false), 10000, 'WebKitWebDriver');
    const session = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({ browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] } }).build();
    const evaluate = async (fn, arg) => {
      const answer = await session.executeAsyncScript(`const done = arguments[arguments.length - 1];
        Promise.resolve().then(() => { ${script(fn, arg)}; }).then((value) => done({ value }), (error) => done({ error: String(error) }));`);
      if (answer.error) throw new Error(answer.error);
      return answer.value;
    };
    // The window's size is what WebDriver sets; the page's is a little less, by the window's frame.
    const setViewportSize = async ({ width: w, height: h }) => {
      await session.manage().window().setRect({ width: w, height: h });
      const [iw, ih] = await evaluate(() => [window.innerWidth, window.innerHeight]);
      await session.manage().window().setRect({ width: 2 * w - iw, height: 2 * h - ih });
    };
    const names = { Tab: Key.TAB, Enter: Key.ENTER, Space: Key.SPACE, ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP,
      ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT };
    const keys = (key, how) => {
      const [held, last] = key.includes('+') ? key.split('+') : [null, key];
      const k = names[last] ?? last;
      const actions = session.actions();
      if (held) actions.keyDown(Key.SHIFT);
      if (how !== 'up') actions.keyDown(k);
      if (how !== 'down') actions.keyUp(k);
      if (held) actions.keyUp(Key.SHIFT);
      return actions.perform();
    };
    // WebKitGTK's driver takes a pointer of the touch kind but moves the mouse with it: the page
    // hears pointers of the mouse kind, and no touches. Xvfb has no touchscreen to do better.
    const touch = new input.Pointer('finger', input.Pointer.Type.TOUCH);
    const act = (...steps) => session.actions().insert(touch, ...steps).perform();
    const to = (x, y) => touch.move({ x: Math.round(x), y: Math.round(y), duration: 0 });
    // Nor does the driver repeat a key held down, so the held key is the X server's, which repeats
    // it as a keyboard does once it is held past the server's delay.
    const x11 = (...args) => promisify(execFile)('xdotool', args, { env: { ...process.env, DISPLAY: screen.display } });
    const hold = async (key) => {
      const { stdout } = await x11('search', '--onlyvisible', '--name', '.');
      await x11('windowfocus', '--sync', stdout.trim().split('\n')[0]);
      const name = { Enter: 'Return', Space: 'space' }[key] ?? key;
      await x11('keydown', name);
      await pause(1500);
      await x11('keyup', name);
    };
    await setViewportSize({ width, height });
    return {
      version: (await session.getCapabilities()).get('browserVersion'),
      problems: null,
      goto: (url) => session.get(url),
      reload: () => session.navigate().refresh(),
      finger: { kind: 'mouse', down: (x, y) => act(to(x, y), touch.press()), move: (x, y) => act(to(x, y)),
        up: () => act(touch.release()) },
      hold,
      installability: async () => null,
      evaluate,
      clickOn: (selector) => session.findElement(By.css(selector)).click(),
      keys,
      setViewportSize,
      screenshot: async ({ path }) => writeFile(path, Buffer.from(await session.takeScreenshot(), 'base64')),
      close: async () => {
        await session.quit().catch(() => {});
        stop();
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}

// Playwright's page in Chromium, with the calls the other engines' pages have beyond
// playwright's: touches through the DevTools protocol, and Chromium's own installability check.
export function dressChromium(page, context) {
  let cdp = null;
  const send = async (method, params) => {
    cdp ??= context.newCDPSession(page);
    return (await cdp).send(method, params);
  };
  const touch = (type, x, y) => send('Input.dispatchTouchEvent', { type, touchPoints: x === undefined ? [] : [{ x, y }] });
  return Object.assign(page, {
    finger: { kind: 'touch', down: (x, y) => touch('touchStart', x, y), move: (x, y) => touch('touchMove', x, y),
      up: () => touch('touchEnd') },
    hold: (key) => holdByPresses(() => page.keyboard.down(key), () => page.keyboard.up(key)),
    installability: async () => (await send('Page.getInstallabilityErrors')).installabilityErrors,
  });
}

// A page in Firefox or WebKit, the size and language asked.
export async function openPage(engine, options) {
  const driver = await { firefox, webkit }[engine](options);
  return new Page(engine, driver);
}
