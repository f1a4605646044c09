// One steady run at "Insane" (1 ms) on the 100x100 board in headless
// Chromium, the snake kept alive by the benchmarks' pilot (bench/pilot.h,
// compiled into the tests' copy of the page, test-site/, and steering before
// every tick with ?pilot; it starts a new game when the snake has boxed itself in, as
// on the desktop): game ticks per second, the new boards among them, the page's CPU as a share of one core
// (CDP's TaskDuration over the run), frames per second, and the time from
// navigation to the first drawn board. The count starts after two seconds of
// play (WARMUP=ms), once the largest board's first frames and the module's
// compiled code have settled. Run on a quiet machine, after the test
// command's web checks have built the page and installed puppeteer-core:
//   node bench/web/ticks.mjs            (SECONDS=12, RUNS=3 by default)
// A slow phone: THROTTLE=4 slows the page's CPU fourfold (CDP's CPU
// throttling) and PHONE=1 gives it a phone's screen, 390x844 at ratio 3:
//   THROTTLE=4 PHONE=1 node bench/web/ticks.mjs
import { serve, testRoot, launch, close, open } from '../../tests/web/harness.mjs';

const seconds = Number(process.env.SECONDS ?? 12);
const runs = Number(process.env.RUNS ?? 3);
const throttle = Number(process.env.THROTTLE ?? 1);
const warmup = Number(process.env.WARMUP ?? 2000);
const viewport = process.env.PHONE ? { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true } : undefined;
const server = await serve(testRoot);
const browser = await launch();

async function measure() {
  const page = await open(browser, server, { seed: 11, query: '&pilot', viewport });
  const cdp = await page.createCDPSession();
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  const firstBoardMs = Math.round(await page.evaluate(() => window.zorvane.ticks().firstBoardAt));
  await page.keyboard.press('F12');
  await page.click('#gameover');
  await page.keyboard.press('F1');
  await page.keyboard.press('ArrowUp');  // the pilot steers from the first tick on
  await cdp.send('Performance.enable');
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const sample = () => page.evaluate(() => ({ ...window.zorvane.ticks(), at: performance.now(),
    boards: window.zorvane.view().rebuilds, interval: window.zorvane.view().interval }));
  // Frames counted by the page itself, from the first sample on.
  await page.evaluate(() => {
    window.frames_ = 0;
    const count = () => { window.frames_++; requestAnimationFrame(count); };
    requestAnimationFrame(count);
  });
  await new Promise((resolve) => setTimeout(resolve, warmup));
  const [busy0, first] = [await busy(), await sample()];
  const frames0 = await page.evaluate(() => window.frames_);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const [busy1, last] = [await busy(), await sample()];
  const frames = (await page.evaluate(() => window.frames_)) - frames0;
  await page.close();
  const elapsed = (last.at - first.at) / 1000;
  if (last.interval !== 1) throw new Error(`the snake stopped (interval ${last.interval}): no steady run`);
  return { ticksPerSecond: Math.round((last.total - first.total) / elapsed), dropped: last.dropped - first.dropped,
    newBoards: last.boards - first.boards,
    cpuPercent: Math.round((100 * (busy1 - busy0)) / elapsed), framesPerSecond: Math.round(frames / elapsed),
    firstBoardMs, seconds: Math.round(elapsed * 10) / 10 };
}

for (let i = 0; i < runs; i++) console.log(await measure());
await close(browser, server);
