// The tests' hooks into the page, in their own copy of it (test-site/, see
// CMakeLists.txt here) and never in the shipped one. Loaded after the
// module's script and before page.js, it wraps createZorvane to watch what
// the module hands the page, and answers window.zorvane:
//   view(), picture(), cellBox(column, row): the picture as the module laid
//     it out (and the buttons' places), its pixels, and where a cell of the
//     board lies in it;
//   ticks(): ticks run and dropped, and when the first board was drawn;
//   interval(), head(), side(): the game behind the page.
// ?hand=DRAWS gives the page a hand clock (performance.now, the events' time
// stamps, the timers), which tick() moves on to the page's wake-up and fires,
// and starts the game on these draws of its random source (draw() lines up
// more). ?pilot: the benchmarks' pilot steers before every tick.
'use strict';
(() => {
  const address = new URLSearchParams(location.search);
  const ticks = { total: 0, firstBoardAt: 0 };
  let picture = { width: 0, height: 0, at: 0 };
  let rebuilds = 0;
  const places = [];  // the buttons', CSS pixels
  let mod;
  const call = (name, ...args) => mod[`_${name}`](...args);

  // The hand clock: the time it says, and the one timer the page sets, its
  // wake-up (page.js's setTimeout as the module asks for a wake-up). Other
  // timers, a WebDriver's own among them, run on the browser's clock.
  const hand = address.has('hand');
  let now = 0;
  let wakeUp = null;
  let settingWakeUp = false;
  if (hand) {
    performance.now = () => now;
    Object.defineProperty(Event.prototype, 'timeStamp', { get: () => now, configurable: true });
    const [set, clear] = [window.setTimeout, window.clearTimeout];
    window.setTimeout = (run, delay, ...rest) => {
      if (!settingWakeUp) return set(run, delay, ...rest);
      wakeUp = { run, due: now + Math.max(0, delay) };
      return -1;
    };
    window.clearTimeout = (id) => (id === -1 ? (wakeUp = null) : clear(id));
  }

  const putImageData = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function drawn(...args) {
    ticks.firstBoardAt ||= performance.now();
    return putImageData.apply(this, args);
  };

  // A function of the module's in place of its own, kept there: the module's
  // first call of its own puts the wasm function in its place.
  const replace = (name, make) => {
    const wrapped = make(mod[name]);
    Object.defineProperty(mod, name, { get: () => wrapped, set() {} });
  };
  const create = createZorvane;
  createZorvane = async (options = {}) => {
    const watched = {
      layOut(laid) {
        picture = laid;
        rebuilds++;
        options.page.layOut(laid);
      },
      place(button, shown, box, points) {
        places[button] = box;
        options.page.place(button, shown, box, points);
      },
      wakeAt(ms) {
        settingWakeUp = hand;
        options.page.wakeAt(ms);
        settingWakeUp = false;
      },
    };
    const page = options.page && new Proxy(options.page, { get: (target, name) => watched[name] ?? target[name] });
    mod = await create({ ...options, page });
    replace('_zv_wake', (wake) => (time) => {
      const ran = address.has('pilot') ? call('zv_pilot', time) : wake(time);
      ticks.total += ran;
      return ran;
    });
    if (hand) {
      replace('_zv_start', () => (ratio) => {
        address.get('hand').split(',').filter(Boolean).forEach((draw) => call('zv_draw', Number(draw)));
        call('zv_start_scripted', ratio);
      });
    }
    return mod;
  };

  window.zorvane = {
    get ready() { return document.getElementById('window')?.hidden === false; },
    view: () => ({ width: picture.width, height: picture.height, rebuilds, interval: call('zv_interval'), pause: places[0],
      gameover: places[1] }),
    picture: () => mod.HEAPU8.slice(picture.at, picture.at + picture.width * picture.height * 4),
    cellBox(column, row) {
      const at = call('zv_cell_box', column, row) >> 2;
      const [x, y, width, height] = mod.HEAP32.subarray(at, at + 4);
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
