// The page's own in Chromium, Firefox and WebKitGTK (engines.mjs drives
// each): what one engine does differently from another shows here, beside
// the player scenarios each engine plays (scenarios.test.mjs).
// ZORVANE_ENGINES=firefox,webkit picks engines.
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { serve, root, testRoot, axePath, waitFor, startBudget } from './harness.mjs';
import { startEngine, cannot } from './engines.mjs';

const engines = (process.env.ZORVANE_ENGINES ?? 'chromium,firefox,webkit').split(',');
const phones = [[390, 844, 3], [360, 800, 2], [844, 390, 3], [820, 1180, 2], [412, 915, 2.625], [393, 873, 2.75]];
const inPageTest = 'Chromium\'s phones and tablet are page.test.mjs\'s, compared by screenshot';

// The view after the next frame, with the title and where the keys are.
const look = (d) => d.run(async () => {
  await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
  return { ...window.zorvane.view(), title: document.title, focused: document.activeElement?.id,
    pauseHidden: document.getElementById('pause').hidden, menus: document.querySelectorAll('.menu:not([hidden])').length };
});

// The canvas's drawing buffer against the module's picture, and the board on
// whole device pixels at its own size (else the browser smooths it).
async function showsPicture(d, label) {
  const seen = await d.run(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const board = document.getElementById('board');
    const view = window.zorvane.view();
    const data = board.getContext('2d').getImageData(0, 0, view.width, view.height).data;  // the picture's part
    const picture = window.zorvane.picture();
    let differ = 0;
    let first = -1;
    const colours = new Set();
    for (let i = 0; i < picture.length; i += 4) {
      colours.add((picture[i] << 16) | (picture[i + 1] << 8) | picture[i + 2]);
      if (data[i] !== picture[i] || data[i + 1] !== picture[i + 1] || data[i + 2] !== picture[i + 2]) differ++, (first = first < 0 ? i / 4 : first);
    }
    const r = board.getBoundingClientRect();
    const ratio = devicePixelRatio;
    return { differ, first: [first % view.width, Math.floor(first / view.width)], colours: colours.size,
      size: [board.width, board.height], view: [view.width, view.height], shown: [r.width * ratio, r.height * ratio],
      corner: [r.left * ratio, r.top * ratio] };
  });
  // Padded to whole device pixels that layout keeps as they are, by less than 64.
  seen.size.forEach((n, i) => assert.ok(n >= seen.view[i] && n < seen.view[i] + 64, `${label}: the canvas ${seen.size} for the picture ${seen.view}`));
  assert.ok(seen.colours > 8, `${label}: a board with a disc's edge, ${seen.colours} colours`);
  assert.equal(seen.differ, 0, `${label}: ${seen.differ} pixels differ, the first at ${seen.first}`);
  seen.shown.forEach((n, i) => assert.ok(Math.abs(n - seen.size[i]) < 0.02, `${label}: shown at ${seen.shown} device pixels for ${seen.size}`));
  seen.corner.forEach((n) => assert.ok(Math.abs(n - Math.round(n)) < 0.02, `${label}: the board's corner at ${seen.corner} device pixels`));
}

// A ratio the engine cannot show is said, and left out.
function cannotShow(t, engine, ratio) {
  const unable = !Number.isInteger(ratio) && cannot[engine]?.fractionalRatio;
  if (unable) t.diagnostic(`not at ${ratio}: ${unable}`);
  return unable;
}

let server;
before(async () => (server = await serve(testRoot)));
after(() => server.close());

for (const engine of engines) {
  describe(engine, () => {
    let d;
    before(async () => (d = await startEngine(engine, server)));
    after(() => d?.stop());
    const done = async () => {
      assert.deepEqual(await d.errors(), []);
      await d.closePage();
    };

    test('the first board: the title, the module\'s picture pixel for pixel at ratios 1, 1.5 and 2', async (t) => {
      for (const ratio of [1, 1.5, 2]) {
        if (cannotShow(t, engine, ratio)) continue;
        await d.open({ ratio, seed: 3 });
        assert.equal((await look(d)).title, 'Score: 0/ 0', 'the title, its double space collapsed by the browser');
        await showsPicture(d, `${engine} at ${ratio}`);
        await done();
      }
    });

    test('phones and a tablet: the whole window on screen, the picture pixel for pixel', { skip: engine === 'chromium' && inPageTest }, async (t) => {
      for (const [width, height, ratio] of phones) {
        if (cannotShow(t, engine, ratio)) continue;
        const label = `${engine} at ${width}x${height}, ratio ${ratio}`;
        await d.open({ width, height, ratio, seed: 3 });
        const laid = await d.run(() => {
          const r = document.getElementById('window').getBoundingClientRect();
          const page = document.documentElement;
          return { room: [innerWidth, innerHeight], box: [r.left, r.top, r.right, r.bottom], ratio: devicePixelRatio,
            scrolls: page.scrollWidth > page.clientWidth || page.scrollHeight > page.clientHeight };
        });
        assert.deepEqual([laid.room, laid.ratio], [[width, height], ratio], `${label}: the engine's viewport`);
        assert.ok(laid.box[0] >= 0 && laid.box[1] >= 0 && laid.box[2] <= width && laid.box[3] <= height, `${label}: the window at ${laid.box}`);
        assert.equal(laid.scrolls, false, `${label}: nothing to scroll`);
        await showsPicture(d, label);
        await done();
      }
    });

    // The scenarios' swipe would turn the snake as the finger lifts too: here it must turn before.
    test('a finger: a swipe starts and steers the snake before it lifts, and lifting then is no tap', { skip: cannot[engine]?.touch }, async () => {
      await d.open({ width: 390, height: 844, ratio: 3 });
      await d.key('F5');
      const at = [150, 150];
      await d.finger('down', at);
      await d.finger('move', [at[0] + 4, at[1] - 3]);  // within the dead zone: nothing yet
      assert.equal((await look(d)).interval, 0);
      await d.finger('move', [at[0] + 40, at[1] + 5]);  // across it, mostly right
      assert.equal((await look(d)).interval, 250, 'started while the finger is down');
      await d.finger('up', [at[0] + 40, at[1] + 5]);
      assert.equal((await look(d)).interval, 250, 'lifting after a swipe is no tap');
      // Heading right, up then left in one touch within a tick: left comes after up, never against right.
      const ticked = (await d.run(() => window.zorvane.ticks().total)) + 3;
      for (const [phase, x, y] of [['down', 0, 0], ['move', 2, -40], ['move', -40, -44], ['up', -40, -44]]) await d.finger(phase, [at[0] + x, at[1] + y]);
      await waitFor('three ticks', startBudget, () => d.run((n) => window.zorvane.ticks().total >= n, ticked));
      assert.deepEqual([(await look(d)).interval, await d.run(() => document.getElementById('gameover').hidden)], [250, true], 'no crash');
      await done();
    });

    // On an upright phone: the bar's titles and items a finger's size with
    // legible text, a menu opened by the touch itself, and axe-core finding
    // nothing to fault (landmarks, a heading, contrast), menus closed and open.
    test('on a touch screen the menus are a finger\'s size and open on the touch; axe finds no violation', async (t) => {
      await d.open({ width: 390, height: 844, ratio: 3 });
      await d.run((axe) => (0, eval)(axe), fs.readFileSync(axePath, 'utf8'));
      const violations = () => d.run(async () => (await window.axe.run(document)).violations.map((v) => `${v.id} (${v.nodes.length})`));
      assert.deepEqual(await violations(), [], 'menus closed');
      await (cannot[engine]?.touch ? d.click('.title', 'Speed') : d.tap('.title'));
      const sizes = await d.run(() => [...document.querySelectorAll('.title, .menu:not([hidden]) .item')].map((e) => [e.textContent,
        e.getBoundingClientRect().height, parseFloat(getComputedStyle(e).fontSize)]));
      assert.ok(sizes.some(([text]) => text.startsWith('Insane')), 'the press opened Speed');
      if (cannot[engine]?.coarsePointer) t.diagnostic(`sizes not checked: ${cannot[engine].coarsePointer}`);
      else for (const [text, height, font] of sizes) assert.ok(height >= 44 && font >= 12, `${text}: ${height} high, ${font} px`);
      assert.deepEqual(await violations(), [], 'Speed open');
      await done();
    });

    // The page's own markup says so where page.js never came to say it; the
    // page itself where the module is another build's, as on a first visit
    // during an upload (the .wasm with a section more). Each on a server of
    // its own, where no worker hands out what it keeps.
    test('a page whose script cannot be had, or whose module is of another build, says so', async (t) => {
      const upload = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-upload-'));
      t.after(() => fs.rmSync(upload, { recursive: true }));
      fs.cpSync(root, upload, { recursive: true });
      fs.appendFileSync(path.join(upload, 'zorvane.wasm'), Buffer.from([0, 5, 4, ...Buffer.from('mark')]));
      for (const [dir, failing] of [[testRoot, '/page.js'], [upload]]) {
        const bare = await serve(dir);
        t.after(() => bare.close());
        bare.failing.add(failing);
        await d.open({ loaded: false, from: bare });
        await waitFor('the page to say it could not load', startBudget, () => d.run(() => !!document.getElementById('failed').offsetHeight));
        const shown = await d.run(() => [document.getElementById('failed').textContent, document.getElementById('window').hidden]);
        assert.match(shown[0], /could not be loaded/, dir);
        assert.equal(shown[1], true, `${dir}: no window`);
        await d.closePage();
      }
    });

    // Resuming it is P's (the scenarios', and the mid-end's tests).
    test('a hidden page holds the running game as P would', async () => {
      await d.open();
      await d.key('F6');
      await d.key('ArrowUp');
      await d.run(() => {
        Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
        document.dispatchEvent(new Event('visibilitychange'));
      });
      const s = await look(d);
      assert.deepEqual([s.interval, s.pauseHidden], [0, false]);
      await done();
    });
  });
}
