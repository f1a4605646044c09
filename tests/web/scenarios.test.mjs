// The player scenarios (tests/conformance/scenarios.txt) on the real page,
// played as the headless driver there plays them: real keys to the focused
// element, mouse clicks on the buttons and on the menu bar, a finger on the
// board (where the engine has one), the title and the cells read back from
// the page. The tests' page (page_hooks.js) gives it a hand clock, moved on
// to each wake-up the page asks for, and a random source fed the draws of
// tests/board_script.h. ZORVANE_ENGINES picks the engines (engines.mjs).
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { serve, testRoot, paint } from './harness.mjs';
import { startEngine, cannot } from './engines.mjs';

// A line's words: "a quoted caption" is one; # starts a comment.
const wordsOf = (line) => [...line.replace(/#.*/, '').matchAll(/"([^"]*)"|(\S+)/g)].map(([, quoted, word]) => quoted ?? word);
const scenarios = [];
fs.readFileSync(new URL('../conformance/scenarios.txt', import.meta.url), 'utf8').split('\n').forEach((line, i) => {
  const words = wordsOf(line);
  if (words[0] === 'scenario') scenarios.push({ name: words[1], steps: [] });
  else if (words.length) scenarios.at(-1).steps.push({ line: i + 1, words });
});

// The draws of a board's set-up, as board_script.h lines them up: the
// obstacles given, then the bottom inner rows from the left; the first food;
// the expiry draw that keeps food for ever.
const keepFood = 0.5;
const cellDraws = (x, y, side) => [(x - 0.5) / side, (y - 0.5) / side];
function boardDraws(side, food = [3, 3], first = []) {
  const count = Math.floor((side * side) / 50);
  const cells = [...first];
  for (let y = side - 1; y > 1 && cells.length < count; y--) {
    for (let x = 2; x < side && cells.length < count; x++) if (!first.some(([a, b]) => a === x && b === y)) cells.push([x, y]);
  }
  return [...cells.slice(0, count), food].flatMap(([x, y]) => cellDraws(x, y, side)).concat(keepFood);
}

// A key's name on a menu as the engines' drivers name it (KeyboardEvent.code, or the space it types).
const codes = { Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp', Down: 'ArrowDown', Esc: 'Escape', Space: ' ' };
const codeOf = (name) => codes[name] ?? (/^(F\d+|Tab|Enter)$/.test(name) ? name : `Key${name}`);
const colours = { ...paint, ground: paint.background };
const focusNames = { board: 'Board', pause: 'Pause', gameover: 'GameOver' };

// What the player sees, and the game behind it.
const seen = (d) => d.run(() => {
  const shown = (id) => document.getElementById(id)?.hidden === false;
  return { title: document.querySelector('title').textContent, Pause: shown('pause'), GameOver: shown('gameover'),
    focus: document.activeElement?.id, interval: window.zorvane.interval(), side: window.zorvane.side(),
    head: window.zorvane.head(), ended: shown('ended') };
});
// The colour in the middle of a cell (from 1, as the game counts), from the canvas once shown.
const cellColour = (d, column, row) => d.run(async (column, row) => {
  await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
  const { x, y, width, height } = window.zorvane.cellBox(column - 1, row - 1);
  const [r, g, b] = document.getElementById('board').getContext('2d').getImageData(x + (width >> 1), y + (height >> 1), 1, 1).data;
  return `${r},${g},${b}`;
}, column, row);

// From the middle of the board, far enough to turn once; a tap, where it lifts.
async function finger(d, [dx, dy]) {
  const [x, y] = await d.run(() => ['width', 'height'].map((side) => document.getElementById('board').getBoundingClientRect()[side] / 2));
  await d.finger('down', [x, y]);
  for (let step = 1; step <= 5 && (dx || dy); step++) await d.finger('move', [x + dx * 8 * step, y + dy * 8 * step]);
  await d.finger('up', [x + dx * 40, y + dy * 40]);
}
const ways = { left: [-1, 0], right: [1, 0], up: [0, -1], down: [0, 1] };

async function play(d, { steps }) {
  let lined = [];  // the draws of the first board, before the page opens
  let opened = false;
  let blues = 0;  // blue blocks on the board lined up last
  const lineUp = (draws) => (opened ? d.run((more) => window.zorvane.draw(...more), draws) : lined.push(...draws));
  for (const { line, words: [verb, ...w] } of steps) {
    const at = `scenarios.txt line ${line}: ${verb} ${w.join(' ')}`;
    if (verb === 'board') {
      const placed = (kind) => w.flatMap((word, i) => (word === kind ? [[Number(w[i + 1]), Number(w[i + 2])]] : []));
      await lineUp(boardDraws(Number(w[0]), placed('food')[0], placed('obstacle')));
      blues = 0;
    } else if (verb === 'open') {
      await d.open({ query: `&hand=${(lined.length ? lined : boardDraws(50)).join(',')}` });
      opened = true;
    } else if (verb === 'food') await lineUp(cellDraws(Number(w[0]), Number(w[1]), (await seen(d)).side));
    else if (verb === 'key') await d.key(codeOf(w[0]), { shift: w[1] === 'shift' });
    else if (verb === 'click') await d.click(`#${w[0].toLowerCase()}`);
    else if (verb === 'menu') {
      await d.click('.title', w[0]);
      if (w[1]) await d.click('.menu:not([hidden]) .item', w[1]);
    } else if (verb === 'escape') {
      await d.click('.title', w[0]);
      await d.key('Escape');
    } else if (verb === 'tick') {
      // Ticks on which no food is eaten and none placed: one expiry draw each.
      for (let i = 0; i < Number(w[0] ?? 1); i++) {
        const ticked = await d.run((draw) => {
          window.zorvane.draw(draw);
          return window.zorvane.tick();
        }, keepFood);
        assert.ok(ticked, `${at}: the clock stands after ${i}`);
      }
    } else if (verb === 'eat') {
      // Each meal's food on the cell ahead unless it stands there, its blue block in the left columns.
      const [dx, dy] = ways[w[1]];
      for (let meal = 1; meal <= Number(w[0]); meal++) {
        const { head: [x, y], side } = await seen(d);
        const draws = (await cellColour(d, x + dx, y + dy)) === colours.food ? [] : cellDraws(x + dx, y + dy, side);
        draws.push(keepFood, ...cellDraws(2 + Math.floor(blues / (side - 3)), 2 + (blues % (side - 3)), side));
        blues++;
        if (meal === Number(w[0]) && w[2] === 'board') draws.push(...boardDraws(Number(w[3])));
        const ticked = await d.run((more) => {
          window.zorvane.draw(...more);
          return window.zorvane.tick();
        }, draws);
        assert.ok(ticked, `${at}: the clock stands at meal ${meal}`);
      }
    } else if (verb === 'stands') assert.equal(await d.run(() => window.zorvane.tick()), false, `${at}: the clock still runs`);
    else if (verb === 'swipe') await finger(d, ways[w[0]]);
    else if (verb === 'tap') await finger(d, [0, 0]);
    // A page closes with its tab or its app window: the browser tells it so (pagehide), and it is gone.
    else if (verb === 'close') await d.run(() => window.dispatchEvent(new PageTransitionEvent('pagehide', { persisted: false })));
    else if (verb === 'expect' && w[0] === 'cell') assert.equal(await cellColour(d, Number(w[1]), Number(w[2])), colours[w[3]], at);
    else if (verb === 'expect') {
      const now = await seen(d);
      const [what, ...value] = w;
      if (what === 'shown' || what === 'hidden') assert.equal(now[value[0]], what === 'shown', at);
      else if (what === 'focus') assert.equal(focusNames[now.focus] ?? 'Elsewhere', value[0], at);
      else if (what === 'head') assert.deepEqual(now.head, value.map(Number), at);
      else if (what === 'ended') assert.equal(now.ended, true, at);
      else assert.equal(String(now[what]), value[0], at);
    } else throw new Error(`${at}: no such step`);
  }
}

let server;
before(async () => (server = await serve(testRoot)));
after(() => server.close());

for (const engine of (process.env.ZORVANE_ENGINES ?? 'chromium').split(',')) {
  describe(engine, () => {
    let d;
    before(async () => (d = await startEngine(engine, server)));
    after(() => d?.stop());
    for (const scenario of scenarios) {
      const touches = scenario.steps.some(({ words: [verb] }) => verb === 'swipe' || verb === 'tap');
      test(scenario.name, { skip: touches && cannot[engine]?.touch }, async () => {
        try {
          await play(d, scenario);
          assert.deepEqual(await d.errors(), []);
        } finally {
          await d.closePage();
        }
      });
    }
  });
}
