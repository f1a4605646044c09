// One way to drive the page in three browser engines: Chromium and Firefox
// through puppeteer-core (CDP and WebDriver BiDi), WebKitGTK through its
// W3C WebDriver over HTTP. Each opens the page at a size and device-pixel
// ratio (or, `loaded: false`, only loads it, for a page with no game; `from`
// another server, an origin no worker of the others' serves),
// presses keys, clicks elements with the mouse, runs a script in the page
// and, where the engine delivers touch, moves a finger on the board or taps
// an element.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import { launch, puppeteer, startBudget, waitFor, freePort } from './harness.mjs';

const firefoxPath = process.env.FIREFOX ?? '/usr/bin/firefox-esr';
const webkitDriverPath = process.env.WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver';
const miniBrowserPath = process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// The page at a seed, with more of the address the tests' hooks read (page_hooks.js).
const address = (server, seed, query) => `http://127.0.0.1:${server.address().port}/?seed=${seed}${query}`;

// Chromium and Firefox share puppeteer's page: keys, mouse and scripts alike.
function puppeteerDriver(name, browser, server, touch) {
  let page;
  return {
    name,
    async open({ width = 468, height = 520, ratio = 1, seed = 7, query = '', loaded = true, from = server } = {}) {
      page = await browser.newPage();
      page.setDefaultTimeout(startBudget);
      page.errors = [];
      page.on('pageerror', (error) => page.errors.push(String(error)));
      page.on('console', (message) => message.type() === 'error' && page.errors.push(message.text()));
      await page.setViewport({ width, height, deviceScaleFactor: ratio });
      await page.goto(address(from, seed, query));
      if (!loaded) return;
      await page.waitForFunction(() => window.zorvane?.ready);
      await touch.begin?.(page);
    },
    async key(key, { shift = false } = {}) {
      if (shift) await page.keyboard.down('Shift');
      await page.keyboard.press(key);
      if (shift) await page.keyboard.up('Shift');
    },
    async click(selector, text) {
      for (const handle of await page.$$(selector)) {
        if (text === undefined || (await handle.evaluate((e) => e.firstChild.textContent)) === text) return handle.click();
      }
      throw new Error(`nothing to click at ${selector} ${text ?? ''}`);
    },
    run: (fn, ...args) => page.evaluate(fn, ...args),
    // A finger at CSS pixels of the board; a tap in the middle of an element.
    async finger(phase, [x, y]) {
      const [left, top] = await page.$eval('#board', (b) => { const r = b.getBoundingClientRect(); return [r.x, r.y]; });
      await touch.finger(page, phase, [left + x, top + y]);
    },
    async tap(selector) {
      const at = await page.$eval(selector, (e) => { const r = e.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; });
      for (const phase of ['down', 'up']) await touch.finger(page, phase, at);
    },
    errors: async () => page.errors,
    closePage: () => page.close(),
    async stop() {
      await browser.close();
      if (browser.profile) fs.rmSync(browser.profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 100 });
    },
  };
}

// Chromium's own touch emulation (CDP): touch events and pointer events of
// type touch. Begun once the page is ready, so the page sees its pointer
// turn coarse, as on a convertible folded into a tablet.
const chromiumTouch = {
  async begin(page) {
    page.cdp = await page.createCDPSession();
    await page.cdp.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 1 });
  },
  async finger(page, phase, [x, y]) {
    const type = { down: 'touchStart', move: 'touchMove', up: 'touchEnd' }[phase];
    await page.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: phase === 'up' ? [] : [{ x, y }] });
  },
};

// Firefox takes a WebDriver BiDi pointer of type touch and makes touch events
// of it. puppeteer's own touchscreen gives the finger an altitude of pi/2 and
// no azimuth, which Firefox ESR 153 refuses (NS_ERROR_ILLEGAL_VALUE), so the
// finger goes as plain actions, one call per phase, the pointer kept down
// between them.
const firefoxTouch = {
  async finger(page, phase, [x, y]) {
    const move = { type: 'pointerMove', x: Math.round(x), y: Math.round(y) };
    const actions = { down: [move, { type: 'pointerDown', button: 0 }], move: [move], up: [{ type: 'pointerUp', button: 0 }] }[phase];
    await page.mainFrame().browsingContext.performActions([{ type: 'pointer', id: 'finger', parameters: { pointerType: 'touch' }, actions }]);
  },
};

// An X server of its own for MiniBrowser, big enough for a tablet at ratio
// 3; Xvfb picks a display number nobody holds.
async function virtualScreen() {
  const x = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '2600x3600x24', '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  let timer;
  const display = await new Promise((resolve, reject) => {
    x.stdio[3].once('data', (data) => resolve(`:${String(data).trim()}`));
    x.once('exit', (code) => reject(new Error(`Xvfb ended (${code})`)));
    timer = setTimeout(() => reject(new Error(`gave up after ${startBudget / 1000} s waiting for Xvfb to take a display`)), startBudget);
  }).finally(() => clearTimeout(timer));
  return { display, stop: () => x.kill() };
}

// WebKitGTK's WebDriver: plain HTTP, so a few lines of fetch. Its ratio is
// GDK_SCALE (whole numbers only) in MiniBrowser's environment, set when the
// driver starts, so another ratio means another driver. Full screen drops
// MiniBrowser's toolbar, which holds the window 447 pixels wide at least.
const webdriverKeys = { ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Tab: '\uE004',
  Escape: '\uE00C', Enter: '\uE007', ' ': ' ', Shift: '\uE008', KeyP: 'p', KeyX: 'x',
  ...Object.fromEntries([...Array(12).keys()].map((n) => [`F${n + 1}`, String.fromCharCode(0xE031 + n)])) };

async function webkitDriver(server) {
  const screen = await virtualScreen();
  let driver;
  let session;
  let ratio;
  let base;
  async function request(method, path, body) {
    const response = await fetch(base + path, { method, headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body) });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebKitWebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }
  const command = (method, path, body) => request(method, `/session/${session}${path}`, body);
  async function stopSession() {
    if (!driver) return;
    await request('DELETE', `/session/${session}`).catch(() => {});
    driver.kill();
    driver = undefined;
  }
  // The driver on a port nobody held a moment ago: one that ends at once
  // (another program took the port meanwhile) is started again on another.
  async function startDriver(scale) {
    for (let attempt = 1; ; attempt++) {
      const port = await freePort();
      base = `http://127.0.0.1:${port}`;
      const started = spawn(webkitDriverPath, [`--port=${port}`], { stdio: 'ignore',
        env: { ...process.env, DISPLAY: screen.display, GDK_SCALE: String(scale), WAYLAND_DISPLAY: '' } });
      let ended = null;
      started.once('exit', (code) => { ended = `WebKitWebDriver ended (${code}) before answering on port ${port}`; });
      driver = started;
      try {
        return await waitFor(`WebKitWebDriver to answer on port ${port}`, startBudget, async () => {
          if (ended) throw new Error(ended);
          return fetch(`${base}/status`).then(() => true, () => false);
        });
      } catch (error) {
        if (!ended || attempt === 3) throw error;
      }
    }
  }
  async function startSession(scale) {
    await stopSession();
    await startDriver(scale);
    ({ sessionId: session } = await request('POST', '/session', { capabilities: { alwaysMatch: {
      'webkitgtk:browserOptions': { binary: miniBrowserPath, args: ['--automation', '--full-screen'] } } } }));
    ratio = scale;
  }
  // A function and its arguments, its promise awaited, its value back as JSON.
  const run = async (fn, ...args) => {
    const answer = await command('POST', '/execute/async', { args, script:
      `const done = arguments[arguments.length - 1];
       Promise.resolve().then(() => (${fn}).apply(null, [...arguments].slice(0, -1)))
         .then((value) => done({ value }), (error) => done({ error: String(error?.stack ?? error) }));` });
    if (answer.error) throw new Error(answer.error);
    return answer.value;
  };
  const actions = (source) => command('POST', '/actions', { actions: [source] });
  // The page's errors from now on, in window.errors_: WebDriver has no log.
  const listen = () => run(() => {
    window.errors_ = [];
    addEventListener('error', (event) => window.errors_.push(String(event.message)));
    addEventListener('unhandledrejection', (event) => window.errors_.push(String(event.reason)));
  });
  const engine = {
    name: 'webkit',
    async open({ width = 468, height = 520, ratio: wanted = 1, seed = 7, query = '', loaded = true, from = server } = {}) {
      if (!Number.isInteger(wanted)) throw new Error(`${cannot.webkit.fractionalRatio}, not ${wanted}`);
      if (wanted !== ratio) await startSession(wanted);
      await command('POST', '/window/rect', { width, height });
      await command('POST', '/url', { url: address(from, seed, query) });
      if (!loaded) return;
      await waitFor('the page to be ready in WebKitGTK', startBudget, () => run(() => window.zorvane?.ready === true));
      // Errors from here on; one before ready leaves the page without its hooks.
      await listen();
    },
    key(key, { shift = false } = {}) {
      const held = shift ? [webdriverKeys.Shift] : [];
      return actions({ type: 'key', id: 'keys', actions: [...held, webdriverKeys[key], webdriverKeys[key], ...held]
        .map((value, i, all) => ({ type: i < all.length / 2 ? 'keyDown' : 'keyUp', value })) });
    },
    async click(selector, text) {
      const at = await run((s, t) => [...document.querySelectorAll(s)].findIndex((e) => t === null || e.firstChild.textContent === t),
        selector, text ?? null);
      if (at < 0) throw new Error(`nothing to click at ${selector} ${text ?? ''}`);
      const element = (await command('POST', '/elements', { using: 'css selector', value: selector }))[at];
      await command('POST', `/element/${Object.values(element)[0]}/click`, {});
    },
    run,
    errors: () => run(() => window.errors_),
    closePage: async () => {},
    async stop() {
      await stopSession();
      screen.stop();
    },
  };
  // Enough of puppeteer's browser for the deploy cases (site.test.mjs): one
  // page in one window, a context a browser of its own (a session afresh).
  // A load's errors are heard once it has loaded, and kept as it is left.
  const page = {
    errors: [],
    setDefaultTimeout() {},
    on() {},
    setViewport: ({ width, height }) => command('POST', '/window/rect', { width, height }),
    async close() {
      page.errors.push(...((await run(() => window.errors_).catch(() => [])) ?? []));
    },
    async goto(url) {
      await page.close();
      await command('POST', '/url', { url });
      await listen();
    },
    async reload() {
      await page.close();
      await command('POST', '/refresh', {});
      await listen();
    },
    evaluate: run,
    $eval: (selector, fn) => run(`(s) => (${fn})(document.querySelector(s))`, selector),
    waitForSelector: (selector, { visible = false, timeout = startBudget } = {}) => waitFor(`${selector} in WebKitGTK`, timeout,
      () => run((s, v) => !!document.querySelector(s) && (!v || document.querySelector(s).offsetHeight > 0), selector, visible)),
    keyboard: { press: (key) => engine.key(key) },
    // Clicked by the page's own script, once the call has returned: WebDriver's
    // click waits for the load a click starts, and WebKitWebDriver at times
    // never sees that load end (it waited out its 300 s for Try again).
    click: (selector) => run((s) => setTimeout(() => document.querySelector(s).click()), selector),
    // A document begun after the call, loaded.
    async waitForNavigation() {
      const since = Date.now();
      await waitFor('a new page in WebKitGTK', startBudget,
        () => run(() => document.readyState === 'complete' && performance.timeOrigin)
          .then((begun) => begun > since, (error) => (ended(error) ? Promise.reject(error) : false)));
      await listen();
    },
  };
  const newPage = async () => {
    if (ratio !== 1) await startSession(1);
    page.errors = [];
    return page;
  };
  // The session the driver ended, as it does when WebKitGTK's web process
  // crashes (a trap in libwebkit2gtk, about one run of the deploy cases in a
  // hundred): a command failing then may say only "unknown error".
  const ended = (error) => /invalid session id/.test(error);
  const lost = async (error) => ended(error) || command('GET', '/url').then(() => false, ended);
  engine.browser = { newPage, close: engine.stop, lost,
    async createBrowserContext() {
      await startSession(1);
      return { newPage, close: async () => {} };
    } };
  return engine;
}

// What an engine's driver cannot do, and why.
export const cannot = {
  webkit: { touch: 'WebKitGTK\'s WebDriver delivers a touch pointer as the mouse (pointerType "mouse", no touch events)',
    fractionalRatio: 'WebKitGTK scales by GDK_SCALE, a whole number',
    coarsePointer: 'WebKitGTK on Xvfb has no touch screen, so says (pointer: fine): its menus keep the desktop\'s size' },
};

// Chromium or Firefox as puppeteer's browser, WebKitGTK as much of one as
// its driver gives; a missing browser is a failure, not a skip:
// scripts/web_check.sh installs them.
export async function launchBrowser(name) {
  if (name === 'chromium') return launch();
  if (name === 'webkit') return (await startEngine(name)).browser;
  if (!fs.existsSync(firefoxPath)) throw new Error(`no Firefox at ${firefoxPath} (apt-get install firefox-esr)`);
  // A touch screen, as Chromium's touch emulation makes one: (pointer: coarse), no hover.
  return puppeteer.launch({ browser: 'firefox', executablePath: firefoxPath, headless: true, timeout: startBudget,
    extraPrefsFirefox: { 'ui.primaryPointerCapabilities': 1, 'ui.allPointerCapabilities': 1 } });
}

// Starts an engine's driver.
export async function startEngine(name, server) {
  if (name !== 'webkit') return puppeteerDriver(name, await launchBrowser(name), server, name === 'chromium' ? chromiumTouch : firefoxTouch);
  if (!fs.existsSync(webkitDriverPath)) throw new Error(`no ${webkitDriverPath} (apt-get install webkit2gtk-driver xvfb)`);
  return webkitDriver(server);
}
