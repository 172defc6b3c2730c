// What the page must do in every browser engine: the steps a user takes and what each must show. The engines
// (engines/*.mjs) only drive a browser; each opens pages that offer the same few operations:
//
//   page.evaluate(fn, ...args)   runs fn in the page (args and result as JSON), awaiting a returned promise
//   page.click(x, y)             moves the pointer to (x, y) in the viewport's CSS pixels, then clicks there
//   page.press(key)              one key: a character, or 'Enter', 'ArrowLeft', 'ArrowRight', 'Backspace'
//   page.type(text)              the characters of text, one key each
//   page.saveCanvas(file)        a PNG of the canvas as the browser shows it, in device pixels
//   page.savePage(file)          a PNG of the whole viewport
//   page.reports()               what the page reported so far: [{ type, text }], type 'error', 'warn', 'pageerror'
//                                or 'failed' (a request)
//   page.close()
//   page.hasSoundDevice          false where the browser finds no sound device to run an audio context on
//
// and are opened by engine.open(hooks, viewport): the hooks (page-hooks.mjs) run before the page's own script.
import path from 'node:path';
import { countFrames, refuseWebGl } from './page-hooks.mjs';

const kViewport = { width: 1280, height: 1000 };
const kCanvasWidth = 1200;
const kCanvasHeight = 900;
// Points in canvas pixels from the canvas's top-left corner, on the editor's boxes.
const kVertexBox = { x: 100, y: 680 };  // left "Number Of Vertices"
const kAngleBox = { x: 100, y: 796 };   // left "Angle Offset"
const kRateSeconds = 3;
const kTimeoutMs = 60000;
const kPollMs = 50;
// The program's own line when the browser refuses a text image (wider than its largest texture).
const kUploadRefused = 'Texture::CreateFromSurface, error when calling glTexImage2D';
const kStartupMessages = ['Core::Initialize( ), error when calling SDL_',
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

async function canvasBox(page) {
  return page.evaluate(() => {
    const { x, y, width, height } = document.getElementById('canvas').getBoundingClientRect();
    return { x, y, width, height };
  });
}

const describeBox = (box) => `${box.width} x ${box.height} at (${box.x}, ${box.y})`;

// A click as a user makes it: the program judges a click at the pointer's last motion, so the engines move first.
async function clickCanvas(page, point) {
  const box = await canvasBox(page);
  await page.click(box.x + point.x * box.width / kCanvasWidth, box.y + point.y * box.height / kCanvasHeight);
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
  // The second frame begins only after the first was handed back to the browser.
  await framesAfter(page, 2);
  const firstAt = await page.evaluate(() => window.starFrames.firstAt);
  result.figures.firstFrameMs = Math.round(firstAt);
  result.log(`first frame ${firstAt.toFixed(0)} ms after navigation began`);
  result.log(`audio context before any gesture: ${await audioState(page)}`);
  result.log(`first frame saved as ${await result.saveCanvas(page, 'first-frame')}`);

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
}

// The left figure gets five vertices; nothing on the page or in the console may say anything went wrong.
async function fiveVertices(page, result) {
  await clickCanvas(page, kVertexBox);
  await page.press('5');
  await page.press('Enter');
  await framesAfter(page, (await frameCount(page)) + 3);
  result.log(`after the click, 5 and Enter, saved as ${await result.saveCanvas(page, 'five-vertices')}`);

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
    await framesAfter(page, (await frameCount(page)) + 2);
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
  await framesAfter(page, (await frameCount(page)) + 3);
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
  // and the editor goes on drawing
  await framesAfter(page, (await frameCount(page)) + 10);
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

export const checks = [
  { name: 'editor', run: checkEditor },
  { name: 'without WebGL', run: checkWithoutWebGl },
];
