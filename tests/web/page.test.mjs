// The browser front end in headless Chromium: what it draws, its own keys,
// menu bar and buttons, its end. What a player does and sees the same on
// every front end is the player scenarios' (scenarios.test.mjs); the game's
// rules are tested below it. Here only what this page does of its own.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, testRoot, launch, close, open, state } from './harness.mjs';

let server;
let browser;
before(async () => {
  server = await serve(testRoot);
  browser = await launch();
});
after(() => close(browser, server));

const titleText = (page) => page.$eval('title', (t) => t.textContent);

async function menuItem(page, title, caption) {
  await page.evaluate((title) => {
    const t = [...document.querySelectorAll('.title')].find((b) => b.textContent === title);
    t.dispatchEvent(new PointerEvent('pointerdown', { bubbles: true }));
  }, title);
  if (caption === undefined) return;
  const items = await page.$$('.menu:not([hidden]) .item');
  for (const item of items) {
    if ((await item.evaluate((i) => i.firstChild.textContent)) === caption) return item.click();
  }
  assert.fail(`no item ${caption} under ${title}`);
}

// The function keys are the game's, even those the browser has shortcuts
// for (F5 reloads, F11 goes full screen): none leaves the page. Every size's
// picture lands on a canvas of its own size.
test('the shortcuts to every size stay on the page, each board on a canvas of its size', async () => {
  const page = await open(browser, server);
  for (const key of ['F7', 'F8', 'F9', 'F11', 'F12']) {
    await page.keyboard.press(key);
    assert.equal((await state(page)).gameoverHidden, false);
    await page.click('#gameover');
    const s = await state(page);
    assert.equal(s.gameoverHidden, true);
    assert.equal(page.url(), `${page.url0}?seed=7`, `${key} left the page`);
    assert.deepEqual(await page.$eval('#board', (b) => [b.width, b.height]), [s.width, s.height]);
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a key counts by its place on another layout, and with Alt held it is the browser\'s', async () => {
  const page = await open(browser, server);
  await page.keyboard.press('F6');  // Very Slow: no crash before the key, however loaded the machine
  await page.keyboard.press('ArrowUp');
  assert.equal((await state(page)).interval, 1000);
  // On a Cyrillic layout the key at P's place types "з" and still pauses.
  const cdp = await page.createCDPSession();
  for (const type of ['keyDown', 'keyUp']) {
    await cdp.send('Input.dispatchKeyEvent', { type, key: 'з', code: 'KeyP', text: 'з', windowsVirtualKeyCode: 80 });
  }
  assert.equal((await state(page)).interval, 0);
  // With Alt a key is the browser's, on the board and on a button alike: Alt+Left goes back.
  for (const target of ['board', 'pause']) {
    await page.focus(`#${target}`);
    const kept = await page.evaluate(() => [['ArrowLeft', 'ArrowLeft'], ['F5', 'F5'], ['p', 'KeyP']].map(([key, code]) =>
      document.activeElement.dispatchEvent(new KeyboardEvent('keydown', { key, code, altKey: true, bubbles: true,
        cancelable: true }))));
    assert.deepEqual(kept, [true, true, true], `on the ${target}`);
    assert.equal((await state(page)).interval, 0, `on the ${target}`);
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a stalled page drops the ticks it missed instead of running them in a burst', async () => {
  const page = await open(browser, server);
  await page.keyboard.press('F1');  // Insane: a tick every millisecond
  const ticks = await page.evaluate(async () => {
    // The key and the stall in one go: at 1 ms the snake would not wait.
    document.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowUp', code: 'ArrowUp', bubbles: true }));
    const until = performance.now() + 300;
    while (performance.now() < until);  // a stall, as of a busy or hidden tab
    await new Promise((resolve) => setTimeout(resolve, 50));
    return window.zorvane.ticks();
  });
  assert.ok(ticks.dropped >= 150, `${ticks.dropped} ticks dropped`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Escape, and the keys the board's again after it, are the player scenarios'.
test('the menu bar: items with their shortcuts, Alt and the arrows to choose, a press elsewhere to close', async () => {
  const page = await open(browser, server);
  const open_ = () => page.$$eval('.menu:not([hidden])', (menus) => menus.length);
  await menuItem(page, 'Speed');
  assert.deepEqual(await page.$$eval('.menu:not([hidden]) .item', (items) => items.map((i) => i.innerText.replace(/\s+/g, ' '))),
    ['Insane F1', 'Very Fast F2', 'Fast F3', 'Medium F4', 'Slow F5', 'Very Slow F6']);
  await page.keyboard.press('Escape');

  // Alt, then down into Speed, down to Slow and Enter.
  await page.keyboard.press('Alt');
  await page.keyboard.press('ArrowDown');
  assert.equal(await open_(), 1);
  for (let i = 0; i < 4; i++) await page.keyboard.press('ArrowDown');  // from Insane
  await page.keyboard.press('Enter');
  assert.equal(await open_(), 0);
  await page.keyboard.press('ArrowUp');
  assert.equal((await state(page)).interval, 250);

  // Size has five items; a press elsewhere closes it and presses nothing under it.
  await menuItem(page, 'Size');
  assert.equal((await page.$$('.menu:not([hidden]) .item')).length, 5);
  await page.mouse.click(200, 300);
  assert.equal(await open_(), 0);
  assert.equal((await state(page)).interval, 250);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Both buttons where the game puts them, over the board, with their whole
// captions in sight, in the window's bold 14.25 pt (19 CSS pixels).
test('the buttons stand where the game puts them, with their whole captions in the window\'s font', async () => {
  const page = await open(browser, server);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('KeyP');
  await page.keyboard.press('F8');
  const s = await state(page);
  for (const [id, caption, place] of [['pause', 'Pause', s.pause], ['gameover', 'Game Over', s.gameover]]) {
    const shown = await page.$eval(`#${id}`, (b) => {
      const box = b.getBoundingClientRect();
      const board = document.getElementById('board').getBoundingClientRect();
      const style = getComputedStyle(b);
      return { box: [box.x - board.x, box.y - board.y, box.width, box.height], caption: b.textContent, hidden: b.hidden,
               fits: b.scrollWidth <= b.clientWidth && b.scrollHeight <= b.clientHeight, font: `${style.fontWeight} ${style.fontSize}` };
    });
    assert.deepEqual(shown, { box: place, caption, hidden: false, fits: true, font: '700 19px' });
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('at device-pixel ratio 2 the canvas has device pixels and the cells\' pitch varies by at most one', async () => {
  const page = await open(browser, server, { ratio: 2 });
  for (const key of [null, 'F12']) {
    if (key) {
      await page.keyboard.press(key);
      await page.click('#gameover');
    }
    const s = await state(page);
    const size = await page.$eval('#board', (b) => ({ width: b.width, css: b.getBoundingClientRect().width }));
    assert.equal(size.width, s.width);
    assert.equal(size.css * 2, size.width);
    // Left edges of the top ring's cells: where the outline starts after a fill.
    const pitches = await page.evaluate(async () => {
      await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
      const board = document.getElementById('board');
      const data = board.getContext('2d').getImageData(0, 0, board.width, 20).data;
      let y = 0;
      const red = (x) => data[(y * board.width + x) * 4 + 1] === 0;
      const fill = (x) => data[(y * board.width + x) * 4 + 2] === 128;
      while (y < 19 && ![...Array(board.width).keys()].some(fill)) y++;  // below the outline's top edge
      const starts = [];
      for (let x = 1; x < board.width; x++) if (red(x) && !red(x - 1)) starts.push(x);
      return starts.slice(1).map((x, i) => x - starts[i]);
    });
    assert.ok(pitches.length > 8, `${pitches.length} cells found`);
    assert.ok(Math.max(...pitches) - Math.min(...pitches) <= 1, `pitches ${[...new Set(pitches)]}`);
  }
  // A screen past the largest ratio: the board is drawn at 8 and shown at its size.
  await page.setViewport({ width: 468, height: 487, deviceScaleFactor: 10 });
  await page.evaluate(() => window.dispatchEvent(new Event('resize')));
  await page.waitForFunction(() => document.getElementById('board').width === window.zorvane.view().width &&
    window.zorvane.view().width > 936);
  const largest = await page.$eval('#board', (b) => ({ width: b.width, css: b.getBoundingClientRect().width }));
  assert.ok(Math.abs(largest.css * 8 - largest.width) < 1, `${largest.css} css pixels for ${largest.width}`);
  // Another screen: the board is painted again in its pixels, on whole device pixels.
  // Emulation changes the ratio without the resize a real browser sends with it.
  await page.setViewport({ width: 468, height: 487, deviceScaleFactor: 1.5 });
  await page.evaluate(() => window.dispatchEvent(new Event('resize')));
  await page.waitForFunction(() => document.getElementById('board').width >= window.zorvane.view().width &&
    window.zorvane.view().width !== 936);
  const moved = await page.$eval('#board', (b) => ({ width: b.width, css: b.getBoundingClientRect().width,
    top: b.getBoundingClientRect().top }));
  assert.ok(Math.abs(moved.css * 1.5 - moved.width) < 1, `${moved.css} css pixels for ${moved.width}`);
  assert.ok(Math.abs(moved.top * 1.5 - Math.round(moved.top * 1.5)) < 0.01, `board at ${moved.top}`);
  assert.ok(await page.evaluate(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const board = document.getElementById('board');
    const shown = board.getContext('2d').getImageData(0, 0, board.width, board.height).data;
    return window.zorvane.picture().every((byte, i) => i % 4 === 3 || byte === shown[i]);
  }), 'the canvas holds the whole picture in its new pixels');
  // A ratio that changes with no resize at all, as emulation changes it with not even the media
  // query's change: the next frame notices it.
  await page.setViewport({ width: 468, height: 487, deviceScaleFactor: 2 });
  await page.keyboard.press('KeyX');
  await page.waitForFunction(() => document.getElementById('board').width === 936, { timeout: 5000 });
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a second copy of the module, not yet started, answers every call as for no board', async () => {
  const page = await open(browser, server);
  const answers = await page.evaluate(async () => {
    const mod = await createZorvane();
    const call = (name, ...args) => mod[`_${name}`](...args);
    const key = (k) => mod.ccall('zv_key', 'number', ['number', 'number', 'string', 'string', 'number', 'number',
      'number', 'number', 'number'], [5, 0, k, k, 0, 0, 0, 0, 0]);
    const keys = [key('F1'), key('ArrowUp'), key('Tab'), mod.ccall('zv_key_up', 'number', ['string'], ['Alt'])];
    // Quit among them: nothing to end. Any call that reached a game would find no page to show it.
    for (const [name, ...args] of [['zv_click', 5, 1], ['zv_menu_mouse', 5, 0, 0, 0, -1], ['zv_menu_mouse', 5, 0, 4, 2, -1],
      ['zv_touch', 5, 0, 1, 1], ['zv_hidden', 5], ['zv_room', 400, 400, 2, 0], ['zv_close']]) call(name, ...args);
    return { keys, ticks: call('zv_wake', 10) };
  });
  assert.deepEqual(answers, { keys: [0, 0, 0, 0], ticks: 0 });
  assert.deepEqual(page.errors, []);
  await page.close();
});

// That Quit ends the game is the player scenarios'; here what the page shows then.
test('Quit ends the game at once: the window goes, and the page offers a new one', async () => {
  const page = await open(browser, server);
  await page.keyboard.press('ArrowRight');
  await (await page.$$('.title')).at(-1).click();
  const gone = await page.evaluate(() => ({ board: document.getElementById('board'), menus: document.getElementById('menubar'),
    again: document.activeElement.id }));
  assert.deepEqual(gone, { board: null, menus: null, again: 'again' });
  await Promise.all([page.waitForNavigation(), page.click('#again')]);
  await page.waitForSelector('#window:not([hidden])');
  assert.equal(await titleText(page), 'Score:  0/ 0');
  assert.deepEqual(page.errors, []);
  await page.close();
});

// A finger through Chromium's touch emulation, at CSS pixels of the board.
async function finger(page, cdp, type, [x, y]) {
  const box = await page.$eval('#board', (b) => { const r = b.getBoundingClientRect(); return { x: r.x, y: r.y }; });
  const touchPoints = type === 'touchEnd' || type === 'touchCancel' ? [] : [{ x: box.x + x, y: box.y + y }];
  await cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
}

test('the mouse on the board steers nothing, and the board takes no gesture of the browser\'s', async () => {
  const page = await open(browser, server);
  await page.keyboard.press('F6');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('KeyP');
  await page.mouse.click(150, 150);  // as a finger, a tap: P
  assert.equal((await state(page)).interval, 0);
  assert.equal(await page.$eval('#board', (b) => getComputedStyle(b).touchAction), 'none');
  assert.deepEqual(page.errors, []);
  await page.close();
});

// The board as the browser shows it, clipped to the canvas in device pixels,
// against the module's picture: the same pixels but under the buttons, which
// are the browser's own text.
async function assertShowsPicture(page, label) {
  // On screen: the browser's own rendering of the page, clipped to the canvas in device pixels.
  // The clip in whole device pixels, where layout has the board in 64ths of a pixel.
  const box = await page.$eval('#board', (b) => {
    const r = b.getBoundingClientRect();
    const whole = (css) => Math.round(css * devicePixelRatio) / devicePixelRatio;
    return { x: whole(r.x), y: whole(r.y), width: b.width / devicePixelRatio, height: b.height / devicePixelRatio };
  });
  const shot = await page.screenshot({ clip: box, encoding: 'base64', captureBeyondViewport: false });
  const compared = await page.evaluate(async (png) => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const board = document.getElementById('board');
    const scratch = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height });
    const context = scratch.getContext('2d');
    context.drawImage(image, 0, 0);
    const seen = context.getImageData(0, 0, image.width, image.height).data;
    const { width, height } = window.zorvane.view();
    const module = window.zorvane.picture();
    // The buttons are the browser's own text, not the module's picture.
    const buttons = [...document.querySelectorAll('#inner button:not([hidden])')].map((b) => b.getBoundingClientRect());
    const ratio = window.devicePixelRatio;
    // With the ring the browser draws round a focused button (Game Over, after a crash).
    const edge = 3 * ratio;
    const under = (x, y) => buttons.some((r) => x >= (r.left - board.getBoundingClientRect().left) * ratio - edge &&
      x < (r.right - board.getBoundingClientRect().left) * ratio + edge && y >= (r.top - board.getBoundingClientRect().top) * ratio - edge &&
      y < (r.bottom - board.getBoundingClientRect().top) * ratio + edge);
    let differ = 0;
    let compared = 0;
    let first = null;
    for (let y = 0; y < height; y++) {
      for (let x = 0; x < width; x++) {
        if (under(x, y)) continue;
        compared++;
        const i = (y * width + x) * 4;
        const j = (y * image.width + x) * 4;  // the picture in the padded canvas's top left
        if (seen[j] !== module[i] || seen[j + 1] !== module[i + 1] || seen[j + 2] !== module[i + 2]) {
          differ++;
          first ??= { x, y, seen: [...seen.slice(j, j + 3)], module: [...module.slice(i, i + 3)] };
        }
      }
    }
    return { size: [image.width, image.height], picture: [board.width, board.height], compared, differ, first,
      colours: new Set([...Array(width * height).keys()].map((p) => module[p * 4] * 65536 + module[p * 4 + 1] * 256 + module[p * 4 + 2])).size };
  }, shot);
  assert.deepEqual(compared.size, compared.picture, `at ${label}: the shot is the canvas's size`);
  assert.ok(compared.compared > compared.picture[0] * compared.picture[1] * 0.85, `at ${label}: ${compared.compared} compared`);
  assert.ok(compared.colours > 8, `at ${label}: a board with a disc's edge, ${compared.colours} colours`);
  assert.equal(compared.differ, 0, `at ${label}: first difference ${JSON.stringify(compared.first)}`);
}

test('on phones and a tablet the whole window fits at the device\'s width, in its pixels, and plays by finger', async () => {
  for (const [width, height, ratio] of [[390, 844, 3], [360, 800, 2], [844, 390, 3], [820, 1180, 2], [412, 915, 2.625], [393, 873, 2.75],
    [400, 430, 3]]) {  // little height to spare under a finger's bar
    const label = `${width}x${height} at ${ratio}`;
    const viewport = { width, height, deviceScaleFactor: ratio, isMobile: true, hasTouch: true };
    const page = await open(browser, server, { seed: 3, viewport });
    const cdp = await page.createCDPSession();
    const laidOut = () => page.evaluate(() => {
      const r = document.getElementById('window').getBoundingClientRect();
      return { page: document.documentElement.clientWidth, scale: visualViewport.scale, scrolled: scrollY,
        box: [r.left, r.top, r.right, r.bottom] };
    });
    const before = await laidOut();
    assert.equal(before.page, width, `${label}: laid out at the device's width`);
    assert.ok(before.box[0] >= 0 && before.box[1] >= 0 && before.box[2] <= width && before.box[3] <= height,
      `${label}: the whole window on screen: ${before.box}`);
    if (width >= 468 && height >= 487) assert.equal(before.box[2] - before.box[0], 468, `${label}: room enough, desktop size`);
    // A swipe up starts the snake and a tap holds it, before the picture is compared.
    const at = [100, 150];
    await finger(page, cdp, 'touchStart', at);
    await finger(page, cdp, 'touchMove', [at[0] + 2, at[1] - 40]);
    await finger(page, cdp, 'touchMove', [at[0] - 40, at[1] - 44]);  // and left, in the same touch
    await finger(page, cdp, 'touchEnd', [at[0] - 40, at[1] - 44]);
    assert.notEqual((await state(page)).interval, 0, `${label}: the swipe started the game`);
    await page.waitForFunction(() => window.zorvane.ticks().total >= 2);
    await finger(page, cdp, 'touchStart', at);
    await finger(page, cdp, 'touchEnd', at);
    assert.equal((await state(page)).interval, 0, `${label}: the tap paused`);
    const after = await laidOut();
    assert.deepEqual([after.scale, after.scrolled, after.box], [1, 0, before.box], `${label}: no zoom, no scroll`);
    await assertShowsPicture(page, label);
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});
