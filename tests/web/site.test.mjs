// The page's folder as a web host serves it, and its service worker across
// builds: the folder holds the page's files and nothing else, and the play
// script serves it alone; a returning player gets one whole build, the old
// or the new, never a mix of the two, and plays offline; the worker keeps one
// entry per file. The deploy cases run in each engine (engines.mjs), the
// server going offline for all alike.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import crypto from 'node:crypto';
import { once } from 'node:events';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { root, serve as serveOnce, open, startBudget, freePort } from './harness.mjs';
import { launchBrowser } from './engines.mjs';

// The folder's cases run where no engine is picked (ZORVANE_ENGINES unset or
// empty); the deploy cases in each engine picked, all three where unset.
const picked = process.env.ZORVANE_ENGINES;
const engines = (picked ?? 'chromium,firefox,webkit').split(',').filter(Boolean);
const folder = { skip: !!picked && 'an engine is picked: the folder is checked once, in web.site' };

// Every file under a folder, as paths relative to it.
const files = (dir, under = '') => fs.readdirSync(path.join(dir, under), { withFileTypes: true }).flatMap((entry) => {
  const name = path.posix.join(under, entry.name);
  return entry.isDirectory() ? files(dir, name) : [name];
});
const sha = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');

// A PNG's width and height, from its header.
const pngSize = (file) => {
  const bytes = fs.readFileSync(file);
  return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
};

test('the site folder holds the page\'s files and nothing else, and every icon named is there at its size', folder, () => {
  const icons = [32, 48, 64, 128, 180, 192, 256, 512, 'maskable-512'].map((size) => `icons/zorvane-${size}.png`);
  assert.deepEqual(files(root).sort(), [...icons, 'index.html', 'manifest.webmanifest', 'page.js', 'sw.js', 'zorvane.css',
    'zorvane.js', 'zorvane.wasm'].sort());
  // Installable on a phone: a window of its own, a theme, 192 and 512 pixel icons, one a home screen may cut to shape.
  const manifest = JSON.parse(fs.readFileSync(path.join(root, 'manifest.webmanifest'), 'utf8'));
  assert.equal(manifest.display, 'standalone');
  assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
  for (const icon of manifest.icons) assert.equal(pngSize(path.join(root, icon.src)), icon.sizes, icon.src);
  const sizes = manifest.icons.map((icon) => icon.sizes);
  assert.ok(sizes.includes('192x192') && sizes.includes('512x512'));
  assert.ok(manifest.icons.some((icon) => icon.purpose === 'maskable'));
  // iOS reads its own tags.
  const page = fs.readFileSync(path.join(root, 'index.html'), 'utf8');
  const touchIcon = page.match(/rel="apple-touch-icon" href="([^"]+)" sizes="([^"]+)"/);
  assert.equal(pngSize(path.join(root, touchIcon[1])), touchIcon[2]);
  assert.match(page, /name="apple-mobile-web-app-capable" content="yes"/);
});

test('play-web.sh refuses a busy port, opening nothing, every time; on a free one it serves site/ alone', folder, async () => {
  const repo = fileURLToPath(new URL('../..', import.meta.url));
  // A stand-in for the desktop's browser, noting what it was asked to open.
  const desktop = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-desktop-'));
  const opened = path.join(desktop, 'opened');
  fs.writeFileSync(path.join(desktop, 'xdg-open'), `#!/bin/sh\necho "$1" >>'${opened}'\n`, { mode: 0o755 });
  const holder = net.createServer().listen(0, '127.0.0.1');
  await once(holder, 'listening');
  const port = holder.address().port;
  const run = { cwd: repo, env: { ...process.env, PORT: String(port), DISPLAY: ':99', PATH: `${desktop}:${process.env.PATH}` } };
  for (let time = 1; time <= 2; time++) {
    const refused = spawnSync('bash', ['scripts/play-web.sh'], { ...run, encoding: 'utf8', timeout: 60000 });
    assert.notEqual(refused.status, 0, `run ${time}`);
    assert.match(refused.stderr, new RegExp(`Port ${port} is busy.*PORT=`), `run ${time}`);
    assert.doesNotMatch(refused.stdout, /served at/, `run ${time}`);
  }
  assert.equal(fs.existsSync(opened), false, 'a browser was opened');

  holder.close();
  await once(holder, 'close');
  // Served on the port just freed, or, should another program have taken
  // it meanwhile, on another the system hands out.
  let server;
  let address;
  for (let attempt = 1; !address; attempt++) {
    const free = attempt === 1 ? port : await freePort();
    server = spawn('bash', ['scripts/play-web.sh'], { ...run, env: { ...run.env, PORT: String(free) } });
    let said = '';
    let timer;
    const outcome = await new Promise((resolve) => {
      server.stdout.on('data', (data) => { said += data; said.includes('served at') && resolve('served'); });
      server.stderr.on('data', (data) => { said += data; });
      server.on('exit', (code) => resolve(`ended with ${code}: ${said}`));
      timer = setTimeout(() => resolve(`gave up after ${startBudget / 1000} s waiting for play-web.sh to serve: ${said}`), startBudget);
    }).finally(() => clearTimeout(timer));
    if (outcome === 'served') address = `http://127.0.0.1:${free}/`;
    else if (!outcome.includes('is busy') || attempt === 3) assert.fail(outcome);
  }
  try {
    const page = await fetch(address);
    assert.equal(page.headers.get('cache-control'), 'no-cache');
    assert.equal(await page.text(), fs.readFileSync(path.join(repo, 'build-web/site/index.html'), 'utf8'));
    for (const elsewhere of ['icons/', 'CMakeCache.txt']) assert.equal((await fetch(address + elsewhere)).status, 404, elsewhere);
    for (let wait = 0; wait < 200 && !fs.existsSync(opened); wait++) await new Promise((resolve) => setTimeout(resolve, 50));
    assert.equal(fs.readFileSync(opened, 'utf8'), `${address}\n`);
  } finally {
    server.kill();
    fs.rmSync(desktop, { recursive: true });
  }
});

// The module's exports are named in its script (the .wasm's own names are
// minified there): the shipped one exports what page.js calls and nothing
// else, none of the tests' (tests/web), and page.js reaches for no test hook.
test('the shipped module exports only what page.js calls, and the page carries no test hook', folder, () => {
  const glue = fs.readFileSync(path.join(root, 'zorvane.js'), 'utf8');
  const named = new Map([...glue.matchAll(/(\w+)=(?:Module\["\w+"\]=)?Module\["asm"\]\["([\w$]+)"\]/g)].map(([, name, wasm]) => [wasm, name]));
  const exports = WebAssembly.Module.exports(new WebAssembly.Module(fs.readFileSync(path.join(root, 'zorvane.wasm'))));
  for (const { name } of exports) assert.ok(named.has(name), `the .wasm's export ${name} is named nowhere in zorvane.js`);
  const page = fs.readFileSync(path.join(root, 'page.js'), 'utf8');
  const calls = new Set([...page.matchAll(/'(zv_\w+)'/g)].map(([, name]) => `_${name}`));
  assert.deepEqual([...named.values()].filter((name) => name.startsWith('_zv_')).sort(), [...calls].sort());
  assert.doesNotMatch(page, /window\.zorvane|page_hooks|[?&]test\b/);
  assert.doesNotMatch(fs.readFileSync(path.join(root, 'index.html'), 'utf8'), /page_hooks/);
});

// A build of its own, made from site/ as a new deployment would be: a stamp
// of its own where site/ has its stamp, a mark set by page.js and by the
// module's script, a custom section in the .wasm (still a valid module), and
// the worker's hashes of the files that changed.
function makeBuild(mark) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), `zorvane-build-${mark}-`));
  fs.cpSync(root, dir, { recursive: true });
  const stamp = fs.readFileSync(path.join(dir, 'sw.js'), 'utf8').match(/const BUILD = '(\w+)'/)[1];
  const own = sha(stamp + mark).slice(0, stamp.length);
  const edit = (file, change) => {
    const was = fs.readFileSync(path.join(dir, file));
    const now = Buffer.from(change(was));
    fs.writeFileSync(path.join(dir, file), now);
    return [sha(was), sha(now)];
  };
  const name = Buffer.from('mark');
  const section = Buffer.concat([Buffer.from([0, 1 + name.length + mark.length, name.length]), name, Buffer.from(mark)]);
  const changed = [
    edit('page.js', (b) => `${b.toString().replaceAll(stamp, own)}\nglobalThis.zorvanePageMark = '${mark}';\n`),
    edit('zorvane.js', (b) => `${b}\nglobalThis.zorvaneModuleMark = '${mark}';\n`),
    edit('zorvane.wasm', (b) => Buffer.concat([b, section])),
  ];
  // The page names the module's files by their hashes, the worker every file.
  for (const file of ['index.html', 'sw.js']) {
    edit(file, (b) => changed.reduce((text, [was, now]) => text.replaceAll(was, now), b.toString().replaceAll(stamp, own)));
  }
  return { dir, mark, build: own, whole: [mark, mark, sha(fs.readFileSync(path.join(dir, 'zorvane.wasm')))] };
}

// What the page runs: the marks of its two scripts, and the hash of the
// .wasm the worker hands out at the address the module fetched it from,
// which names the page's build, under a worker too. A fetch the old worker
// was answering as a new one took over, WebKitGTK fails or sends to the
// network: it is asked again, of the new one.
const running = (page) => page.evaluate(async () => {
  const address = performance.getEntriesByType('resource').find((entry) => entry.name.includes('zorvane.wasm')).name;
  if (!address.includes('zorvane.wasm?build=')) throw new Error(`the module asked for ${address}, of no build`);
  let bytes;
  for (let by, times = 0; by !== navigator.serviceWorker.controller && times < 3; times++) {
    by = navigator.serviceWorker.controller;
    bytes = await fetch(address).then((response) => response.arrayBuffer(), (error) => error);
  }
  if (bytes instanceof Error) throw bytes;
  const sum = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  return [globalThis.zorvanePageMark, globalThis.zorvaneModuleMark,
    [...sum].map((byte) => byte.toString(16).padStart(2, '0')).join('')];
});

// Until the page is in the worker's hands and no new worker is installing:
// the one the last load found has been taken or refused.
const settled = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.ready;
  await registration.update().catch(() => {});
  const worker = registration.installing ?? registration.waiting;
  if (worker) {
    await new Promise((resolve) => {
      const done = () => ['activated', 'redundant'].includes(worker.state) && resolve();
      worker.addEventListener('statechange', done);
      done();
    });
  }
  if (!navigator.serviceWorker.controller) {
    await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
  }
});

const assertWhole = (run) => assert.ok([a.whole, b.whole].some((whole) => whole.join() === run.join()), `a mix: ${run}`);

async function reload(page) {
  await page.reload();
  await page.waitForSelector('#window:not([hidden])', { timeout: startBudget });
}

const browsers = {};
// Every server a case starts, closed at the end should the case fail before
// it closes its own: one left listening would keep the run from ending.
const servers = new Set();
const serve = async (dir) => {
  const server = await serveOnce(dir);
  servers.add(server);
  return server;
};
let a;
let b;
before(async () => {
  for (const engine of engines) browsers[engine] = await launchBrowser(engine);
  a = makeBuild('A');
  b = makeBuild('B');
});
after(async () => {
  for (const server of servers) server.listening && server.close();
  for (const browser of Object.values(browsers)) await browser.close();
  for (const dir of [...Object.values(browsers).map((browser) => browser.profile), a.dir, b.dir]) {
    if (dir) fs.rmSync(dir, { recursive: true, force: true, maxRetries: 5 });
  }
});

// A deploy case in each engine picked, in the engine's browser; once more
// in a new session where the browser lost the one it ran in.
const deploy = (name, body) => engines.forEach((engine) => test(`${engine}: ${name}`, async (context) => {
  const browser = browsers[engine];
  await body(browser).catch(async (error) => {
    if (!(await browser.lost?.(error))) throw error;
    context.diagnostic(`run again in a new session: ${error.message}`);
    await browser.createBrowserContext();  // a session afresh
    await body(browser);
  });
}));

// Once B is there whole: the next load may still be either build, but
// whole; the one after it, with the new worker in charge, is B.
async function endsOnB(page, server) {
  await reload(page);
  assertWhole(await running(page));
  // Once the new worker took over, the page still open keeps its own build's files.
  await settled(page);
  assertWhole(await running(page));
  await reload(page);
  assert.deepEqual(await running(page), b.whole);
  assert.deepEqual(page.errors, []);
  await page.close();
  server.close();
}

deploy('a new build that comes in part leaves the old one whole, offline too, and the next load after it all came is the new one', async (browser) => {
  const server = await serve(a.dir);
  const page = await open(browser, server);
  await settled(page);
  assert.deepEqual(await running(page), a.whole);

  // B half deployed, A's page or A's page.js still there; then all of B but its .wasm.
  const halves = ['index.html', 'page.js'].map((file) => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-half-'));
    fs.cpSync(b.dir, dir, { recursive: true });
    fs.copyFileSync(path.join(a.dir, file), path.join(dir, file));
    return [dir, []];
  });
  for (const [dir, failing] of [...halves, [b.dir, ['/zorvane.wasm']]]) {
    server.dir = dir;
    server.failing = new Set(failing);
    await reload(page);
    await settled(page);
    assert.deepEqual(await running(page), a.whole, `from ${dir}`);
  }
  for (const [dir] of halves) fs.rmSync(dir, { recursive: true });

  server.offline = true;
  await reload(page);
  // The worker answered, the server dropping every connection: Firefox and
  // WebKitGTK give such a load a workerStart of 0, so the page's controller says it.
  assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller));
  assert.deepEqual(await running(page), a.whole);
  assert.ok(await page.evaluate(async () => (await fetch('manifest.webmanifest')).ok));
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('KeyP');
  await page.waitForSelector('#pause:not([hidden])');

  server.offline = false;
  server.failing.clear();
  await endsOnB(page, server);
});

deploy('with the page\'s files cached by the browser\'s heuristics, a new build comes whole, never old page.js with a new module', async (browser) => {
  const server = await serve(a.dir);
  const year = 365 * 24 * 3600;
  server.ages = { '/': year, '/index.html': year, '/page.js': year, '/zorvane.css': year, '/sw.js': year };
  const page = await open(browser, server);
  await settled(page);
  assert.deepEqual(await running(page), a.whole);
  server.dir = b.dir;
  await endsOnB(page, server);
});

// Hosts that send index.html on to / (308), or whose validators stay the
// same from build to build (a 304 for every file), strand no one.
deploy('on a redirecting host and on one with fixed validators loads keep working, and B comes within two loads', async (browser) => {
  for (const host of [{ redirects: { '/index.html': ['/', 308] } }, { fixedValidators: true }]) {
    const server = Object.assign(await serve(a.dir), host);
    const page = await open(browser, server);
    await settled(page);
    await reload(page);
    assert.deepEqual(await running(page), a.whole, JSON.stringify(host));
    server.dir = b.dir;
    await endsOnB(page, server);
  }
});

deploy('a first visit during an upload never starts a mix: the page says so, and Try again gets B whole', async (browser) => {
  for (const file of ['zorvane.wasm', 'zorvane.js', 'page.js']) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-half-'));
    fs.cpSync(b.dir, dir, { recursive: true });
    fs.copyFileSync(path.join(a.dir, file), path.join(dir, file));
    const server = await serve(dir);
    const context = await browser.createBrowserContext();  // no worker, nothing cached
    const page = await context.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/?seed=7`);
    await page.waitForSelector('#failed:not([hidden])', { timeout: startBudget });
    assert.equal(await page.$eval('#window', (w) => w.hidden), true, `A's ${file}`);
    server.dir = b.dir;
    await Promise.all([page.waitForNavigation(), page.click('#retry')]);
    await page.waitForSelector('#window:not([hidden])', { timeout: startBudget });
    assert.deepEqual(await running(page), b.whole, `A's ${file}, then B`);
    await context.close();
    server.close();
  }
});

deploy('loads at many addresses leave one cache entry per file of the page', async (browser) => {
  const server = await serve();
  let page;
  for (let seed = 1; seed <= 5; seed++) {
    await page?.close();
    page = await open(browser, server, { seed });
    await settled(page);
  }
  const kept = await page.evaluate(async () => {
    const entries = [];
    for (const name of await caches.keys()) {
      if (name === 'zorvane-current') continue;  // the worker's note of the build before
      for (const request of await (await caches.open(name)).keys()) {
        const url = new URL(request.url);
        entries.push(url.pathname + url.search);
      }
    }
    return entries;
  });
  assert.deepEqual(kept.sort(), files(root).filter((file) => file !== 'sw.js').map((file) => `/${file}`).sort());
  await page.close();
  server.close();
});

deploy('a page asks once more for a module file that failed; one that cannot be had, or its script, it says so and offers to try again', async (browser) => {
  // As when the worker answering it was ended by a new one taking over (WebKitGTK): the game starts all the same.
  const once = await serve(a.dir);
  once.failingOnce.add(`/zorvane.wasm?build=${a.build}`);
  const page = await open(browser, once);
  assert.equal(once.failingOnce.size, 0);
  assert.deepEqual(await running(page), a.whole);
  await page.close();
  once.close();
  for (const file of ['/zorvane.wasm', '/page.js']) {
    const server = await serve();
    server.failing.add(file);
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/?seed=7`);
    // Shown by the page itself where page.js never came.
    await page.waitForSelector('#failed', { visible: true, timeout: startBudget });
    assert.equal(await page.$eval('#window', (w) => w.hidden), true, file);
    assert.match(await page.$eval('#failed', (f) => f.textContent), /could not be loaded/, file);
    // Once the file comes, Try again starts the game.
    server.failing.clear();
    await Promise.all([page.waitForNavigation(), page.click('#retry')]);
    await page.waitForSelector('#window:not([hidden])');
    assert.equal(await page.$eval('#failed', (f) => getComputedStyle(f).display), 'none', file);
    await page.close();
    server.close();
  }
});
