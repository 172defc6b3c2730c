// Scripts the checks run in the page before the page's own script. Each is a self-contained function: the engines
// send its source text to the browser, so it may use nothing from this module.

// Counts the frames the program draws (it clears once per frame) and the browser's animation frames (ticks), and
// notes when the first drawn frame was handed back to the browser, in milliseconds since navigation began.
export function countFrames() {
  window.starFrames = { count: 0, ticks: 0, firstAt: null };
  const tick = () => {
    window.starFrames.ticks++;
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (...args) {
    const context = getContext.apply(this, args);
    if (context && typeof context.clear === 'function' && !context.starCounted) {
      const clear = context.clear;
      context.clear = function (...clearArgs) {
        if (window.starFrames.count++ === 0) {
          Promise.resolve().then(() => { window.starFrames.firstAt = performance.now(); });
        }
        return clear.apply(this, clearArgs);
      };
      context.starCounted = true;
    }
    return context;
  };
}

// A browser without WebGL: every request for a WebGL context is refused.
export function refuseWebGl() {
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, ...args) {
    return /webgl/i.test(String(type)) ? null : getContext.call(this, type, ...args);
  };
}

// For an engine whose driver cannot listen to the console: keeps what the page reports in window.starConsole, as
// { type, text } entries. Console errors and warnings, uncaught exceptions, rejected promises and resources that
// failed to load.
export function recordConsole() {
  const entries = [];
  window.starConsole = entries;
  const text = (values) => values.map((value) => (value instanceof Error ? value.message : String(value))).join(' ');
  for (const type of ['error', 'warn']) {
    const original = console[type];
    console[type] = function (...values) {
      entries.push({ type, text: text(values) });
      return original.apply(this, values);
    };
  }
  window.addEventListener('error', (event) => {
    if (event.target && event.target !== window) {
      entries.push({ type: 'failed', text: event.target.src || event.target.href || String(event.target) });
    } else {
      entries.push({ type: 'pageerror', text: event.message });
    }
  }, true);
  window.addEventListener('unhandledrejection', (event) => {
    entries.push({ type: 'pageerror', text: `unhandled rejection: ${text([event.reason])}` });
  });
}
