// The browsers a family's tablet runs, each from Debian's own packages: Chromium through
// playwright-core, Firefox ESR through its own WebDriver BiDi (puppeteer-core), and WebKit
// through WebKitGTK's WebDriver driving its MiniBrowser under Xvfb (selenium-webdriver).
// Firefox and WebKit get a page with the few calls the tests make of playwright's, so one
// test body plays in every engine.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { writeFile } from 'node:fs/promises';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';

export const ENGINES = (process.env.BUDDYCARE_ENGINES || 'chromium firefox webkit').split(/[\s,]+/).filter(Boolean);

const pause = (ms) => new Promise((ok) => setTimeout(ok, ms));

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
    await setViewportSize({ width, height });
    return {
      version: (await session.getCapabilities()).get('browserVersion'),
      problems: null,
      goto: (url) => session.get(url),
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

// A page in Firefox or WebKit, the size and language asked.
export async function openPage(engine, options) {
  const driver = await { firefox, webkit }[engine](options);
  return new Page(engine, driver);
}
