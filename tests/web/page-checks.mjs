// What the page must do in every browser engine: the steps a user takes and what each must show. The engines
// (engines/*.mjs) only drive a browser; each opens pages that offer the same few operations:
//
//   page.evaluate(fn, ...args)   runs fn in the page (args and result as JSON), awaiting a returned promise
//   page.click(x, y)             moves the pointer to (x, y) in the viewport's CSS pixels, then clicks there
//   page.tap(x, y)               a tap of one finger there (engines that support touch)
//   page.press(key)              one key: a character, or 'Enter', 'ArrowLeft', 'ArrowRight', 'Backspace'
//   page.type(text)              the characters of text, one key each
//   page.saveCanvas(file)        a PNG of the canvas as the browser shows it, in device pixels
//   page.savePage(file)          a PNG of the whole viewport
//   page.reports()               what the page reported so far: [{ type, text }], type 'error', 'warn', 'pageerror'
//                                or 'failed' (a request)
//   page.reload()                loads the page again, hooks included
//   page.resize(viewport)        gives the page another viewport, as a resized window or a turned phone does
//   page.installabilityErrors()  why the browser would not install the page as an app: [text], or null where it
//                                does not say
//   page.close()
//   page.hasSoundDevice          false where the browser finds no sound device to run an audio context on
//
// and are opened by engine.open(hooks, viewport, address): the hooks (page-hooks.mjs) run before the page's own
// script; the viewport is { width, height } in CSS pixels, with deviceScaleFactor, isMobile, hasTouch and
// isLandscape for a phone or a tablet; the address is the served page's unless given. engine.supports says which
// of deviceScale, touch and serviceWorker the engine can show; the checks that need one it lacks leave it out.
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { PNG } from 'pngjs';
import { countFrames, refuseWebGl } from './page-hooks.mjs';
import { kChange, kChangedFile, kSubPath, makeSites, serveSite } from './sites.mjs';

const kViewport = { width: 1280, height: 1000 };
// What the program itself says of its window (build/tests/program-facts --json, which test-web passes on): its size
// in drawing units, points in them from the canvas's top-left corner on the editor's boxes, and how its line about
// a failed start-up step begins.
const kFacts = JSON.parse(process.env.STAR_PROGRAM_FACTS);
const kCanvasWidth = kFacts.width;
const kCanvasHeight = kFacts.height;
// Screens the page must fit whole: a 1366 x 768 laptop's browser, a phone, a 1920 x 1080 desktop's browser.
const kPhone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const kFittedViewports = [{ width: 1366, height: 657 }, kPhone, { width: 1920, height: 955 }];
// Where the keypad must share the screen with the canvas: the phone turned, a tablet both ways.
const kPhoneTurned = { ...kPhone, width: kPhone.height, height: kPhone.width, isLandscape: true };
const kTablets = [
  { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
  { width: 1180, height: 820, deviceScaleFactor: 2, isMobile: true, hasTouch: true, isLandscape: true },
];
// The drawing buffer grows in whole steps of 4 x 3 pixels; the smallest key a thumb hits, in CSS pixels.
const kStep = { width: 4, height: 3 };
const kThumb = 44;
const kVertexBox = kFacts.vertexBox;    // left "Number Of Vertices"
const kDensityBox = kFacts.densityBox;  // left "Density"
const kAngleBox = kFacts.angleBox;      // left "Angle Offset"
const kBgBox = kFacts.bgBox;            // "BG Color"
// A point of the figure area that no figure covers: it shows the background colour.
const kBackgroundPoint = { x: 20, y: 70 };
const kRateSeconds = 3;
const kTimeoutMs = 60000;
const kPollMs = 50;
// The program's own line when the browser refuses a text image (wider than its largest texture).
const kUploadRefused = 'Texture::CreateFromSurface, error when calling glTexImage2D';
const kStartupMessages = [`${kFacts.startupFailurePrefix}SDL_`,
  'Core::Run( ), Core not correctly initialized, unable to run the game'];

async function waitFor(page, what, fn, ...args) {
  const deadline = Date.now() + kTimeoutMs;
  while (!(await page.evaluate(fn, ...args))) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, kPollMs));
  }
}

const frameCount = (page) => page.evaluate(() => window.starFrames.count);

async function framesAfter(page, count) {
  await waitFor(page, `frame ${count}`, (n) => window.starFrames.count >= n, count);
}

// Waits for a few of the browser's animation frames: the program handles what came before in the first of them and
// draws there what changed (or nothing), and the browser shows it by the next.
async function settle(page, ticks = 3) {
  const now = await page.evaluate(() => window.starFrames.ticks);
  await waitFor(page, `${ticks} animation frames`, (n) => window.starFrames.ticks >= n, now + ticks);
}

// The editor has started: it drew its first frame, and the browser showed it.
async function started(page) {
  await framesAfter(page, 1);
  await settle(page);
}

async function canvasBox(page) {
  return page.evaluate(() => {
    const { x, y, width, height } = document.getElementById('canvas').getBoundingClientRect();
    return { x, y, width, height };
  });
}

const describeBox = (box) => `${box.width} x ${box.height} at (${box.x}, ${box.y})`;
const viewportName = (viewport) => `${viewport.width}x${viewport.height}`;
const describeViewport = (viewport) =>
  `${viewport.width} x ${viewport.height}${viewport.deviceScaleFactor ? ` at ${viewport.deviceScaleFactor}x` : ''}`;

// A click as a user makes it: the program judges a click at the pointer's last motion, so the engines move first.
async function clickCanvas(page, point) {
  const box = await canvasBox(page);
  await page.click(box.x + point.x * box.width / kCanvasWidth, box.y + point.y * box.height / kCanvasHeight);
}

async function tapCanvas(page, point) {
  const box = await canvasBox(page);
  await page.tap(box.x + point.x * box.width / kCanvasWidth, box.y + point.y * box.height / kCanvasHeight);
}

// A tap on the keypad's key for `key` ('0' to '9', 'ArrowLeft', 'ArrowRight', 'Enter').
async function tapKey(page, key) {
  await waitFor(page, 'the keypad', () => !document.getElementById('keypad').hidden);
  const box = await page.evaluate((name) => {
    const button = document.querySelector(`#keypad button[data-key="${name}"]`);
    if (!button || button.offsetParent === null) return null;
    const { x, y, width, height } = button.getBoundingClientRect();
    return { x, y, width, height };
  }, key);
  if (!box) throw new Error(`the keypad shows no key ${key}`);
  await page.tap(box.x + box.width / 2, box.y + box.height / 2);
}

// Where the page put what it shows, in CSS pixels, and the canvas's drawing buffer.
const pageLayout = (page) => page.evaluate(() => {
  const boxOf = (element) => {
    const { x, y, width, height } = element.getBoundingClientRect();
    return { x, y, width, height };
  };
  const canvas = document.getElementById('canvas');
  const keypad = document.getElementById('keypad');
  const shown = !keypad.hidden;
  return {
    ratio: window.devicePixelRatio,
    viewport: { width: window.innerWidth, height: window.innerHeight },
    scrollable: { width: document.documentElement.scrollWidth, height: document.documentElement.scrollHeight },
    scrolled: { x: window.scrollX, y: window.scrollY },
    canvas: boxOf(canvas),
    buffer: { width: canvas.width, height: canvas.height },
    keypad: shown ? boxOf(keypad) : null,
    keys: [...keypad.querySelectorAll('button')].filter(() => shown)
      .map((button) => ({ key: button.dataset.key, ...boxOf(button) })),
  };
});

const kSlack = 0.05;  // CSS pixels: the layout's own units are 1/64 (Chromium, WebKit) and 1/60 (Firefox)
const isWhole = (box, viewport) => box.x >= -kSlack && box.y >= -kSlack &&
  box.x + box.width <= viewport.width + kSlack && box.y + box.height <= viewport.height + kSlack;

// What is wrong with a layout: the canvas whole in the viewport, 4 : 3, at most 1200 x 900, with a buffer as sharp
// as the screen, nothing scrolled; a keypad, if shown, whole, beside (landscape) or below (portrait) the canvas,
// with keys a thumb can hit.
function layoutFaults(layout) {
  const { canvas, buffer, ratio, viewport, keypad } = layout;
  const faults = [];
  if (!isWhole(canvas, viewport)) faults.push(`the canvas (${describeBox(canvas)}) is not whole in the viewport`);
  if (Math.abs(canvas.width * 3 - canvas.height * 4) > 4 * kSlack) faults.push('the canvas is not 4 : 3');
  if (canvas.width > kCanvasWidth + kSlack) faults.push('the canvas is larger than 1200 x 900');
  if (buffer.width < canvas.width * ratio - kStep.width || buffer.height < canvas.height * ratio - kStep.height) {
    faults.push(`its drawing buffer, ${buffer.width} x ${buffer.height}, is less than its size times ${ratio}`);
  }
  const { scrollable, scrolled } = layout;
  if (scrollable.width > viewport.width || scrollable.height > viewport.height || scrolled.x || scrolled.y) {
    faults.push(`the page scrolls (${scrollable.width} x ${scrollable.height}, at ${scrolled.x}, ${scrolled.y})`);
  }
  if (!keypad) return faults;
  if (!isWhole(keypad, viewport)) faults.push(`the keypad (${describeBox(keypad)}) is not whole in the viewport`);
  const landscape = viewport.width > viewport.height;
  if (landscape && keypad.x < canvas.x + canvas.width) faults.push('the keypad is not beside the canvas');
  if (!landscape && keypad.y < canvas.y + canvas.height) faults.push('the keypad is not below the canvas');
  for (const key of layout.keys.filter((k) => k.width < kThumb || k.height < kThumb)) {
    faults.push(`the key ${key.key} is ${key.width} x ${key.height}, smaller than ${kThumb} x ${kThumb}`);
  }
  return faults;
}

function describeLayout(layout) {
  const { canvas, buffer, keypad } = layout;
  return `canvas ${describeBox(canvas)}, buffer ${buffer.width} x ${buffer.height}` +
    (keypad ? `, keypad ${describeBox(keypad)}` : ', no keypad');
}

// Checks the layout once the program has drawn a few frames at it (it follows the canvas's size in its next pass).
async function judgeLayout(page, result, step) {
  await settle(page);
  const layout = await pageLayout(page);
  result.log(`${step}: ${describeLayout(layout)}`);
  for (const fault of layoutFaults(layout)) result.fail(`${step}: ${fault}`);
  return layout;
}

// A frame that test-web compares with the desktop's reference frame of that name, rendered at the buffer's width.
async function saveFrame(page, result, name, reference) {
  const file = await result.saveCanvas(page, name);
  const { width } = await page.evaluate(() => ({ width: document.getElementById('canvas').width }));
  result.frames.push({ file: path.basename(file), reference, width });
  return file;
}

// The colour the canvas shows at a point in drawing units, read from a saved frame.
async function colourAt(file, point) {
  const frame = PNG.sync.read(await readFile(file));
  const scale = frame.width / kCanvasWidth;
  const at = (Math.round(point.y * scale) * frame.width + Math.round(point.x * scale)) * 4;
  return [...frame.data.subarray(at, at + 3)];
}

// The text of the message box above the canvas, where the page shows why the editor could not start.
const pageMessage = (page) => page.evaluate(() => document.getElementById('messages').textContent.trim());

const describeReport = (report) => `${report.type}: ${report.text}`;
const kMessageLinesShown = 6;
const describeMessage = (text) => {
  const lines = text.split('\n');
  const more = lines.length > kMessageLinesShown ? `\n  (and ${lines.length - kMessageLinesShown} lines more)` : '';
  return lines.slice(0, kMessageLinesShown).map((line) => `  | ${line}`).join('\n') + more;
};
const isError = (report) => report.type !== 'warn';

// The state of the audio context that Mix_OpenAudio made. A context starts 'suspended' and turns 'running' a moment
// later where the browser lets it, so the state is read once it has had a second to settle.
async function audioState(page) {
  return page.evaluate(async () => {
    const context = window.Module && Module.SDL2 && Module.SDL2.audioContext;
    if (!context) return 'none';
    for (let waited = 0; context.state === 'suspended' && waited < 1000; waited += 50) {
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return context.state;
  });
}

// The page's new reports since `seen` of them were judged: warnings are shown, once each with their number,
// anything else fails the step unless `expected` accepts it. Returns how many reports have been judged.
async function judgeReports(page, result, step, seen, expected = () => false) {
  const reports = await page.reports();
  const warnings = new Map();
  for (const report of reports.slice(seen)) {
    if (!isError(report)) warnings.set(report.text, (warnings.get(report.text) || 0) + 1);
    else if (!expected(report)) result.fail(`${step}: the page reported ${describeReport(report)}`);
  }
  for (const [text, count] of warnings) result.log(`${step}: warning${count > 1 ? ` (${count} times)` : ''}: ${text}`);
  return reports.length;
}

async function firstFrame(page, result) {
  await started(page);
  const firstAt = await page.evaluate(() => window.starFrames.firstAt);
  result.figures.firstFrameMs = Math.round(firstAt);
  result.log(`first frame ${firstAt.toFixed(0)} ms after navigation began`);
  result.log(`audio context before any gesture: ${await audioState(page)}`);
  result.log(`first frame saved as ${await saveFrame(page, result, 'first-frame', 'default-screen')}`);

  const rate = await page.evaluate(async (seconds) => {
    const start = { frames: window.starFrames.count, at: performance.now() };
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    return (window.starFrames.count - start.frames) / ((performance.now() - start.at) / 1000);
  }, kRateSeconds);
  result.figures.framesPerSecond = Number(rate.toFixed(1));
  result.log(`${rate.toFixed(1)} frames per second over ${kRateSeconds} s`);

  const focused = await page.evaluate(() => document.activeElement && document.activeElement.id);
  if (focused !== 'canvas') result.fail(`the canvas does not have the keyboard focus (${focused || 'nothing'} has)`);
  const box = await canvasBox(page);
  if (Math.round(box.width) !== kCanvasWidth || Math.round(box.height) !== kCanvasHeight) {
    result.fail(`the canvas shows ${box.width} x ${box.height} pixels, not ${kCanvasWidth} x ${kCanvasHeight}`);
  }
  // A desktop with a mouse keeps the page as it was: no keypad, and the page was not scrolled to the canvas.
  const layout = await judgeLayout(page, result, 'the desktop page');
  if (layout.keypad) result.fail('the desktop page shows the keypad');
}

// The edit of the left vertex box, 5 and Enter, as a user makes it: a click and the keyboard, or a tap and the
// keypad; then the frames that show it.
async function editVertexCount(page, { touch = false } = {}) {
  if (touch) {
    await tapCanvas(page, kVertexBox);
    await tapKey(page, '5');
    await tapKey(page, 'Enter');
  } else {
    await clickCanvas(page, kVertexBox);
    await page.press('5');
    await page.press('Enter');
  }
  await settle(page);
}

// The edit by click and keyboard, with the frame after it kept for test-web.
async function fiveVerticesSaved(page, result, name) {
  await editVertexCount(page);
  result.log(`after the click, 5 and Enter, saved as ${await saveFrame(page, result, name, 'five-vertices')}`);
}

// The left figure gets five vertices; nothing on the page or in the console may say anything went wrong.
async function fiveVertices(page, result) {
  await fiveVerticesSaved(page, result, 'five-vertices');

  const message = await pageMessage(page);
  if (message) result.fail(`after the edit the page shows a message:\n${describeMessage(message)}`);
  const reportsSeen = await judgeReports(page, result, 'up to the edit', 0);

  // SDL resumes the audio context on the first key or click (autoResumeAudioContext), where there is a sound
  // device to run it on.
  const audio = await audioState(page);
  result.log(`audio context after the click and keys: ${audio}`);
  if (audio !== 'running' && page.hasSoundDevice) {
    result.fail(`the audio context is ${audio} after a click and keys, not running`);
  }
  return reportsSeen;
}

const largestTexture = (page) => page.evaluate(() => {
  const gl = document.createElement('canvas').getContext('webgl');
  const size = gl ? gl.getParameter(gl.MAX_TEXTURE_SIZE) : 0;
  if (gl && gl.getExtension('WEBGL_lose_context')) gl.getExtension('WEBGL_lose_context').loseContext();
  return size;
});

const uploadRefusal = (reports, seen) => reports.slice(seen).find((report) => report.text.includes(kUploadRefused));

// Types digits into the open box until the program reports a refused upload; returns how many it typed. A digit is
// about 20 pixels wide at the panel's font size: most of them go at once, the rest in steps. Each is wider than
// 8 pixels, so the limit on the digits is never reached first.
async function typeUntilRefused(page, reportsSeen, largest) {
  let chunk = Math.floor(largest / 24);
  let typed = 0;
  while (typed < largest / 8 && !uploadRefusal(await page.reports(), reportsSeen)) {
    await page.type('8'.repeat(chunk));
    typed += chunk;
    chunk = 50;
    await settle(page, 2);
  }
  return typed;
}

// Digits typed into an angle box until their image is wider than the browser's largest texture: the program says
// so on its error stream, which must reach the console and leave the canvas where it was.
async function longEntry(page, result, reportsSeen) {
  const before = await canvasBox(page);
  const largest = await largestTexture(page);
  await clickCanvas(page, kAngleBox);
  const typed = await typeUntilRefused(page, reportsSeen, largest);
  await page.press('Enter');
  await settle(page);
  result.log(`${typed} digits typed into the angle box (largest texture ${largest} pixels)`);
  const refusal = uploadRefusal(await page.reports(), reportsSeen);
  if (refusal) result.log(`the console got: ${refusal.text}`);
  else result.fail(`after ${typed} digits the console has no line "${kUploadRefused}"`);
  await judgeReports(page, result, 'the long entry', reportsSeen, (report) => report.text.includes(kUploadRefused));

  const after = await canvasBox(page);
  if (describeBox(after) !== describeBox(before)) {
    result.fail(`the long entry moved the canvas from ${describeBox(before)} to ${describeBox(after)}`);
  }
  const message = await pageMessage(page);
  if (message) result.fail(`after the long entry the page shows a message:\n${describeMessage(message)}`);
  // and the editor goes on drawing what changes
  const drawn = await frameCount(page);
  await page.press('ArrowLeft');
  await settle(page);
  if (await frameCount(page) <= drawn) result.fail('after the long entry the editor draws no more');
}

async function checkEditor(engine, result) {
  const page = await engine.open([countFrames], kViewport);
  try {
    await firstFrame(page, result);
    const reportsSeen = await fiveVertices(page, result);
    await longEntry(page, result, reportsSeen);
  } finally {
    await page.close();
  }
}

// The canvas's WebGL context taken away (WEBGL_lose_context, as a phone's browser does when it needs the GPU) and,
// unless `restore` is false, given back a moment later. The extension is kept in the page: only the object that
// lost the context can restore it. False where the browser lacks the extension.
const kRestoreAfterMs = 500;
const kLostMessage = 'The browser took the WebGL context away';
const kMessageWaitMs = 5000;  // the page's own wait, while visible, before it says the context is gone

const loseContext = (page, restore) => page.evaluate(async (restoreAfterMs, again) => {
  const canvas = document.getElementById('canvas');
  const context = canvas.getContext('webgl2') || canvas.getContext('webgl');
  const extension = context && context.getExtension('WEBGL_lose_context');
  if (!extension) return false;
  const lost = new Promise((resolve) => canvas.addEventListener('webglcontextlost', resolve, { once: true }));
  extension.loseContext();
  await lost;
  if (!again) return true;
  await new Promise((resolve) => setTimeout(resolve, restoreAfterMs));
  const restored = new Promise((resolve) => canvas.addEventListener('webglcontextrestored', resolve, { once: true }));
  extension.restoreContext();
  await restored;
  return true;
}, kRestoreAfterMs, restore);

// With five vertices set and the density box open with a 1 typed into it, the context goes and comes back: the
// same frame returns, with no message, and Enter then commits the 1. A context that never comes back makes the page
// say so in the canvas's place.
async function checkLostContext(engine, result) {
  const page = await engine.open([countFrames], kViewport);
  try {
    await started(page);
    await editVertexCount(page);
    await clickCanvas(page, kDensityBox);
    await page.press('1');
    await settle(page);
    if (!(await loseContext(page, true))) {
      result.log('left out: the browser has no WEBGL_lose_context');
      return;
    }
    await settle(page);
    result.log(`the context lost and restored with the density box open, saved as ${
      await saveFrame(page, result, 'restored-density-typed', 'density-typed')}`);
    const message = await pageMessage(page);
    if (message) result.fail(`after the context came back the page shows a message:\n${describeMessage(message)}`);
    await page.press('Enter');
    await settle(page);
    result.log(`then Enter, saved as ${await saveFrame(page, result, 'restored-density-one', 'density-one')}`);
    const seen = await judgeReports(page, result, 'a restored context', 0);

    await loseContext(page, false);
    const lostAt = Date.now();
    await waitFor(page, 'the page\'s message on a context that stays lost', () =>
      document.getElementById('canvas').hidden && document.getElementById('messages').textContent.trim() !== '')
      .catch(() => result.fail('a context that stayed lost left the canvas on the page'));
    const shown = await pageMessage(page);
    result.log(`a context that stayed lost: after ${((Date.now() - lostAt) / 1000).toFixed(1)} s the page shows:\n${
      describeMessage(shown)}`);
    if (!shown.includes(kLostMessage)) result.fail(`with the context gone the page does not say "${kLostMessage}"`);
    if (Date.now() - lostAt < kMessageWaitMs) result.fail('the page gave up on the context before it waited for it');
    await judgeReports(page, result, 'a context that stayed lost', seen);
  } finally {
    await page.close();
  }
}

// A browser without WebGL: the program's start-up messages take the canvas's place.
async function checkWithoutWebGl(engine, result) {
  const page = await engine.open([refuseWebGl], kViewport);
  try {
    await waitFor(page, 'the canvas to give way', () => document.getElementById('canvas').hidden)
      .catch(() => result.fail('without WebGL the canvas stays on the page'));
    const shown = await pageMessage(page);
    result.log(`without WebGL the page shows:\n${describeMessage(shown)}`);
    for (const expected of kStartupMessages) {
      if (!shown.includes(expected)) result.fail(`without WebGL the page does not show "${expected}"`);
    }
    // The program's messages go to the console as errors too; nothing else may fail.
    await judgeReports(page, result, 'without WebGL', 0, (report) => report.type === 'error');
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    await page.savePage(path.join(result.outputDir, 'without-webgl.png'));
  } finally {
    await page.close();
  }
}

const canShow = (engine, viewport) =>
  (!viewport.deviceScaleFactor || engine.supports.deviceScale) && (!viewport.hasTouch || engine.supports.touch);

// At each screen the canvas fits whole, as sharp as the screen, and the editor takes an edit there: a tap and the
// keypad on the phone, a click and the keyboard elsewhere. The frame after it is the desktop's at that size.
async function checkFittedPages(engine, result) {
  for (const viewport of kFittedViewports) {
    const step = `at ${describeViewport(viewport)}`;
    if (!canShow(engine, viewport)) {
      result.log(`${step}: left out: the driver cannot set its device scale or touch`);
      continue;
    }
    const page = await engine.open([countFrames], viewport);
    try {
      await started(page);
      await judgeLayout(page, result, step);
      await editVertexCount(page, { touch: viewport.hasTouch });
      const name = `five-vertices-${viewportName(viewport)}`;
      result.log(`${step}: after the edit, saved as ${await saveFrame(page, result, name, 'five-vertices')}`);
      await page.savePage(path.join(result.outputDir, `page-${viewportName(viewport)}.png`));
      await judgeReports(page, result, step, 0);
    } finally {
      await page.close();
    }
  }
}

// Whether the canvas kept the keyboard focus, and the page its zoom and an empty selection.
const touchState = (page) => page.evaluate(() => ({
  focused: document.activeElement && document.activeElement.id,
  zoom: window.visualViewport ? window.visualViewport.scale : 1,
  selected: String(window.getSelection()),
}));

// On a phone, the keypad alone edits a colour box: Right, a 9 the box refuses (296), Right, a 9 it takes (219),
// Left twice, 0 (019); Enter, 1 (129 for green); Enter, 0 (004 for blue); Enter closes the box. The background is
// then 19, 129, 4. The taps take no focus from the canvas, zoom nothing and select nothing.
const kColourKeys = ['ArrowRight', '9', 'ArrowRight', '9', 'ArrowLeft', 'ArrowLeft', '0', 'Enter', '1', 'Enter', '0',
  'Enter'];
const kColourSet = [19, 129, 4];

async function checkKeypadEdit(engine, result) {
  const page = await engine.open([countFrames], kPhone);
  try {
    await started(page);
    await tapCanvas(page, kBgBox);
    for (const key of kColourKeys) await tapKey(page, key);
    const layout = await judgeLayout(page, result, 'the phone with its keypad');
    if (!layout.keypad) result.fail('the phone shows no keypad after a tap');
    await judgeBackground(page, result, 'keypad-colour', 'after the keypad\'s keys in the background colour box');
    const state = await touchState(page);
    if (state.focused !== 'canvas') result.fail(`after the keypad, ${state.focused || 'nothing'} has the focus`);
    if (state.zoom !== 1) result.fail(`the taps zoomed the page to ${state.zoom}`);
    if (state.selected) result.fail(`the taps selected "${state.selected}"`);
    await page.savePage(path.join(result.outputDir, 'keypad-phone.png'));

    // Turned, the page lays itself out again and the editor follows at the new size, the edit kept.
    await page.resize(kPhoneTurned);
    await judgeLayout(page, result, `the phone turned, ${describeViewport(kPhoneTurned)}`);
    await judgeBackground(page, result, 'keypad-colour-turned', 'the phone turned');
    await page.savePage(path.join(result.outputDir, `keypad-${viewportName(kPhoneTurned)}.png`));
    await judgeReports(page, result, 'the keypad', 0);
  } finally {
    await page.close();
  }
  // A tablet both ways: the keypad and the canvas both whole, one beside or below the other.
  for (const viewport of kTablets) {
    const tablet = await engine.open([countFrames], viewport);
    try {
      await started(tablet);
      const usage = await tablet.evaluate(() => {
        const { x, y, height } = document.getElementById('usage').getBoundingClientRect();
        return { x: x + 1, y: y + height / 2 };
      });
      await tablet.tap(usage.x, usage.y);  // the keypad shows from the first touch where the pointer is not coarse
      await judgeLayout(tablet, result, `the keypad at ${describeViewport(viewport)}`);
      await tablet.savePage(path.join(result.outputDir, `keypad-${viewportName(viewport)}.png`));
    } finally {
      await tablet.close();
    }
  }
}

// The background colour the keypad set, where the canvas shows it.
async function judgeBackground(page, result, name, step) {
  const colour = await colourAt(await result.saveCanvas(page, name), kBackgroundPoint);
  result.log(`${step}: the background is ${colour.join(', ')}`);
  if (colour.join() !== kColourSet.join()) {
    result.fail(`${step}: the background is ${colour.join(', ')}, not ${kColourSet.join(', ')}`);
  }
}

async function checkKeypad(engine, result) {
  if (!engine.supports.touch || !engine.supports.deviceScale) {
    result.log('left out: the driver can neither tap nor set a device scale');
    return;
  }
  await checkKeypadEdit(engine, result);
}

// What the page ran: the key the page was built with, and the queries with which it asked for the program's files.
const buildShown = (page) => page.evaluate(() => ({
  key: document.querySelector('meta[name="star-build"]').content,
  files: performance.getEntriesByType('resource').map((entry) => new URL(entry.name))
    .filter((url) => /\/star-editor\.(js|wasm)$/.test(url.pathname)).map((url) => url.pathname + url.search),
}));

// The program's files, which the page asks for with its build's key (the font is inside the .wasm).
const kProgramFiles = ['star-editor.js', 'star-editor.wasm'];

async function judgeBuild(page, result, step, key) {
  const shown = await buildShown(page);
  result.log(`${step}: build ${shown.key}, files ${shown.files.join(' ')}`);
  if (shown.key !== key) result.fail(`${step}: the page is of build ${shown.key}, not ${key}`);
  const others = shown.files.filter((file) => !file.endsWith(`?${key}`));
  const missing = kProgramFiles.filter((name) => !shown.files.some((file) => file.includes(`/${name}?`)));
  if (missing.length || others.length) {
    result.fail(`${step}: the page ran ${shown.files.join(', ') || 'no files'}, not ${kProgramFiles.join(' and ')} ` +
      `of build ${key}`);
  }
}

const workerState = (page) => page.evaluate(async () => {
  const controller = navigator.serviceWorker && navigator.serviceWorker.controller;
  const registration = navigator.serviceWorker && await navigator.serviceWorker.getRegistration();
  return {
    controlled: Boolean(controller) && controller.state === 'activated',
    scope: registration ? registration.scope : null,
    caches: await caches.keys(),
  };
});

// The next build on the next visit, then the page without its server. Both sites serve the page under a sub-path.
// In that order: Chromium's update of a service worker, once asked for while the server is gone, waits for good.
async function checkServiceWorker(page, result, server, sites, address, reportsSeen) {
  let seen = reportsSeen;
  await waitFor(page, 'the service worker to control the page', () =>
    Boolean(navigator.serviceWorker.controller) && navigator.serviceWorker.controller.state === 'activated');
  const worker = await workerState(page);
  result.log(`service worker of scope ${worker.scope}, caches: ${worker.caches.join(', ')}`);
  if (worker.scope !== address) result.fail(`the service worker's scope is ${worker.scope}, not ${address}`);
  const errors = await page.installabilityErrors();
  if (errors === null) result.log('the browser gives no verdict on installability');
  else if (errors.length) result.fail(`the page cannot be installed: ${errors.join('; ')}`);
  else result.log('the browser can install the page as an app');

  await server.stop();
  const rebuilt = await serveSite(sites.rebuilt.root, server.port);
  try {
    await page.reload();
    await started(page);
    await judgeBuild(page, result, 'the next build', sites.rebuilt.key);
    await waitFor(page, 'the next build\'s worker to replace the cache', (key) =>
      caches.keys().then((names) => names.length === 1 && names[0].endsWith(` ${key}`)), sites.rebuilt.key);
    const changed = await page.evaluate((file, key) => fetch(`${file}?${key}`).then((reply) => reply.text()),
      kChangedFile, sites.rebuilt.key);
    if (!changed.endsWith(kChange)) result.fail(`the next build's ${kChangedFile} is not the changed one`);
    seen = await judgeReports(page, result, 'the next build', seen);
  } finally {
    await rebuilt.stop();
  }

  await page.reload();
  await started(page);
  await judgeBuild(page, result, 'offline', sites.rebuilt.key);
  await fiveVerticesSaved(page, result, 'offline-five-vertices');
  await judgeReports(page, result, 'offline', seen);
}

// The page served from a path below the host's root, as a copy of dist/web/ put anywhere is; where the engine
// runs service workers, it then takes the next build whole on the next visit, and starts without its server.
async function checkInstalledPage(engine, result) {
  const sites = await makeSites(result.siteDir, path.join(result.outputDir, 'sites'));
  result.log(`builds ${sites.built.key} and, with ${kChangedFile} changed, ${sites.rebuilt.key}`);
  if (sites.built.key === sites.rebuilt.key) result.fail('a changed file left the build\'s key as it was');
  const server = await serveSite(sites.built.root);
  const address = `${server.origin}/${kSubPath}/`;
  try {
    const page = await engine.open([countFrames], kViewport, address);
    try {
      await started(page);
      await judgeBuild(page, result, 'under a sub-path', sites.built.key);
      const seen = await judgeReports(page, result, 'under a sub-path', 0);
      if (engine.supports.serviceWorker) await checkServiceWorker(page, result, server, sites, address, seen);
      else result.log('offline and the next build: left out, the driver changes the page a service worker keeps');
    } finally {
      await page.close();
    }
  } finally {
    await server.stop();
  }
}

// What a first visit transfers and how long it takes to the first frame, as is and on a phone's network and
// processor: figures, where the engine can measure them (engine.firstVisit, Chromium's).
async function measureFirstVisit(engine, result) {
  if (!engine.firstVisit) {
    result.log('left out: the engine cannot throttle the network or count the bytes transferred');
    return;
  }
  const plain = await engine.firstVisit([countFrames], kViewport);
  result.figures.transferredBytes = plain.transferredBytes;
  result.log(`a first visit transferred ${plain.transferredBytes} bytes; first frame after ${plain.firstFrameMs} ms`);
  const phone = await engine.firstVisit([countFrames], kViewport, { phone: true });
  result.figures.phoneFirstFrameMs = phone.firstFrameMs;
  result.log(`on Fast 3G with a 4x slower CPU: first frame after ${phone.firstFrameMs} ms`);
}

export const checks = [
  { name: 'editor', run: checkEditor },
  { name: 'fitted pages', run: checkFittedPages },
  { name: 'keypad', run: checkKeypad },
  { name: 'lost context', run: checkLostContext },
  { name: 'without WebGL', run: checkWithoutWebGl },
  { name: 'installed page', run: checkInstalledPage },
  { name: 'first visit', run: measureFirstVisit },
];
