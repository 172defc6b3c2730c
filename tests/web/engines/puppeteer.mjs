// Chromium and Firefox, driven by puppeteer-core: Chromium over its DevTools protocol, headless; Firefox over
// WebDriver BiDi, in a window of an X server (headless Firefox gets no WebGL without a GPU). Both run the
// hooks before the page's own script and hear the page's console through the driver.
import { writeFile } from 'node:fs/promises';
import puppeteer from 'puppeteer-core';
import { firstVisit } from '../first-visit.mjs';
import { canvasDevicePixels, cutCanvas } from './canvas-shot.mjs';

const kTimeoutMs = 60000;
const kReportedTypes = { error: 'error', warn: 'warn', warning: 'warn' };

class PuppeteerPage {
  constructor(page, { hasSoundDevice, typeAhead, installability }) {
    this.page = page;
    this.hasSoundDevice = hasSoundDevice;
    this.typeAhead = typeAhead;
    this.installability = installability;
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

  tap(x, y) { return this.page.touchscreen.tap(x, y); }
  press(key) { return this.page.keyboard.press(key); }
  // With typeAhead the keys go out in order without waiting for each to be handled, which over the DevTools
  // protocol takes a frame per key; over WebDriver BiDi, type() sends all of them as one action already.
  async type(text) {
    const keyboard = this.page.keyboard;
    if (!this.typeAhead) return keyboard.type(text);
    await Promise.all([...text].flatMap((key) => [keyboard.down(key), keyboard.up(key)]));
  }

  async saveCanvas(file) {
    const rect = await this.page.evaluate(canvasDevicePixels);
    await writeFile(file, cutCanvas(await this.page.screenshot(), rect));
  }

  savePage(file) { return this.page.screenshot({ path: file }); }
  async reports() { return [...this.log]; }
  reload() { return this.page.reload({ waitUntil: 'load', timeout: kTimeoutMs }); }
  resize(viewport) { return this.page.setViewport({ deviceScaleFactor: 1, ...viewport }); }

  // Chromium's own verdict on whether the page can be installed as an app; null where the browser gives none.
  async installabilityErrors() {
    if (!this.installability) return null;
    const session = await this.page.createCDPSession();
    try {
      const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
      return installabilityErrors.map(({ errorId, errorArguments }) =>
        [errorId, ...errorArguments.map(({ name, value }) => `${name}=${value}`)].join(' '));
    } finally {
      await session.detach();
    }
  }

  close() { return this.page.close(); }
}

// Wraps a launched browser as an engine: open() makes a watched tab with the hooks in place, at the page (or at
// another address).
function engineOf(browser, url, { supports, ...pageOptions }) {
  return {
    supports,
    version: () => browser.version(),
    async open(hooks, viewport, address = url) {
      const page = await browser.newPage();
      const watched = new PuppeteerPage(page, pageOptions);
      await page.setViewport({ deviceScaleFactor: 1, ...viewport });
      for (const hook of hooks) await page.evaluateOnNewDocument(hook);
      await page.goto(address, { waitUntil: 'load', timeout: kTimeoutMs });
      return watched;
    },
    close: () => browser.close(),
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
  const engine = engineOf(browser, url, {
    hasSoundDevice: true, typeAhead: true, installability: true,
    supports: { deviceScale: true, touch: true, serviceWorker: true },
  });
  // Only Chromium's protocol throttles the network and the processor.
  engine.firstVisit = (hooks, viewport, options) => firstVisit(browser, url, hooks, viewport, options);
  return engine;
}

// Firefox's window goes to the X server the checks run under (DISPLAY; test-web starts a virtual one).
export async function launchFirefox(url) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.STAR_FIREFOX || '/usr/bin/firefox-esr',
    headless: false,
    timeout: kTimeoutMs,
  });
  // Firefox finds no sound device under Xvfb without a sound server, and its audio contexts then stay suspended.
  // It takes a device scale and taps over WebDriver BiDi, but keeps its pointer fine.
  return engineOf(browser, url, {
    hasSoundDevice: false, typeAhead: false, installability: false,
    supports: { deviceScale: true, touch: true, serviceWorker: true },
  });
}
