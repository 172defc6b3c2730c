// Runs the page's checks (page-checks.mjs) in one browser engine (engines/), on the served editor, without any
// autoplay flag, as a user's browser would. Saves what the canvas shows in OUTPUT_DIR, lists the frames to compare
// with the desktop's in OUTPUT_DIR/frames.txt (one "FILE REFERENCE WIDTH" a line: the reference frame's name and
// the width to render it at), writes the engine's figures (time to the first frame, frame rate; in Chromium also what
// a first visit transfers and its first frame on a throttled network and processor) to
// OUTPUT_DIR/figures.txt, and fails on anything a check finds wrong. SITE_DIR is the built page (dist/web/), which
// the checks that need servers of their own copy and serve.
//
//   node check-page.mjs ENGINE URL OUTPUT_DIR SITE_DIR        ENGINE: chromium, firefox or webkit
import { mkdir, writeFile } from 'node:fs/promises';
import path from 'node:path';
import { launchChromium, launchFirefox } from './engines/puppeteer.mjs';
import { launchWebKit } from './engines/webkit.mjs';
import { checks } from './page-checks.mjs';

const engines = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit };

const [engineName, url, outputDir, siteDir] = process.argv.slice(2);
if (!engines[engineName] || !url || !outputDir || !siteDir) {
  console.error(`usage: node check-page.mjs ${Object.keys(engines).join('|')} URL OUTPUT_DIR SITE_DIR`);
  process.exit(2);
}

const failures = [];
const result = {
  outputDir,
  siteDir,
  figures: {},
  frames: [],
  log: (line) => console.log(`check-page: ${engineName}: ${line}`),
  fail(line) {
    failures.push(line);
    console.error(`check-page: ${engineName}: ${line}`);
  },
  async saveCanvas(page, name) {
    const file = path.join(outputDir, `${name}.png`);
    await page.saveCanvas(file);
    return file;
  },
};

// Stopped from outside, it still ends the X servers and drivers the engines started (they go on 'exit').
for (const signal of ['SIGINT', 'SIGTERM']) process.once(signal, () => process.exit(1));

await mkdir(outputDir, { recursive: true });
let engine = null;
try {
  engine = await engines[engineName](url);
  result.log(await engine.version());
  for (const check of checks) {
    const start = Date.now();
    try {
      await check.run(engine, result);
    } catch (error) {
      result.fail(`${check.name}: ${error.stack || error}`);
    }
    result.log(`${check.name}: checked in ${((Date.now() - start) / 1000).toFixed(1)} s`);
  }
} catch (error) {
  result.fail(error.stack || String(error));
} finally {
  if (engine) await engine.close();
}
const { firstFrameMs, framesPerSecond, transferredBytes, phoneFirstFrameMs } = result.figures;
await writeFile(path.join(outputDir, 'frames.txt'),
  result.frames.map(({ file, reference, width }) => `${file} ${reference} ${width}\n`).join(''));
const firstVisit = transferredBytes === undefined ? ''
  : `; a first visit: ${transferredBytes} bytes transferred, on Fast 3G with a 4x slower CPU the first frame after ` +
    `${phoneFirstFrameMs ?? '?'} ms`;
await writeFile(path.join(outputDir, 'figures.txt'),
  `first frame ${firstFrameMs ?? '?'} ms after navigation, ${framesPerSecond ?? '?'} frames per second${firstVisit}\n`);
process.exit(failures.length === 0 ? 0 : 1);
