// Opens the served editor in Debian's chromium, headless and without any autoplay flag, as a user's browser would,
// and saves what the canvas shows: the first frame, and the frame after a click on the left vertex box, 5 and Enter.
// Also checks that a page without WebGL shows the program's own start-up messages, and measures the time from
// navigation to the first frame and the frame rate, and what a first visit transfers and takes (first-visit.mjs).
// Fails on any page error or console error.
//
//   node check-page.mjs URL OUTPUT_DIR
import { mkdir } from 'node:fs/promises';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { reportFirstVisits } from './first-visit.mjs';

const [url, outputDir] = process.argv.slice(2);
if (!url || !outputDir) {
  console.error('usage: node check-page.mjs URL OUTPUT_DIR');
  process.exit(2);
}

const kCanvasWidth = 1200;
const kCanvasHeight = 900;
const kVertexBox = { x: 100, y: 680 };  // canvas pixels from the top-left corner: the left "Number Of Vertices" box
const kRateSeconds = 3;
const kTimeoutMs = 60000;

// Counts the frames the program draws (it clears once per frame) and notes when the first one was handed back to
// the browser, in milliseconds since navigation began.
function countFrames() {
  window.starFrames = { count: 0, firstAt: null };
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
function refuseWebGl() {
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, ...args) {
    return /webgl/i.test(String(type)) ? null : getContext.call(this, type, ...args);
  };
}

const failures = [];
function fail(message) {
  failures.push(message);
  console.error(`check-page: ${message}`);
}

// Collects what a page reports: page errors and console errors fail the check; warnings are shown.
function watch(page, name, errors) {
  page.on('console', (message) => {
    const line = `${name}: console.${message.type()}: ${message.text()}`;
    if (message.type() === 'error') errors.push(line);
    else if (message.type() === 'warn' || message.type() === 'warning') console.log(`check-page: ${line}`);
  });
  page.on('pageerror', (error) => errors.push(`${name}: page error: ${error.message}`));
  page.on('requestfailed', (request) => errors.push(`${name}: request failed: ${request.url()}`));
}

async function framesAfter(page, count) {
  await page.waitForFunction((n) => window.starFrames.count >= n, { timeout: kTimeoutMs }, count);
}

async function saveCanvas(page, name) {
  const canvas = await page.$('#canvas');
  const file = path.join(outputDir, `${name}.png`);
  await canvas.screenshot({ path: file });
  return file;
}

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

// A new tab with room for the whole canvas, watched for errors, the script run before the page's own, at the page.
async function openPage(browser, name, script) {
  const page = await browser.newPage();
  const errors = [];
  watch(page, name, errors);
  await page.setViewport({ width: 1280, height: 1000, deviceScaleFactor: 1 });
  await page.evaluateOnNewDocument(script);
  await page.goto(url, { waitUntil: 'load', timeout: kTimeoutMs });
  return { page, errors };
}

async function checkEditor(browser) {
  const { page, errors } = await openPage(browser, 'editor', countFrames);

  // The second frame begins only after the first was handed back to the browser.
  await framesAfter(page, 2);
  const firstAt = await page.evaluate(() => window.starFrames.firstAt);
  console.log(`check-page: first frame ${firstAt.toFixed(0)} ms after navigation began`);
  console.log(`check-page: audio context before any gesture: ${await audioState(page)}`);
  console.log(`check-page: first frame saved as ${await saveCanvas(page, 'first-frame')}`);

  const rate = await page.evaluate(async (seconds) => {
    const start = { frames: window.starFrames.count, at: performance.now() };
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    return (window.starFrames.count - start.frames) / ((performance.now() - start.at) / 1000);
  }, kRateSeconds);
  console.log(`check-page: ${rate.toFixed(1)} frames per second over ${kRateSeconds} s`);

  const focused = await page.evaluate(() => document.activeElement && document.activeElement.id);
  if (focused !== 'canvas') fail(`the canvas does not have the keyboard focus (${focused || 'nothing'} has)`);

  // The program judges a click at the pointer's last motion, so the pointer moves there first, as a user's does.
  const box = await (await page.$('#canvas')).boundingBox();
  if (Math.round(box.width) !== kCanvasWidth || Math.round(box.height) !== kCanvasHeight) {
    fail(`the canvas shows ${box.width} x ${box.height} pixels, not ${kCanvasWidth} x ${kCanvasHeight}`);
  }
  await page.mouse.move(box.x + kVertexBox.x, box.y + kVertexBox.y);
  await page.mouse.click(box.x + kVertexBox.x, box.y + kVertexBox.y);
  await page.keyboard.press('5');
  await page.keyboard.press('Enter');
  const frames = await page.evaluate(() => window.starFrames.count);
  await framesAfter(page, frames + 3);
  console.log(`check-page: after the click, 5 and Enter, saved as ${await saveCanvas(page, 'five-vertices')}`);

  // SDL resumes the audio context on the first key or click (autoResumeAudioContext).
  const audioAfter = await audioState(page);
  console.log(`check-page: audio context after the click and keys: ${audioAfter}`);
  if (audioAfter !== 'running') fail(`the audio context is ${audioAfter} after a click and keys, not running`);

  for (const error of errors) fail(error);
  await page.close();
}

async function checkWithoutWebGl(browser) {
  const { page, errors } = await openPage(browser, 'no-webgl', refuseWebGl);
  await page.waitForFunction(() => document.getElementById('canvas').hidden, { timeout: kTimeoutMs })
    .catch(() => fail('without WebGL the canvas stays on the page'));
  const shown = await page.$eval('#messages', (element) => element.innerText);
  console.log(`check-page: without WebGL the page shows:\n${shown.trimEnd().replace(/^/gm, '  | ')}`);
  for (const expected of ['Core::Initialize( ), error when calling SDL_',
    'Core::Run( ), Core not correctly initialized, unable to run the game']) {
    if (!shown.includes(expected)) fail(`without WebGL the page does not show "${expected}"`);
  }
  for (const error of errors.filter((e) => e.includes('page error') || e.includes('request failed'))) fail(error);
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  await page.screenshot({ path: path.join(outputDir, 'without-webgl.png') });
  await page.close();
}

await mkdir(outputDir, { recursive: true });
const browser = await puppeteer.launch({
  executablePath: process.env.STAR_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: [
    // Chromium refuses to run as root inside its own sandbox.
    ...(process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : []),
    // No network but the loopback: nothing should wait on a server it cannot reach.
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
    '--disable-quic',
    // A machine without a GPU gets WebGL from SwiftShader; Chromium now asks for that to be said outright.
    '--enable-unsafe-swiftshader',
  ],
});
try {
  console.log(`check-page: ${await browser.version()}`);
  await checkEditor(browser);
  await reportFirstVisits(browser, url, countFrames);
  await checkWithoutWebGl(browser);
} catch (error) {
  fail(error.stack || String(error));
} finally {
  await browser.close();
}
process.exit(failures.length === 0 ? 0 : 1);
