// A first visit to the page, measured in Chromium: the bytes transferred and the time from navigation to the first
// frame, as is and on a phone's network and processor (DevTools' "Fast 3G" and a 4x slower CPU). Figures, not
// checks: they depend on the machine. Used by check-page.mjs.
import { PredefinedNetworkConditions } from 'puppeteer-core';

const kTimeoutMs = 120000;

// One visit in a fresh incognito context, so nothing is cached. `countFrames` runs before the page's own script and
// sets window.starFrames.firstAt when the first frame has been handed back to the browser.
async function visit(browser, url, countFrames, phone) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 1000, deviceScaleFactor: 1 });
    const client = await page.createCDPSession();
    await client.send('Network.enable');
    let transferred = 0;
    client.on('Network.loadingFinished', (event) => { transferred += event.encodedDataLength; });
    if (phone) {
      await page.emulateNetworkConditions(PredefinedNetworkConditions['Fast 3G']);
      await page.emulateCPUThrottling(4);
    }
    await page.evaluateOnNewDocument(countFrames);
    await page.goto(url, { waitUntil: 'load', timeout: kTimeoutMs });
    await page.waitForFunction(() => window.starFrames.count >= 2, { timeout: kTimeoutMs });
    const firstAt = await page.evaluate(() => window.starFrames.firstAt);
    return { firstAt, transferred };
  } finally {
    await context.close();
  }
}

export async function reportFirstVisits(browser, url, countFrames) {
  const plain = await visit(browser, url, countFrames, false);
  console.log(`check-page: first visit: ${plain.transferred} bytes transferred, first frame after ` +
    `${plain.firstAt.toFixed(0)} ms`);
  const phone = await visit(browser, url, countFrames, true);
  console.log(`check-page: first visit on Fast 3G with a 4x slower CPU: first frame after ${phone.firstAt.toFixed(0)} ms`);
}
