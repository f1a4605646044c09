// Serves the built page on 127.0.0.1 and opens it in Debian's headless
// Chromium, collecting every error the page reports.
import http from 'node:http';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

// puppeteer-core where the checks install it, in the build folder
// (scripts/lib/web_node.sh), not beside the tests.
const modules = process.env.ZORVANE_NODE_MODULES ?? fileURLToPath(new URL('../../build/checks/web-node/', import.meta.url));
const modulesRequire = createRequire(path.join(modules, 'package.json'));
export const puppeteer = modulesRequire('puppeteer-core');
// axe-core's script, to run in a page.
export const axePath = modulesRequire.resolve('axe-core/axe.min.js');
// Lighthouse, to import.
export const lighthouseUrl = pathToFileURL(modulesRequire.resolve('lighthouse')).href;

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.json': 'application/manifest+json', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

// How long to wait for a program to start: the first start of a browser or
// a driver on a cold machine takes many times its usual second.
export const startBudget = Number(process.env.ZORVANE_START_BUDGET ?? 180) * 1000;

// Polls probe until it answers; gives up after ms, saying what it waited for.
export async function waitFor(what, ms, probe) {
  for (const deadline = Date.now() + ms; ;) {
    const answer = await probe();
    if (answer) return answer;
    if (Date.now() > deadline) throw new Error(`gave up after ${ms / 1000} s waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// A port nobody holds now, as the system hands it out.
export async function freePort() {
  const holder = net.createServer().listen(0, '127.0.0.1');
  await new Promise((resolve) => holder.once('listening', resolve));
  const { port } = holder.address();
  await new Promise((resolve) => holder.close(resolve));
  return port;
}

// The page as it ships, and the tests' own copy of it with their hooks (page_hooks.js).
export const root = process.env.ZORVANE_WEB_ROOT ?? fileURLToPath(new URL('../../build-web/site', import.meta.url));
export const testRoot = process.env.ZORVANE_WEB_TEST_ROOT ?? fileURLToPath(new URL('../../build-web/test-site', import.meta.url));

// A test may change what the server does as it goes: serve another folder
// (dir, a deployment), answer some paths with a 500 (failing; failingOnce,
// by address, the first time), drop every connection (offline), send a
// Last-Modified so many seconds old with no Cache-Control, which browsers
// cache by heuristics (ages, by path), send some paths elsewhere
// (redirects: path to [address, status]), and give validators that never
// change between builds (fixedValidators: an ETag of the size alone and one
// old date, as over files of a fixed modification time), answering a
// request that has them with a 304.
export function serve(dir = root) {
  const server = http.createServer((request, response) => {
    if (server.offline) {
      request.socket.destroy();
      return;
    }
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(server.dir, name === '/' ? 'index.html' : name);
    if (server.failing.has(name) || server.failingOnce.delete(request.url)) {
      response.writeHead(500).end();
      return;
    }
    if (server.redirects[name]) return response.writeHead(server.redirects[name][1], { Location: server.redirects[name][0] }).end();
    if (!file.startsWith(server.dir) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    const headers = { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' };
    if (name in server.ages) headers['Last-Modified'] = new Date(Date.now() - server.ages[name] * 1000).toUTCString();
    if (server.fixedValidators) Object.assign(headers, { ETag: `"${fs.statSync(file).size}"`, 'Last-Modified': new Date(0).toUTCString() });
    const same = server.fixedValidators && request.headers['if-none-match'] === headers.ETag;
    response.writeHead(same ? 304 : 200, headers);
    if (same) return response.end();
    // A file a test's deployment takes away while it is read: the connection drops, as a host's would.
    fs.createReadStream(file).on('error', () => response.destroy()).pipe(response);
  });
  Object.assign(server, { dir, failing: new Set(), failingOnce: new Set(), offline: false, ages: {}, redirects: {}, fixedValidators: false });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    timeout: startBudget,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-renderer-backgrounding',
      '--disable-background-timer-throttling'],
  });
  browser.profile = profile;
  return browser;
}

export async function close(browser, server) {
  await browser.close();
  server.close();
  fs.rmSync(browser.profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 100 });
}

// A page of the window's size at a device-pixel ratio (or of a phone's
// viewport), loaded and started.
export async function open(browser, server, { ratio = 1, seed = 7, query = '', viewport } = {}) {
  const page = await browser.newPage();
  page.setDefaultTimeout(startBudget);
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && page.errors.push(message.text()));
  await page.setViewport(viewport ?? { width: 468, height: 487, deviceScaleFactor: ratio });
  const { port } = server.address();
  page.url0 = `http://127.0.0.1:${port}/`;
  await page.goto(`${page.url0}?seed=${seed}${query}`);
  await page.waitForSelector('#window:not([hidden])');
  return page;
}

// The game's view and title, after the next frame has been copied.
export async function state(page) {
  return page.evaluate(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const pause = document.getElementById('pause');
    const gameover = document.getElementById('gameover');
    return { ...window.zorvane.view(), title: document.title, pauseHidden: pause.hidden, gameoverHidden: gameover.hidden };
  });
}

// The game's colours as the canvas holds them.
export const paint = { wall: '255,255,128', obstacle: '50,50,0', food: '255,255,255', head: '0,150,100',
  body: '0,255,0', background: '255,128,0', crash: '255,0,0' };
