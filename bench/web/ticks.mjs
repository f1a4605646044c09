// Game ticks per second and CPU at "Insane" (1 ms) on the 100x100 board in
// headless Chromium: the page's own clock (every due tick per wake-up)
// against one tick per setTimeout callback (?pace=timeout), and the time from
// navigation to the first drawn board. Run on a quiet machine, after
// scripts/web_check.sh has built the page and installed puppeteer-core:
//   node bench/web/ticks.mjs            (BURSTS=40 by default)
// The snake runs from the middle of a new board until it hits something; each
// run is one burst, sampled every few milliseconds while it runs.
import { serve, launch, close, open } from '../../tests/web/harness.mjs';

const bursts = Number(process.env.BURSTS ?? 40);
const server = await serve();
const browser = await launch();

async function measure(query) {
  const page = await open(browser, server, { seed: 11, query });
  const firstBoard = await page.evaluate(() => window.zorvane.ticks().firstBoardAt);
  await page.keyboard.press('F12');
  await page.click('#gameover');
  await page.keyboard.press('F1');
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const busy0 = await busy();
  const wall0 = Date.now();
  let ticks = 0;
  let elapsed = 0;
  for (let i = 0; i < bursts; i++) {
    const key = ['ArrowUp', 'ArrowLeft', 'ArrowDown', 'ArrowRight'][i % 4];
    const run = await page.evaluate(async (key) => {
      // Sampled while the snake runs, so neither the wait for the first tick
      // nor the late wake-up that finds the crash counts against the pace.
      document.dispatchEvent(new KeyboardEvent('keydown', { key, code: key, bubbles: true }));
      let first = null;
      let last = null;
      for (;;) {
        await new Promise((resolve) => setTimeout(resolve, 5));
        if (window.zorvane.view().interval === 0) break;
        const sample = { total: window.zorvane.ticks().total, at: performance.now() };
        if (first === null) first = sample;
        else last = sample;
      }
      document.getElementById('gameover').click();
      return last === null ? { ticks: 0, elapsed: 0 } : { ticks: last.total - first.total, elapsed: last.at - first.at };
    }, key);
    ticks += run.ticks;
    elapsed += run.elapsed;
  }
  const cpu = (await busy()) - busy0;
  const wall = (Date.now() - wall0) / 1000;
  await page.close();
  return { ticksPerSecond: Math.round((ticks * 1000) / elapsed), ticks, cpuPercent: Math.round((100 * cpu) / wall),
    firstBoardMs: Math.round(firstBoard) };
}

const due = await measure('');
const timeout = await measure('&pace=timeout');
console.log('every due tick per wake-up:', due);
console.log('one tick per setTimeout:  ', timeout);
await close(browser, server);
