// Lighthouse on a phone (its own mobile settings: a mid-range phone's screen,
// a slow network and CPU, both simulated) scores the page as it ships.
import test from 'node:test';
import assert from 'node:assert/strict';
import { serve, launch, close, lighthouseUrl } from './harness.mjs';

test('Lighthouse on a phone scores the page at least 95 in every category', async () => {
  const { default: lighthouse } = await import(lighthouseUrl);
  const server = await serve();
  const browser = await launch();
  try {
    const flags = { port: Number(new URL(browser.wsEndpoint()).port), logLevel: 'error' };
    const url = `http://127.0.0.1:${server.address().port}/`;
    // Performance counts the CPU's time: a run beside a busy check may lose a
    // few points, so the best of three counts. The other categories do not vary.
    let best = {};
    for (let run = 1; run <= 3; ++run) {
      const { lhr } = await lighthouse(url, flags);
      const scores = Object.fromEntries(Object.values(lhr.categories).map(({ id, score }) => [id, Math.round(score * 100)]));
      const failed = Object.values(lhr.audits).filter((a) => a.score !== null && a.score < 0.9 && a.scoreDisplayMode === 'binary');
      console.log(`run ${run}: ${JSON.stringify(scores)}${failed.length ? `; failing: ${failed.map((a) => a.id).join(', ')}` : ''}`);
      for (const [id, score] of Object.entries(scores)) best[id] = Math.max(best[id] ?? 0, score);
      if (Object.values(best).every((score) => score >= 95)) break;
    }
    assert.deepEqual(Object.keys(best).sort(), ['accessibility', 'best-practices', 'performance', 'seo']);
    for (const [id, score] of Object.entries(best)) assert.ok(score >= 95, `${id}: ${score}`);
  } finally {
    await close(browser, server);
  }
});
