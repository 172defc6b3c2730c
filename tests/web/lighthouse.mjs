// Lighthouse's figures for the served page in Debian's Chromium, once with its mobile preset (a mid-range phone on a
// slow 4G network with a 4x slower processor, simulated) and once with its desktop preset: the performance score,
// the total blocking time, the largest contentful paint, the longest task and the other categories' scores. One line
// per preset on standard output, and each report in OUTPUT_DIR as lighthouse-PRESET.json. Figures, not verdicts:
// the scores move with the machine's load.
//
//   node lighthouse.mjs URL OUTPUT_DIR
import { execFile } from 'node:child_process';
import { writeFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

const kLighthouse = path.join(path.dirname(fileURLToPath(import.meta.url)), 'node_modules/.bin/lighthouse');
const kChromium = process.env.STAR_CHROMIUM || '/usr/bin/chromium';
const kChromiumFlags = [
  '--headless=new',
  // Chromium refuses to run as root inside its own sandbox.
  ...(process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : []),
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
  // A machine without a GPU gets WebGL from SwiftShader.
  '--enable-unsafe-swiftshader',
];
const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kPresets = [{ name: 'mobile', flags: [] }, { name: 'desktop', flags: ['--preset=desktop'] }];
const kTimeoutMs = 180000;

const [url, outputDir] = process.argv.slice(2);
if (!url || !outputDir) {
  console.error('usage: node lighthouse.mjs URL OUTPUT_DIR');
  process.exit(2);
}

async function audit(preset) {
  const { stdout } = await promisify(execFile)(kLighthouse, [url, ...preset.flags, '--output=json',
    '--output-path=stdout', '--quiet', `--only-categories=${kCategories.join(',')}`, `--chrome-path=${kChromium}`,
    `--chrome-flags=${kChromiumFlags.join(' ')}`], { timeout: kTimeoutMs, maxBuffer: 256 * 1024 * 1024 });
  await writeFile(path.join(outputDir, `lighthouse-${preset.name}.json`), stdout);
  return JSON.parse(stdout);
}

const score = (report, category) => {
  const value = report.categories[category]?.score;
  return typeof value === 'number' ? Math.round(value * 100) : '?';
};
const ms = (report, name) => {
  const value = report.audits[name]?.numericValue;
  return typeof value === 'number' ? `${Math.round(value)} ms` : '?';
};

function longestTask(report) {
  const tasks = report.audits['long-tasks']?.details?.items ?? [];
  if (!tasks.length) return 'none over 50 ms';
  const longest = tasks.reduce((a, b) => (b.duration > a.duration ? b : a));
  return `${Math.round(longest.duration)} ms (${path.basename(String(longest.url)) || longest.url})`;
}

let failed = false;
for (const preset of kPresets) {
  try {
    const report = await audit(preset);
    const others = kCategories.slice(1).map((category) => score(report, category)).join(' / ');
    console.log(`${preset.name}: performance ${score(report, 'performance')}, TBT ` +
      `${ms(report, 'total-blocking-time')}, LCP ${ms(report, 'largest-contentful-paint')}, longest task ` +
      `${longestTask(report)}, accessibility / best practices / SEO ${others}`);
  } catch (error) {
    failed = true;
    console.log(`${preset.name}: Lighthouse gave no figures: ${String(error.message).split('\n')[0]}`);
  }
}
process.exit(failed ? 1 : 0);
