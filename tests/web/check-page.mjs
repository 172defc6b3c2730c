// Runs the page's checks (page-checks.mjs) in one browser engine (engines/), on the served editor, without any
// autoplay flag, as a user's browser would: each check is a test of node:test, which fails on anything the check
// finds wrong. Saves what the canvas shows in OUTPUT_DIR, lists the frames to compare with the desktop's in
// OUTPUT_DIR/frames.txt (one "FILE REFERENCE WIDTH" a line: the reference frame's name and the width to render it
// at) and writes the engine's figures (time to the first frame, frame rate; in Chromium also what a first visit
// transfers and its first frame on a throttled network and processor) to OUTPUT_DIR/figures.txt. SITE_DIR is the
// built page (dist/web/), which the checks that need servers of their own copy and serve. Firefox and WebKit open
// their windows on DISPLAY.
//
//   node [--test-reporter=tap] check-page.mjs ENGINE URL OUTPUT_DIR SITE_DIR     ENGINE: chromium, firefox or webkit
import assert from 'node:assert/strict';
import { mkdir, writeFile } from 'node:fs/promises';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { launchChromium, launchFirefox } from './engines/puppeteer.mjs';
import { launchWebKit } from './engines/webkit.mjs';
import { checks } from './page-checks.mjs';

const engines = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit };

const [engineName, url, outputDir, siteDir] = process.argv.slice(2);
if (!engines[engineName] || !url || !outputDir || !siteDir) {
  console.error(`usage: node check-page.mjs ${Object.keys(engines).join('|')} URL OUTPUT_DIR SITE_DIR`);
  process.exit(2);
}

const result = {
  outputDir,
  siteDir,
  figures: {},
  frames: [],
  failures: [],
  log: (line) => console.log(`check-page: ${engineName}: ${line}`),
  fail(line) {
    result.failures.push(line);
    console.error(`check-page: ${engineName}: ${line}`);
  },
  async saveCanvas(page, name) {
    const file = path.join(outputDir, `${name}.png`);
    await page.saveCanvas(file);
    return file;
  },
};

// Stopped from outside, it still ends the drivers and servers the engines started (they go on 'exit').
for (const signal of ['SIGINT', 'SIGTERM']) process.once(signal, () => process.exit(1));

let engine = null;
before(async () => {
  await mkdir(outputDir, { recursive: true });
  engine = await engines[engineName](url);
  result.log(await engine.version());
});

for (const check of checks) {
  test(check.name, async () => {
    result.failures = [];
    await check.run(engine, result);
    assert.deepEqual(result.failures, [], `${check.name}: ${result.failures.length} faults`);
  });
}

after(async () => {
  if (engine) await engine.close();
  const { firstFrameMs, framesPerSecond, transferredBytes, phoneFirstFrameMs } = result.figures;
  await writeFile(path.join(outputDir, 'frames.txt'),
    result.frames.map(({ file, reference, width }) => `${file} ${reference} ${width}\n`).join(''));
  const firstVisit = transferredBytes === undefined ? ''
    : `; a first visit: ${transferredBytes} bytes transferred, on Fast 3G with a 4x slower CPU the first frame ` +
      `after ${phoneFirstFrameMs ?? '?'} ms`;
  await writeFile(path.join(outputDir, 'figures.txt'),
    `first frame ${firstFrameMs ?? '?'} ms after navigation, ${framesPerSecond ?? '?'} frames per second` +
    `${firstVisit}\n`);
});
