// The page around the game's module: it forwards events with their time
// stamps, copies the painted cells to the canvas and follows the game's
// buttons, title, clock and focus. Every rule of the game is the module's,
// and so are the buttons' captions and font and the view's layout.

// Once loaded, the page plays offline. The browser asks the server for a
// new worker at every load, never its own cache.
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});

// The build this page is of, from its own address (page.js?build=...): the
// module asks for its .wasm as the same build's, so that the worker hands
// out no other.
const build = new URL(import.meta.url).searchParams.get('build');
const locateFile = (file, folder) => folder + file + (build ? `?build=${encodeURIComponent(build)}` : '');

// Without its module there is no game: the page says so and offers to try
// again, rather than stay blank.
function failed(error) {
  console.error(`Zorvane could not be loaded: ${error}`);
  document.getElementById('failed').hidden = false;
  document.getElementById('retry').addEventListener('click', () => location.reload());
}
const loading = typeof createZorvane === 'function' ? createZorvane({ locateFile })
  : Promise.reject(new Error('zorvane.js did not load'));

loading.then((mod) => {
  const call = (name, ...args) => mod['_' + name](...args);
  const text = (pointer) => mod.UTF8ToString(pointer);
  // Where the view's fields lie, and the focus's numbers, as the module says.
  const layout = JSON.parse(text(call('zv_layout')));
  const Focus = layout.focus;

  const windowEl = document.getElementById('window');
  const menubar = document.getElementById('menubar');
  const board = document.getElementById('board');
  const pauseButton = document.getElementById('pause');
  const gameoverButton = document.getElementById('gameover');
  // The buttons say what the game's window says, in its font; the fallbacks
  // are faces of the same measure where that font is missing.
  const buttonFont = `${text(call('zv_button_font'))}, "Liberation Sans", sans-serif`;
  [pauseButton, gameoverButton].forEach((button, i) => {
    button.textContent = text(call('zv_caption', i));
    button.style.font = buttonFont;
  });
  const context = board.getContext('2d', { alpha: false });

  let ratio = window.devicePixelRatio || 1;
  let shownRebuilds = -1;
  let wakeTimer = 0;
  let blitPending = false;
  let ended = false;
  let shownTitle = '';
  const titleElement = document.querySelector('title');

  // A box of four 32-bit words at word i of the module's memory.
  const boxAt = (i) => {
    const h = mod.HEAP32;
    return { x: h[i], y: h[i + 1], width: h[i + 2], height: h[i + 3] };
  };
  // The module's view of the screen, read by its layout.
  function view() {
    const at = call('zv_view') >> 2;
    const v = {};
    for (const [name, [word, box]] of Object.entries(layout.view)) v[name] = box ? boxAt(at + word) : mod.HEAP32[at + word];
    return v;
  }

  function focusNow() {
    const el = document.activeElement;
    if (el === board) return Focus.Board;
    if (el === pauseButton) return Focus.Pause;
    if (el === gameoverButton) return Focus.GameOver;
    if (el && menubar.contains(el)) return Focus.Elsewhere;
    return Focus.Board;  // the page itself: keys go to the board
  }

  // Copies what was painted since the last copy, once per frame.
  function blit() {
    blitPending = false;
    if (ended) return;
    call('zv_take_dirty');
    const v = view();
    const d = v.dirty;
    if (d.width <= 0 || d.height <= 0 || v.width <= 0) return;
    const pixels = new Uint8ClampedArray(mod.HEAPU8.buffer, call('zv_pixels'), v.width * v.height * 4);
    context.putImageData(new ImageData(pixels, v.width, v.height), 0, 0, d.x, d.y, d.width, d.height);
    if (!ticks.firstBoardAt) ticks.firstBoardAt = performance.now();
  }

  function placeButton(button, shown, place) {
    button.hidden = !shown;
    button.style.left = place.x + 'px';
    button.style.top = place.y + 'px';
    button.style.width = place.width + 'px';
    button.style.height = place.height + 'px';
  }

  // The canvas in device pixels, on whole device pixels below the menu bar.
  // The board's own ratio may be nearer 1 than the screen's, never farther.
  function layOut(v) {
    const drawn = call('zv_ratio');
    board.width = v.width;
    board.height = v.height;
    board.style.width = v.width / drawn + 'px';
    board.style.height = v.height / drawn + 'px';
    menubar.style.height = Math.ceil(19 * ratio) / ratio + 'px';
    windowEl.style.width = v.width / drawn + 'px';
  }

  // Brings the page in line with the game after every call into it.
  function sync() {
    const v = view();
    if (v.ended) {
      end();
      return;
    }
    if (v.rebuilds !== shownRebuilds) {
      shownRebuilds = v.rebuilds;
      layOut(v);
    }
    placeButton(pauseButton, v.pauseShown, v.pause);
    placeButton(gameoverButton, v.gameoverShown, v.gameover);
    // Several ticks may have run: the last title counts, whichever changed it.
    const title = text(call('zv_title'));
    if (title !== shownTitle) {
      shownTitle = title;
      titleElement.textContent = title;
    }
    // While a menu is open it has the keys.
    if (v.focus >= 0 && !menus.open()) {
      const target = v.focus === Focus.Pause ? pauseButton : v.focus === Focus.GameOver ? gameoverButton : board;
      if (document.activeElement !== target) target.focus({ preventScroll: true });
    }
    schedule();
    if (!blitPending) {
      blitPending = true;
      requestAnimationFrame(blit);
    }
  }

  // One wake-up at the next tick's due time; none while the clock stands.
  function schedule() {
    clearTimeout(wakeTimer);
    wakeTimer = 0;
    const due = call('zv_next_due');
    if (due < 0) return;
    wakeTimer = setTimeout(wake, Math.max(0, due - performance.now()));
  }

  // What the benchmark reads: ticks run and when the last one ran. With
  // ?pace=timeout each wake-up runs one tick, as a plain timer would.
  const onePerWake = new URLSearchParams(location.search).get('pace') === 'timeout';
  // With ?test&pilot the benchmarks' pilot steers before every tick.
  const piloted = new URLSearchParams(location.search).has('test') && new URLSearchParams(location.search).has('pilot');
  const ticks = { total: 0, lastAt: 0, firstBoardAt: 0 };
  function wake() {
    wakeTimer = 0;
    if (ended) return;
    const ran = piloted ? call('zv_pilot', performance.now()) : call('zv_frame', performance.now(), onePerWake ? 1 : 0);
    ticks.total += ran;
    if (ran) ticks.lastAt = performance.now();
    sync();
  }

  // When an event happened: ticks due before it run first.
  const when = (event) => (event && event.timeStamp > 0 ? Math.min(event.timeStamp, performance.now()) : performance.now());

  // The module decides: from a focused button only the menus' shortcuts count.
  function sendKey(event) {
    const args = [when(event), focusNow(), event.key, event.code, +event.shiftKey, +event.ctrlKey, +event.altKey];
    const taken = mod.ccall('zv_key', 'number',
      ['number', 'number', 'string', 'string', 'number', 'number', 'number'], args);
    sync();
    return taken;
  }

  function end() {
    ended = true;
    clearTimeout(wakeTimer);
    menus.close(false);
    windowEl.hidden = true;
    windowEl.remove();
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
    // An app window goes with the game; a tab stays and offers a new one.
    if (window.matchMedia('(display-mode: standalone)').matches) window.close();
  }

  // The menu bar, built from the game's own table.
  const menus = (() => {
    const titles = [];
    let openIndex = -1;
    let barMode = false;  // the bar has the keys (Alt, as on the desktop)
    let returnFocus = board;

    for (let t = 0; t < call('zv_menu_count'); t++) {
      const title = document.createElement('button');
      title.type = 'button';
      title.className = 'title';
      title.tabIndex = -1;
      title.textContent = text(call('zv_menu_title', t));
      title.setAttribute('role', 'menuitem');
      const count = call('zv_menu_items', t);
      let menu = null;
      if (count > 0) {
        menu = document.createElement('div');
        menu.className = 'menu';
        menu.setAttribute('role', 'menu');
        menu.hidden = true;
        for (let i = 0; i < count; i++) {
          const item = document.createElement('button');
          item.type = 'button';
          item.className = 'item';
          item.tabIndex = -1;
          item.setAttribute('role', 'menuitem');
          const caption = document.createElement('span');
          caption.textContent = text(call('zv_menu_item', t, i));
          const shortcut = document.createElement('span');
          shortcut.textContent = text(call('zv_menu_item_key', t, i));
          item.append(caption, shortcut);
          item.addEventListener('click', (event) => choose(t, i, event));
          item.addEventListener('mousemove', () => item.focus({ preventScroll: true }));
          menu.append(item);
        }
      }
      const slot = document.createElement('div');
      slot.style.position = 'relative';
      slot.append(title);
      if (menu) slot.append(menu);
      menubar.append(slot);
      titles.push({ title, menu });
      title.addEventListener('mousedown', (event) => {
        event.preventDefault();  // the board keeps the focus until a menu takes it
        if (!menu) return;
        if (openIndex === t) close(true);
        else show(t, event, false);
      });
      title.addEventListener('mouseenter', (event) => {
        if (openIndex >= 0 && openIndex !== t && menu) show(t, event, false);
      });
      title.addEventListener('click', (event) => {
        if (menu) return;
        close(false);
        call('zv_menu_command', when(event), focusNow(), t);
        sync();
      });
    }

    function show(t, event, fromKeys) {
      if (openIndex < 0 && !barMode) returnFocus = document.activeElement === pauseButton ||
        document.activeElement === gameoverButton ? document.activeElement : board;
      const had = focusNow();
      hideMenu();
      openIndex = t;
      const { title, menu } = titles[t];
      title.classList.add('active');
      menu.hidden = false;
      // From the keys the first item is selected; from the mouse none is.
      menu.tabIndex = -1;
      (fromKeys ? menu.firstChild : menu).focus({ preventScroll: true });
      call('zv_menu_open', when(event), had, t);
      sync();
    }

    function hideMenu() {
      if (openIndex < 0) return;
      titles[openIndex].title.classList.remove('active');
      titles[openIndex].menu.hidden = true;
      openIndex = -1;
    }

    // Closes the menu and the bar's keyboard mode; the keys go back.
    function close(giveBack) {
      hideMenu();
      barMode = false;
      if (giveBack && !ended) (returnFocus.hidden ? board : returnFocus).focus({ preventScroll: true });
    }

    function choose(t, i, event) {
      close(true);
      call('zv_menu_choose', when(event), focusNow(), t, i);
      sync();
    }

    function enterBar() {
      returnFocus = focusNow() === Focus.Pause ? pauseButton : focusNow() === Focus.GameOver ? gameoverButton : board;
      barMode = true;
      titles[0].title.focus({ preventScroll: true });
    }

    function focusedTitle() {
      if (openIndex >= 0) return openIndex;
      return titles.findIndex(({ title }) => title === document.activeElement);
    }

    // Keys while a menu is open or the bar has them; false when they are not the menus'.
    function handleKey(event) {
      if (openIndex < 0 && !barMode) return false;
      event.preventDefault();
      const t = focusedTitle();
      const step = (from, by, n) => (from + by + n) % n;
      if (event.key === 'Escape') {
        close(true);
      } else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
        const next = step(Math.max(t, 0), event.key === 'ArrowLeft' ? -1 : 1, titles.length);
        if (openIndex >= 0 && titles[next].menu) show(next, event, true);
        else {
          hideMenu();
          barMode = true;
          titles[next].title.focus({ preventScroll: true });
        }
      } else if (openIndex >= 0 && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
        const items = [...titles[openIndex].menu.children];
        const at = items.indexOf(document.activeElement);
        const next = at < 0 ? (event.key === 'ArrowDown' ? 0 : items.length - 1)
          : step(at, event.key === 'ArrowDown' ? 1 : -1, items.length);
        items[next].focus({ preventScroll: true });
      } else if (openIndex >= 0 && (event.key === 'Enter' || event.key === ' ')) {
        const items = [...titles[openIndex].menu.children];
        const at = items.indexOf(document.activeElement);
        if (at >= 0) choose(openIndex, at, event);
      } else if (openIndex < 0 && t >= 0 && (event.key === 'ArrowDown' || event.key === 'Enter' || event.key === ' ')) {
        if (titles[t].menu) show(t, event, true);
        else {
          close(false);
          call('zv_menu_command', when(event), Focus.Elsewhere, t);
          sync();
        }
      } else if (event.key === 'Tab' || event.key === 'Alt') {
        close(true);
      }
      return true;
    }

    // A press anywhere else closes an open menu without a choice, and does
    // nothing more: a button under it is not pressed.
    let swallowClick = false;
    document.addEventListener('mousedown', (event) => {
      swallowClick = false;
      if ((openIndex < 0 && !barMode) || menubar.contains(event.target)) return;
      close(true);
      event.preventDefault();
      event.stopPropagation();
      swallowClick = true;
    }, true);
    document.addEventListener('click', (event) => {
      if (!swallowClick) return;
      swallowClick = false;
      event.preventDefault();
      event.stopPropagation();
    }, true);

    return { handleKey, close, enterBar, open: () => openIndex >= 0 || barMode };
  })();

  const isFunctionKey = (k) => /^F([1-9]|1[0-9]|2[0-4])$/.test(k);
  let altAlone = false;

  document.addEventListener('keydown', (event) => {
    if (ended) return;
    altAlone = event.key === 'Alt' && !event.repeat;
    if (menus.handleKey(event)) return;
    const holder = focusNow();
    // The browser keeps its own shortcuts with Ctrl, Alt or the system key.
    const browsers = event.ctrlKey || event.altKey || event.metaKey;
    if (event.key === 'Tab') {
      // Focus goes round the board and the shown buttons, never off the window.
      event.preventDefault();
      const ring = [board, gameoverButton, pauseButton].filter((el) => !el.hidden);
      const at = Math.max(0, ring.indexOf(document.activeElement));
      ring[(at + (event.shiftKey ? ring.length - 1 : 1)) % ring.length].focus({ preventScroll: true });
      return;
    }
    if (holder === Focus.Pause || holder === Focus.GameOver) {
      // A focused button takes Space and Enter as a press; the menus' keys still work.
      if (isFunctionKey(event.key)) {
        if (!browsers) event.preventDefault();
        sendKey(event);
      } else if (event.key !== ' ' && event.key !== 'Enter' && !browsers) {
        event.preventDefault();
      }
      return;
    }
    const taken = sendKey(event);
    if ((taken || isFunctionKey(event.key)) && !browsers) event.preventDefault();
  });
  document.addEventListener('keyup', (event) => {
    if (event.key === 'Alt' && altAlone && !ended) {
      event.preventDefault();
      menus.enterBar();
    }
    altAlone = false;
  });

  pauseButton.addEventListener('click', (event) => {
    pauseButton.focus({ preventScroll: true });
    call('zv_click', when(event), Focus.Pause, 0);
    sync();
  });
  gameoverButton.addEventListener('click', (event) => {
    gameoverButton.focus({ preventScroll: true });
    call('zv_click', when(event), Focus.GameOver, 1);
    sync();
  });
  document.getElementById('again').addEventListener('click', () => location.reload());

  // A new ratio (a zoom, another screen) repaints the board in its pixels.
  // Browsers tell it by a media query's change, some only by a resize.
  function ratioChanged() {
    const now = window.devicePixelRatio || 1;
    if (ended || now === ratio) return;
    ratio = now;
    if (call('zv_set_ratio', ratio)) {
      layOut(view());
      sync();
    }
    watchRatio();
  }
  function watchRatio() {
    window.matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', ratioChanged, { once: true });
  }
  window.addEventListener('resize', ratioChanged);

  mod.ccall('zv_start', null, ['number', 'string'], [ratio, new URLSearchParams(location.search).get('seed') ?? '']);
  windowEl.hidden = false;
  sync();
  board.focus({ preventScroll: true });
  watchRatio();
  // What the tests read back (the view, where a cell stands, the clock),
  // only when the address asks for it (?test).
  if (!new URLSearchParams(location.search).has('test')) return;
  const cellBox = (column, row) => boxAt(call('zv_cell_box', column, row) >> 2);
  window.zorvane = {
    view, cellBox, ready: true,
    scheduled: () => wakeTimer !== 0,
    ticks: () => ({ ...ticks, dropped: call('zv_dropped_ticks') }),
  };
}, failed);
