// Chromium and Firefox, driven by puppeteer-core: Chromium over its DevTools protocol, headless; Firefox over
// WebDriver BiDi, in a window of a virtual X server (headless Firefox gets no WebGL without a GPU). Both run the
// hooks before the page's own script and hear the page's console through the driver.
import puppeteer from 'puppeteer-core';
import { startXvfb } from './xvfb.mjs';

const kTimeoutMs = 60000;
const kReportedTypes = { error: 'error', warn: 'warn', warning: 'warn' };

class PuppeteerPage {
  constructor(page, { hasSoundDevice, typeAhead }) {
    this.page = page;
    this.hasSoundDevice = hasSoundDevice;
    this.typeAhead = typeAhead;
    this.log = [];
    page.on('console', (message) => {
      const type = kReportedTypes[message.type()];
      if (type) this.log.push({ type, text: message.text() });
    });
    page.on('pageerror', (error) => this.log.push({ type: 'pageerror', text: error.message }));
    page.on('requestfailed', (request) => this.log.push({ type: 'failed', text: request.url() }));
  }

  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }

  async click(x, y) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.click(x, y);
  }

  press(key) { return this.page.keyboard.press(key); }
  // With typeAhead the keys go out in order without waiting for each to be handled, which over the DevTools
  // protocol takes a frame per key; over WebDriver BiDi, type() sends all of them as one action already.
  async type(text) {
    const keyboard = this.page.keyboard;
    if (!this.typeAhead) return keyboard.type(text);
    await Promise.all([...text].flatMap((key) => [keyboard.down(key), keyboard.up(key)]));
  }

  async saveCanvas(file) {
    const canvas = await this.page.$('#canvas');
    await canvas.screenshot({ path: file });
  }

  savePage(file) { return this.page.screenshot({ path: file }); }
  async reports() { return [...this.log]; }
  close() { return this.page.close(); }
}

// Wraps a launched browser as an engine: open() makes a watched tab with the hooks in place, at the page.
function engineOf(browser, url, { cleanUp = async () => {}, ...pageOptions }) {
  return {
    version: () => browser.version(),
    async open(hooks, viewport) {
      const page = await browser.newPage();
      const watched = new PuppeteerPage(page, pageOptions);
      await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
      for (const hook of hooks) await page.evaluateOnNewDocument(hook);
      await page.goto(url, { waitUntil: 'load', timeout: kTimeoutMs });
      return watched;
    },
    async close() {
      try {
        await browser.close();
      } finally {
        await cleanUp();
      }
    },
  };
}

export async function launchChromium(url) {
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
  // Headless Chromium plays into a sound device of its own.
  return engineOf(browser, url, { hasSoundDevice: true, typeAhead: true });
}

export async function launchFirefox(url) {
  const xvfb = await startXvfb();
  try {
    const browser = await puppeteer.launch({
      browser: 'firefox',
      executablePath: process.env.STAR_FIREFOX || '/usr/bin/firefox-esr',
      headless: false,
      env: { ...process.env, DISPLAY: xvfb.display },
      timeout: kTimeoutMs,
    });
    // Firefox finds no sound device under Xvfb without a sound server, and its audio contexts then stay suspended.
    return engineOf(browser, url, { hasSoundDevice: false, typeAhead: false, cleanUp: () => xvfb.stop() });
  } catch (error) {
    await xvfb.stop();
    throw error;
  }
}
