// The page around the game's module: it forwards events with their time stamps
// and shows what the module hands it through `page`. Every rule is the module's.

// The build this page is of, as its markup names page.js (?build=...; a cached script's own address has
// none): the module's files are asked for as the same build's, so that the worker hands out no other.
const build = new URL(document.querySelector('script[src^="page.js"]').src).searchParams.get('build');
const locateFile = (file, folder) => folder + file + (build ? `?build=${encodeURIComponent(build)}` : '');
const $ = (id) => document.getElementById(id);
// The build this script is of, written in as the site is made.
const stamp = '@BUILD@';

// Once loaded, the page plays offline. The worker is registered under the host's newest build,
// asked past every cache: a host whose validators never change would answer "not modified" for ever.
if ('serviceWorker' in navigator) {
  (async () => {
    const worker = await (await fetch('sw.js', { cache: 'no-store' })).text();
    const newest = worker.match(/const BUILD = '(\w+)'/)?.[1];
    // Offline (nothing to read) the worker in charge stays.
    if (newest) await navigator.serviceWorker.register(`sw.js?build=${newest}`, { updateViaCache: 'none' });
  })().catch(() => {});
}

// The module's files as this page's build has them, checked by their hashes: with no worker in
// charge (a first visit, a hard reload), a host half way through an upload, or the browser's cache,
// may hand out another build's. Where the browser cannot hash (no https), they are taken as they come.
async function moduleOfThisBuild() {
  if (build && stamp !== build) throw new Error(`page.js is of build ${stamp}, the page of ${build}`);
  const sums = Object.fromEntries(document.querySelector('meta[name="zorvane-files"]')?.content.match(/\S+ \S+/g)
    ?.map((pair) => pair.split(' ')) ?? []);
  const files = ['zorvane.js', 'zorvane.wasm'];
  const fetched = (cache) => Promise.all(files.map(async (file) => {
    const response = await fetch(locateFile(file, ''), { cache });
    if (!response.ok) throw new Error(`${file}: ${response.status}`);
    return response.arrayBuffer();
  }));
  const wrong = async (got) => {
    if (!globalThis.crypto?.subtle || !sums['zorvane.wasm']) return [];
    const digests = await Promise.all(got.map((bytes) => crypto.subtle.digest('SHA-256', bytes)));
    return files.filter((file, i) => [...new Uint8Array(digests[i])].map((b) => b.toString(16).padStart(2, '0')).join('') !== sums[file]);
  };
  // A fetch the old worker was answering as a new one took over may fail (WebKit): it is asked anew,
  // as a wrong file is, past the browser's cache, which then holds the right ones for a retry.
  let got = await fetched('default').catch(() => null);
  const first = got ? await wrong(got) : [];
  if (!got || first.length) got = await fetched('reload');
  const still = [...new Set([...first.filter((file) => file === 'zorvane.js'), ...(await wrong(got))])];
  if (still.length) throw new Error(`${still.join(' and ')} of another build than the page`);
  return got[1];
}

const [windowEl, menubar, board, scrim, ...buttons] = ['window', 'menubar', 'board', 'scrim', 'pause', 'gameover'].map($);
const parts = [board, ...buttons];  // the keys' holders, as the module numbers them
const context = board.getContext('2d', { alpha: false });
const focusOptions = { preventScroll: true };
// An upright phone has room to spare below the board: there the bar is a finger's height.
const roomy = window.matchMedia('(pointer: coarse) and (orientation: portrait)');
let mod;
let ratio = window.devicePixelRatio || 1;
let watched = 0;  // the ratio a media query watches for
let picture = {};  // the module's picture, as laid out last
const painted = [];  // boxes of it painted since the last frame
let frameRequest = 0;
let wakeTimer = 0;
let due = -1;
const titles = [];  // the menu bar's, each with its menu
const call = (name, ...args) => mod[`_${name}`](...args);

// What the module asks of the page, as it happens.
const page = {
  // A button's caption and font, with faces of the same measure where the window's own is missing.
  look(button, caption, face, fontWeight) {
    buttons[button].textContent = caption;
    Object.assign(buttons[button].style, { fontFamily: `"${face}", "Liberation Sans", sans-serif`, fontWeight });
  },
  // The picture, and the window in CSS pixels on whole device pixels.
  layOut(laid) {
    const { width, height, drawn } = (picture = laid);
    // Only a new size: setting it clears the canvas, which then shows all of the picture anew.
    if (board.width !== width || board.height !== height) {
      Object.assign(board, { width, height });
      page.present(0, 0, width, height);
    }
    Object.assign(board.style, { width: `${width / drawn}px`, height: `${height / drawn}px` });
    Object.assign(windowEl.style, { width: board.style.width, marginLeft: `${laid.margin}px` });
    windowEl.style.setProperty('--fit', laid.fit);
    menubar.style.height = `${laid.bar}px`;
  },
  // Copied to the canvas at the next frame.
  present(...box) {
    painted.push(box);
    requestFrame();
  },
  place(button, shown, box, points) {
    const [left, top, width, height] = box.map((n) => `${n}px`);
    buttons[button].hidden = !shown;
    Object.assign(buttons[button].style, { left, top, width, height, fontSize: `${points}pt` });
  },
  title: (text) => (document.title = text),
  // One wake-up at the next tick's due time, on performance.now()'s clock; none while the clock stands.
  wakeAt(ms) {
    clearTimeout(wakeTimer);
    due = ms;
    wakeTimer = ms < 0 ? 0 : setTimeout(wake, Math.max(0, ms - performance.now()));
  },
  focus: (part) => parts[part].focus(focusOptions),
  end() {
    clearTimeout(wakeTimer);
    windowEl.remove();
    $('ended').hidden = false;
    $('again').focus();
    // An app window goes with the game; a tab stays and offers a new one.
    if (window.matchMedia('(display-mode: standalone)').matches) window.close();
  },
  // The menu bar from the game's table; the module keeps which menu is open and what is lit.
  menu(title) {
    const slot = menubar.appendChild(Object.assign(document.createElement('div'), { className: 'slot' }));
    const items = Object.assign(document.createElement('div'), { className: 'menu', role: 'menu', hidden: true });
    titles.push({ head: entry(slot, 'title', { t: titles.length }, title), items });
  },
  item(caption, key) {
    const { head, items } = titles.at(-1);
    head.after(items);  // a title with items opens a menu
    const span = (text) => Object.assign(document.createElement('span'), { textContent: text });
    entry(items, 'item', { t: head.t, i: items.children.length }, span(caption), span(key));
  },
  menus(open, lit, title) {
    titles.forEach(({ head, items }, t) => {
      head.classList.toggle('active', t === open || t === title);
      items.hidden = t !== open;
      [...items.children].forEach((e, i) => e.classList.toggle('lit', t === open && i === lit));
    });
    scrim.hidden = open < 0 && title < 0;
  },
};
// A title or an item of the menu bar, as a button out of the tab order: the bar takes the keys by Alt.
function entry(parent, className, at, ...content) {
  const e = Object.assign(document.createElement('button'), { type: 'button', className, tabIndex: -1, role: 'menuitem' }, at);
  e.append(...content);
  return parent.appendChild(e);
}

// Without its module there is no game: the page says so and offers to try again.
(typeof createZorvane === 'function' ? moduleOfThisBuild() : Promise.reject(new Error('zorvane.js did not load')))
  .then((wasmBinary) => createZorvane({ locateFile, wasmBinary, page }))
  .then(start, (error) => {
    console.error(`Zorvane could not be loaded: ${error}`);
    $('failed').hidden = false;
  });

// Once a frame after anything happened: what was painted since.
const requestFrame = () => (frameRequest ||= requestAnimationFrame(frame));
function frame() {
  frameRequest = 0;
  // A ratio some browsers change without telling (neither a resize nor the media query's change).
  if ((window.devicePixelRatio || 1) !== ratio) roomChanged();
  // A slow phone's frames hold its timers up past the ticks' catch-up: ticks due by now run first.
  if (due >= 0 && due <= performance.now()) wake();
  const { width, height, at } = picture;
  if (!painted.length || !width) return;
  const image = new ImageData(new Uint8ClampedArray(mod.HEAPU8.buffer, at, width * height * 4), width, height);
  for (const box of painted.splice(0)) context.putImageData(image, 0, 0, ...box);
}
function wake() {
  clearTimeout(wakeTimer);
  call('zv_wake', performance.now());
}

// A window resized, a phone turned round, a new ratio (a zoom, another screen): the module fits
// the window to its room. A new ratio comes with a media query's change, a resize, or neither.
function roomChanged() {
  ratio = window.devicePixelRatio || 1;
  if (ratio !== watched) window.matchMedia(`(resolution: ${(watched = ratio)}dppx)`).addEventListener('change', roomChanged, { once: true });
  call('zv_room', window.innerWidth, window.innerHeight, ratio, roomy.matches);
}

// The module told of an event, with when it happened (ticks due before it run first).
const when = (event) => (event?.timeStamp > 0 ? Math.min(event.timeStamp, performance.now()) : performance.now());
const send = (name, event, ...args) => {
  const types = args.map((arg) => (typeof arg === 'string' ? 'string' : 'number'));
  const answer = mod.ccall(name, 'number', ['number', ...types], [when(event), ...args]);
  requestFrame();
  return answer;
};
const focusNow = () => parts.indexOf(document.activeElement);  // -1, the page itself, counts as the board
// The mouse on the bar, as DrawnMenuBar::Mouse numbers it. A title opens on the press, for a
// finger too: a browser may hold back a tap's click (a second after a swipe), never its pointer-down.
const Mouse = { title: { pointerdown: 0, mouseover: 1, click: 4 }, item: { mousemove: 2, click: 3 } };
function onBar(event) {
  const e = event.target.closest('.title, .item');
  const what = Mouse[e?.classList[0]]?.[event.type];
  if (what !== undefined) send('zv_menu_mouse', event, focusNow(), what, e.t, e.i ?? -1);
}

function start(loaded) {
  mod = loaded;
  mod.ccall('zv_start', null, ['number', 'string'], [ratio, new URLSearchParams(location.search).get('seed') ?? '']);
  roomChanged();
  windowEl.hidden = false;
  frame();  // the first board before anyone looks
  board.focus(focusOptions);

  // Keys go to the module (Tab and Alt too), which says whether the browser may have them.
  document.addEventListener('keydown', (event) => {
    const { key, code, shiftKey, ctrlKey, altKey, metaKey, repeat } = event;
    if (windowEl.isConnected && send('zv_key', event, focusNow(), key, code, shiftKey, ctrlKey, altKey, metaKey, repeat)) event.preventDefault();
  });
  document.addEventListener('keyup', (event) => {
    if (windowEl.isConnected && mod.ccall('zv_key_up', 'number', ['string'], [event.key])) event.preventDefault();
  });
  buttons.forEach((button, i) => button.addEventListener('click', (event) => {
    button.focus(focusOptions);
    send('zv_click', event, i);
  }));
  for (const type of ['pointerdown', 'mouseover', 'mousemove', 'click']) menubar.addEventListener(type, onBar);
  // A press on the bar leaves the keys where they are; one elsewhere while it is active closes it.
  for (const part of [menubar, scrim]) part.addEventListener('mousedown', (event) => event.preventDefault());
  scrim.addEventListener('pointerdown', (event) => send('zv_menu_mouse', event, focusNow(), 5, -1));

  // A finger or a pen on the board steers (the module's swipe and tap); a mouse does nothing there.
  ['pointerdown', 'pointermove', 'pointerup', 'pointercancel'].forEach((type, phase) => board.addEventListener(type, (event) => {
    if (event.pointerType === 'mouse' || !event.isPrimary) return;
    if (phase === 0) board.setPointerCapture(event.pointerId);
    const box = board.getBoundingClientRect();
    send('zv_touch', event, phase, event.clientX - box.left, event.clientY - box.top);
  }));

  // Out of sight the browser slows or freezes the clock: a running game holds as P would.
  document.addEventListener('visibilitychange', () => document.visibilityState === 'hidden' && send('zv_hidden', null));
  // A page that closes ends the game, as closing a window does; one kept for the back button stays.
  window.addEventListener('pagehide', (event) => !event.persisted && call('zv_close'));
  // A resize; a touch screen that comes or goes (a convertible folded) changes the bar's height.
  window.addEventListener('resize', roomChanged);
  roomy.addEventListener('change', roomChanged);
}
