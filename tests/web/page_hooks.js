// The tests' hooks into their own copy of the page (test-site/, see
// CMakeLists.txt here), loaded before page.js starts the game: it wraps
// createZorvane to watch what the module hands the page, and answers
// window.zorvane (below). ?hand=DRAWS gives the page a hand clock, which
// tick() moves on to the wake-up the page asked for, and starts the game on
// these draws of its random source. ?pilot: the benchmarks' pilot steers.
'use strict';
(() => {
  const address = new URLSearchParams(location.search);
  const hand = address.has('hand');
  const ticks = { total: 0, firstBoardAt: 0 };
  let picture = { width: 0, height: 0, at: 0 };
  let rebuilds = 0;
  const places = [];  // the buttons', CSS pixels
  let mod;
  const call = (name, ...args) => mod[`_${name}`](...args);

  // The hand clock: the time the page reads, the events' time stamps, and
  // the one timer the page sets as the module asks for a wake-up. Other
  // timers, a WebDriver's own among them, keep the browser's clock.
  let now = 0;
  let wakeUp = null;
  let settingWakeUp = false;
  if (hand) {
    performance.now = () => now;
    Object.defineProperty(Event.prototype, 'timeStamp', { get: () => now, configurable: true });
    const [set, clear] = [window.setTimeout, window.clearTimeout];
    window.setTimeout = (run, delay, ...rest) => {
      if (!settingWakeUp) return set(run, delay, ...rest);
      wakeUp = { run, due: now + delay };
      return -1;
    };
    window.clearTimeout = (id) => (id === -1 ? (wakeUp = null) : clear(id));
  }
  const putImageData = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function drawn(...args) {
    ticks.firstBoardAt ||= performance.now();
    return putImageData.apply(this, args);
  };

  // A function of the module's in place of its own, for good: the module's
  // first call of its own would put the wasm function back.
  const replace = (name, make) => {
    const wrapped = make(mod[name]);
    Object.defineProperty(mod, name, { get: () => wrapped, set() {} });
  };
  const create = createZorvane;
  createZorvane = async (options = {}) => {
    const page = options.page;
    const watched = {
      layOut(laid) {
        picture = laid;
        rebuilds++;
        page.layOut(laid);
      },
      place(button, shown, box, points) {
        places[button] = box;
        page.place(button, shown, box, points);
      },
      wakeAt(ms) {
        settingWakeUp = hand;
        page.wakeAt(ms);
        settingWakeUp = false;
      },
    };
    mod = await create({ ...options, page: page && new Proxy(page, { get: (target, name) => watched[name] ?? target[name] }) });
    replace('_zv_wake', (wake) => (time) => {
      const ran = address.has('pilot') ? call('zv_pilot', time) : wake(time);
      ticks.total += ran;
      return ran;
    });
    if (hand) {
      replace('_zv_start', () => (ratio) => {
        address.get('hand').split(',').forEach((draw) => call('zv_draw', Number(draw)));
        call('zv_start_scripted', ratio);
      });
    }
    return mod;
  };

  window.zorvane = {
    get ready() { return document.getElementById('window')?.hidden === false; },
    // The picture as the module laid it out last, and the buttons' places.
    view: () => ({ width: picture.width, height: picture.height, rebuilds, interval: call('zv_interval'), pause: places[0],
      gameover: places[1] }),
    picture: () => mod.HEAPU8.slice(picture.at, picture.at + picture.width * picture.height * 4),
    // Where a cell of the board (from 0) lies in the picture, device pixels.
    cellBox(column, row) {
      const [x, y, width, height] = mod.HEAP32.subarray(call('zv_cell_box', column, row) >> 2).slice(0, 4);
      return { x, y, width, height };
    },
    ticks: () => ({ ...ticks, dropped: call('zv_dropped_ticks') }),
    interval: () => call('zv_interval'),
    head: () => [call('zv_head_column'), call('zv_head_row')],
    side: () => call('zv_side'),
    draw: (...draws) => draws.forEach((draw) => call('zv_draw', draw)),
    // The clock on to the wake-up the page asked for, which goes off; false when it asked for none.
    tick() {
      const asked = wakeUp;
      if (!asked) return false;
      wakeUp = null;
      now = asked.due;
      asked.run();
      return true;
    },
  };
})();
