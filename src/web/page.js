// The page around the game's module: it forwards events with their time stamps
// and draws what the module's view says. Every rule of the game is the module's.

// The build this page is of (page.js?build=...): the module asks for its
// .wasm as the same build's, so that the worker hands out no other.
const build = new URL(import.meta.url).searchParams.get('build');
const locateFile = (file, folder) => folder + file + (build ? `?build=${encodeURIComponent(build)}` : '');
const address = new URLSearchParams(location.search);
const $ = (id) => document.getElementById(id);
// The build this script is of, written in as the site is made.
const stamp = '@BUILD@';

// Once loaded, the page plays offline. The worker is registered under the
// host's newest build, asked of the host past every cache: a host whose
// validators stay the same from one build to the next (files of one fixed
// date, as reproducible builds give) would answer the browser's own check
// for a new worker with "not modified" for ever.
if ('serviceWorker' in navigator) {
  (async () => {
    const worker = await (await fetch('sw.js', { cache: 'no-store' })).text();
    const newest = worker.match(/const BUILD = '(\w+)'/)?.[1];
    // Offline (nothing to read) the worker in charge stays.
    if (newest) await navigator.serviceWorker.register(`sw.js?build=${newest}`, { updateViaCache: 'none' });
  })().catch(() => {});
}

// The module's files as this page's build has them, checked by their hashes
// before anything runs: with no worker in charge yet (a first visit, a hard
// reload), a host half way through an upload may hand out another build's
// script or .wasm beside this page, and the browser's cache may hold an
// older one. Where the browser cannot hash (a page not served over https),
// the files are taken as they come.
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
  const hex = async (bytes) => [...new Uint8Array(await crypto.subtle.digest('SHA-256', bytes))]
    .map((byte) => byte.toString(16).padStart(2, '0')).join('');
  const wrong = async (got) => {
    if (!globalThis.crypto?.subtle || !sums['zorvane.wasm']) return [];
    const sumsGot = await Promise.all(got.map(hex));
    return files.filter((file, i) => sumsGot[i] !== sums[file]);
  };
  let got = await fetched('default');
  const first = await wrong(got);
  // Asked anew past the browser's cache, which then holds the right ones for a retry.
  if (first.length) got = await fetched('reload');
  const still = [...new Set([...first.filter((file) => file === 'zorvane.js'), ...(await wrong(got))])];
  if (still.length) throw new Error(`${still.join(' and ')} of another build than the page`);
  return got[1];
}

// Without its module there is no game: the page says so and offers to try again.
function failed(error) {
  console.error(`Zorvane could not be loaded: ${error}`);
  $('failed').hidden = false;
}
const loading = typeof createZorvane === 'function'
  ? moduleOfThisBuild().then((wasmBinary) => createZorvane({ locateFile, wasmBinary }))
  : Promise.reject(new Error('zorvane.js did not load'));

loading.then((mod) => {
  const call = (name, ...args) => mod['_' + name](...args);
  const text = (pointer) => mod.UTF8ToString(pointer);
  // Where the view's fields lie, the focus's numbers, the buttons' captions and font.
  const layout = JSON.parse(text(call('zv_layout')));
  const Focus = layout.focus;
  const [windowEl, menubar, board, pauseButton, gameoverButton, scrim] = ['window', 'menubar', 'board', 'pause', 'gameover', 'scrim'].map($);
  const buttons = [pauseButton, gameoverButton];
  buttons.forEach((button, i) => {
    button.textContent = layout.captions[i];
    button.style.font = layout.font;
  });
  const context = board.getContext('2d', { alpha: false });
  const focusOptions = { preventScroll: true };

  let ratio = window.devicePixelRatio || 1;
  let fit = 1;  // how far the whole window is shrunk to fit a small screen
  let shownRebuilds = -1;
  let wakeTimer = 0;
  let framePending = false;
  let ended = false;

  // A box of four 32-bit words at word i of the module's memory.
  const boxAt = (i, h = mod.HEAP32) => ({ x: h[i], y: h[i + 1], width: h[i + 2], height: h[i + 3] });
  // The module's view of the screen, read by its layout.
  const view = (at = call('zv_view') >> 2) => Object.fromEntries(Object.entries(layout.view).map(([name, [word, box]]) =>
    [name, box ? boxAt(at + word) : mod.HEAP32[at + word]]));

  // Which part of the window holds the keys, as the module counts them.
  const parts = new Map([[board, Focus.Board], [pauseButton, Focus.Pause], [gameoverButton, Focus.GameOver]]);
  const focusNow = () => parts.get(document.activeElement) ?? Focus.Board;  // the page itself: the board's

  let shownTitles = 0;
  // Once a frame: what was painted since, and the title.
  function frame() {
    framePending = false;
    if (ended) return;
    // A ratio some browsers change without telling (neither a resize nor the media query's change).
    if ((window.devicePixelRatio || 1) !== ratio) ratioChanged();
    // A slow phone's frames hold its timers up past the ticks' catch-up: ticks due by now run first.
    if (wakeTimer && call('zv_next_due') <= performance.now()) wake();
    call('zv_take_dirty');
    const v = view();
    const d = v.dirty;
    if (d.width > 0 && d.height > 0 && v.width > 0) {
      const pixels = new Uint8ClampedArray(mod.HEAPU8.buffer, call('zv_pixels'), v.width * v.height * 4);
      context.putImageData(new ImageData(pixels, v.width, v.height), 0, 0, d.x, d.y, d.width, d.height);
      ticks.firstBoardAt ||= performance.now();
    }
    // The title as the module last set it (a tick's new score a few times a second).
    if (v.titles !== shownTitles) {
      shownTitles = v.titles;
      document.title = text(call('zv_title'));
    }
  }

  // A button's place, shrunk with the window, touched only when it changed.
  function place(button, shown, { x, y, width, height }) {
    const placed = `${shown} ${x} ${y} ${width} ${height} ${fit}`;
    if (button.placed === placed) return;
    button.placed = placed;
    button.hidden = !shown;
    const px = (n) => `${n * fit}px`;
    Object.assign(button.style, { left: px(x), top: px(y), width: px(width), height: px(height), fontSize: `${layout.points * fit}pt` });
  }

  // A CSS length on whole device pixels that layout keeps as it is (it counts
  // in 64ths of a pixel): a canvas between two device pixels would be smoothed.
  // Rounded down where the window is fitted to the screen, so that it stays on
  // it, unless asked otherwise.
  function snap(css, down = fit < 1) {
    const fits = (n) => Math.abs((n * 64) / ratio - Math.round((n * 64) / ratio)) < 1e-6;
    let k = down ? Math.floor(css * ratio + 1e-6) : Math.ceil(css * ratio - 1e-6);
    while (!fits(k) && k > 0 && k < css * ratio + 64) k += down ? -1 : 1;
    return `${k / ratio}px`;
  }
  // The fewest device pixels from n up that layout keeps as they are at
  // `drawn` device pixels to a CSS pixel: at a ratio such as 2.625 only
  // every 21st count of pixels is a whole number of 64ths of a CSS pixel.
  function onGrid(n, drawn) {
    let k = n;
    while (k < n + 64 && Math.abs((k * 64) / drawn - Math.round((k * 64) / drawn)) > 1e-6) k++;
    return k;
  }
  const drawnRatio = () => call('zv_ratio') / call('zv_fit');  // device pixels to a CSS pixel
  // The canvas in device pixels, centred, on whole device pixels below the
  // menu bar; the board's own ratio may be nearer 1 than the screen's. On a
  // small screen the bar and the buttons shrink with the board. The canvas is
  // padded to such a count, the picture at its top left, so that each of the
  // picture's pixels is one of the screen's at every ratio.
  function layOut(v) {
    fit = call('zv_fit');
    const drawn = drawnRatio();
    const [width, height] = [onGrid(v.width, drawn), onGrid(v.height, drawn)];
    // Only a new size: setting it clears the canvas and makes it anew.
    if (board.width !== width || board.height !== height) {
      Object.assign(board, { width, height });
      context.fillStyle = getComputedStyle(document.body).backgroundColor;
      context.fillRect(0, 0, width, height);
    }
    Object.assign(board.style, { width: `${width / drawn}px`, height: `${height / drawn}px` });
    windowEl.style.setProperty('--fit', fit);
    placeBar();
    windowEl.style.width = board.style.width;
    centre();
  }
  // An upright phone has room to spare below the board: there the bar is a finger's height.
  const roomy = window.matchMedia('(pointer: coarse) and (orientation: portrait)');
  const placeBar = () => (menubar.style.height = roomy.matches ? snap(44, false) : snap(layout.bar * fit));
  const centre = () => (windowEl.style.marginLeft = snap(Math.max(0, (window.innerWidth - parseFloat(board.style.width)) / 2)));

  // Brings the page in line with the game after every call into it (a wake-up's ticks, or an event).
  function sync() {
    const v = view();
    if (v.ended) return end();
    if (v.rebuilds !== shownRebuilds) {
      shownRebuilds = v.rebuilds;
      layOut(v);
    }
    place(pauseButton, v.pauseShown, v.pause);
    place(gameoverButton, v.gameoverShown, v.gameover);
    showMenus(v);
    const target = [...parts].find(([, part]) => part === v.focus)?.[0] ?? board;
    if (v.focus >= 0 && document.activeElement !== target) target.focus(focusOptions);
    // One wake-up at the next tick's due time; none while the clock stands.
    clearTimeout(wakeTimer);
    const due = call('zv_next_due');
    wakeTimer = due < 0 ? 0 : setTimeout(wake, Math.max(0, due - performance.now()));
    requestFrame();
  }
  function requestFrame() {
    if (!framePending) requestAnimationFrame(frame);
    framePending = true;
  }

  // For the benchmark: ticks run, the first board's time; ?test&pilot: the pilot steers.
  const piloted = address.has('test') && address.has('pilot');
  const ticks = { total: 0, firstBoardAt: 0 };
  function wake() {
    clearTimeout(wakeTimer);
    if (ended) return;
    const ran = piloted ? call('zv_pilot', performance.now()) : call('zv_frame', performance.now(), 0);
    ticks.total += ran;
    sync();
  }

  // When an event happened: ticks due before it run first.
  const when = (event) => (event?.timeStamp > 0 ? Math.min(event.timeStamp, performance.now()) : performance.now());
  // Calls the module about an event, then brings the page in line.
  const send = (name, event, ...args) => {
    call(name, when(event), ...args);
    sync();
  };

  function end() {
    ended = true;
    clearTimeout(wakeTimer);
    windowEl.remove();
    $('ended').hidden = false;
    $('again').focus();
    // An app window goes with the game; a tab stays and offers a new one.
    if (window.matchMedia('(display-mode: standalone)').matches) window.close();
  }

  // The menu bar from the game's own table; the module keeps which menu is
  // open and which item or title is lit. The keys stay where they were.
  const Mouse = { press: 0, enter: 1, point: 2, choose: 3, click: 4, away: 5 };
  const mouse = (what, t, i = -1) => (event) => {
    event.preventDefault();
    send('zv_menu_mouse', event, focusNow(), what, t, i);
  };
  const el = (tag, props, ...content) => {
    const e = Object.assign(document.createElement(tag), props);
    e.append(...content);
    return e;
  };
  const entry = (className, ...content) => el('button', { type: 'button', className, tabIndex: -1, role: 'menuitem' }, ...content);
  const titles = JSON.parse(text(call('zv_menus'))).map(({ title, items }, t) => {
    const head = entry('title', title);
    const menu = el('div', { className: 'menu', role: 'menu', hidden: true }, ...items.map(([caption, key], i) => {
      const item = entry('item', el('span', {}, caption), el('span', {}, key));
      item.addEventListener('mousemove', mouse(Mouse.point, t, i));
      item.addEventListener('click', mouse(Mouse.choose, t, i));
      return item;
    }));
    menubar.append(el('div', { className: 'slot' }, head, ...(items.length ? [menu] : [])));
    // On the press itself, for a finger too: a browser may hold back a tap's
    // click (a second after a swipe), never its pointer-down.
    head.addEventListener('pointerdown', (event) => send('zv_menu_mouse', event, focusNow(), Mouse.press, t));
    head.addEventListener('mouseenter', mouse(Mouse.enter, t));
    head.addEventListener('click', mouse(Mouse.click, t));
    return { head, items: [...menu.children], menu };
  });
  // A press on the bar leaves the keys where they are; one anywhere else,
  // while the bar is active, closes it and presses nothing under it.
  for (const part of [menubar, scrim]) part.addEventListener('mousedown', (event) => event.preventDefault());
  scrim.addEventListener('pointerdown', (event) => send('zv_menu_mouse', event, focusNow(), Mouse.away, -1));
  let shownMenus = '';
  function showMenus({ menuOpen, menuItem, menuTitle }) {
    if (shownMenus === (shownMenus = `${menuOpen} ${menuItem} ${menuTitle}`)) return;
    titles.forEach(({ head, items, menu }, t) => {
      head.classList.toggle('active', t === menuOpen || t === menuTitle);
      menu.hidden = t !== menuOpen;
      items.forEach((item, i) => item.classList.toggle('lit', t === menuOpen && i === menuItem));
    });
    scrim.hidden = menuOpen < 0 && menuTitle < 0;
  }

  // Keys go to the module (Tab too: it takes the focus round the window; Alt alone the bar); it says whether the browser may have them.
  const numbers = (n) => Array(n).fill('number');
  document.addEventListener('keydown', (event) => {
    if (ended) return;
    if (mod.ccall('zv_key', 'number', [...numbers(2), 'string', 'string', ...numbers(5)], [when(event), focusNow(), event.key,
      event.code, event.shiftKey, event.ctrlKey, event.altKey, event.metaKey, event.repeat])) event.preventDefault();
    sync();
  });
  document.addEventListener('keyup', (event) => {
    if (ended || !mod.ccall('zv_key_up', 'number', ['string'], [event.key])) return;
    event.preventDefault();
    sync();
  });

  buttons.forEach((button, i) => button.addEventListener('click', (event) => {
    button.focus(focusOptions);
    send('zv_click', event, i);
  }));
  $('again').addEventListener('click', () => location.reload());

  // A finger or a pen on the board steers (the module's swipe and tap); a mouse clicks as before.
  const phases = { pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3 };
  for (const [type, phase] of Object.entries(phases)) {
    board.addEventListener(type, (event) => {
      if (event.pointerType === 'mouse' || !event.isPrimary) return;
      if (phase === 0) board.setPointerCapture(event.pointerId);
      const box = board.getBoundingClientRect();
      send('zv_touch', event, phase, event.clientX - box.left, event.clientY - box.top);
    });
  }

  // Out of sight (another app, another tab) the browser slows or freezes the
  // clock: a running game holds as P would, and shows held when it comes back.
  document.addEventListener('visibilitychange', () => {
    if (!ended && document.visibilityState === 'hidden') send('zv_hidden', null);
  });

  // A new ratio (a zoom, another screen) repaints the board in its pixels;
  // browsers tell it by a media query's change, some only by a resize.
  function ratioChanged(first = false) {
    const now = window.devicePixelRatio || 1;
    if (ended || (now === ratio && !first)) return;
    if (now !== ratio && (call('zv_set_ratio', (ratio = now)) | fitRoom())) sync();
    window.matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', () => ratioChanged(), { once: true });
  }
  // A phone turned round, a window resized: the whole window fits the room it has.
  // The padding may take the window a fraction of a pixel past the room: the
  // board is then fitted into that much less.
  function fitRoom() {
    if (ended) return false;
    let changed = false;
    let [width, height] = [window.innerWidth, window.innerHeight];
    for (let tries = 0; tries < 3; tries++) {
      changed = call('zv_room', width, height, layout.bar) || changed;
      const { width: w, height: h } = view();
      const drawn = drawnRatio();
      const over = [onGrid(w, drawn) / drawn - window.innerWidth,
        onGrid(h, drawn) / drawn + layout.bar * call('zv_fit') - window.innerHeight];
      if (call('zv_fit') >= 1 || (over[0] <= 0 && over[1] <= 0)) break;
      width -= Math.max(0, over[0]);
      height -= Math.max(0, over[1]);
    }
    return changed;
  }
  window.addEventListener('resize', () => {
    if (fitRoom()) sync();
    placeBar();
    centre();
    ratioChanged();
  });

  mod.ccall('zv_start', null, ['number', 'string'], [ratio, address.get('seed') ?? '']);
  fitRoom();
  windowEl.hidden = false;
  sync();
  frame();  // the first board and title before anyone looks
  board.focus(focusOptions);
  ratioChanged(true);
  // What the tests read back, only when the address asks for it (?test).
  if (!address.has('test')) return;
  window.zorvane = {
    view, ready: true, title: () => text(call('zv_title')),
    cellBox: (column, row) => boxAt(call('zv_cell_box', column, row) >> 2),
    scheduled: () => wakeTimer !== 0,
    ticks: () => ({ ...ticks, dropped: call('zv_dropped_ticks') }),
    picture: () => mod.HEAPU8.slice(call('zv_pixels'), call('zv_pixels') + view().width * view().height * 4),
  };
}, failed);
