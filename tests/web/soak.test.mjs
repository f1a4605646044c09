// Half a minute of random play at "Insane": random keys, button clicks and
// menu choices (never Quit), from a seeded draw so a failure can be replayed
// with ZORVANE_SOAK_SEED. The page must report no error, its title must keep
// changing, and its memory must stay flat.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launch, close, open, startBudget } from './harness.mjs';

const seconds = Number(process.env.ZORVANE_SOAK_SECONDS ?? 30);
const seed = Number(process.env.ZORVANE_SOAK_SEED ?? Date.now() % 100000);

function draws(s) {
  return () => {
    s = (s + 0x6d2b79f5) | 0;
    let t = Math.imul(s ^ (s >>> 15), 1 | s);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

test(`${seconds} s of random play at Insane (seed ${seed})`, { timeout: (seconds + 60) * 1000 + startBudget }, async () => {
  const server = await serve();
  const browser = await launch();
  // Closed whatever happens: a browser left open keeps node running until the check times out.
  try {
    const page = await open(browser, server, { seed });
    const random = draws(seed);
    const pick = (list) => list[Math.floor(random() * list.length)];
    const keys = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowLeft', 'KeyP', 'KeyX', 'Space', 'F1',
      'F1', 'F1', 'F2', 'F8', 'F9', 'Tab', 'Escape'];
    await page.keyboard.press('F1');
    await page.keyboard.press('ArrowUp');

    const heap = async () => (await page.metrics()).JSHeapUsedSize;
    let baseline = 0;
    const titles = [];
    const start = Date.now();
    let steps = 0;
    while (Date.now() - start < seconds * 1000) {
      const r = random();
      if (r < 0.7) {
        await page.keyboard.press(pick(keys));
      } else if (r < 0.85) {
        const shown = await page.$$('#inner button:not([hidden])');
        if (shown.length) await pick(shown).click();
      } else {
        const title = pick(['Speed', 'Size']);
        await page.evaluate((title) => [...document.querySelectorAll('.title')].find((b) => b.textContent === title)
          .dispatchEvent(new PointerEvent('pointerdown', { bubbles: true })), title);
        const items = await page.$$('.menu:not([hidden]) .item');
        if (random() < 0.3) await page.keyboard.press('Escape');
        else await (title === 'Speed' ? items[0] : pick(items)).click();
        await page.keyboard.press(pick(['ArrowUp', 'ArrowLeft']));
      }
      await new Promise((resolve) => setTimeout(resolve, 20 + random() * 60));
      steps++;
      // Sampled by the player's steps, not by the clock: a slow machine plays fewer of them a second.
      if (steps % 12 === 0) {
        titles.push(await page.$eval('title', (t) => t.textContent));
        if (titles.length === 5) {
          await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 0)));
          baseline = await heap();
        }
      }
    }
    const end = await heap();
    // Every 120 steps the title shows something new. A crashed game waits for Game Over, which
    // random play clicks (or presses with Space) about one step in nine: 60 steps missed it now and then.
    for (let i = 10; i <= titles.length; i += 10) {
      assert.ok(new Set(titles.slice(i - 10, i)).size > 1, `title stood still: ${titles.slice(i - 10, i)}`);
    }
    assert.ok(end < baseline * 1.5 + 2e6, `JS heap grew from ${baseline} to ${end}`);
    const memory = await page.evaluate(() => performance.memory?.usedJSHeapSize ?? 0);
    assert.deepEqual(page.errors, []);
    console.log(`${steps} random events, ${titles.length} titles sampled, JS heap ${baseline} -> ${end} (${memory})`);
    await page.close();
  } finally {
    await close(browser, server);
  }
});
