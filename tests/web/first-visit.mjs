// A first visit to the page in Chromium, over its DevTools protocol: the bytes the page's own requests transferred
// and the time from navigation to the first frame, as is or on a phone's network and processor (DevTools' "Fast 3G"
// and a 4x slower CPU). Figures, not checks: they depend on the machine. The Chromium engine offers it as
// engine.firstVisit (engines/puppeteer.mjs); page-checks.mjs reports it.
import { PredefinedNetworkConditions } from 'puppeteer-core';

const kTimeoutMs = 120000;
const kCpuSlowdown = 4;

// One visit in a fresh incognito context, so that nothing is cached: `hooks` run before the page's own script and
// must include page-hooks.mjs's countFrames. Returns { firstFrameMs, transferredBytes }.
export async function firstVisit(browser, url, hooks, viewport, { phone = false } = {}) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ deviceScaleFactor: 1, ...viewport });
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    let transferredBytes = 0;
    session.on('Network.loadingFinished', (event) => { transferredBytes += event.encodedDataLength; });
    if (phone) {
      await page.emulateNetworkConditions(PredefinedNetworkConditions['Fast 3G']);
      await page.emulateCPUThrottling(kCpuSlowdown);
    }
    for (const hook of hooks) await page.evaluateOnNewDocument(hook);
    await page.goto(url, { waitUntil: 'load', timeout: kTimeoutMs });
    await page.waitForFunction(() => window.starFrames.firstAt !== null, { timeout: kTimeoutMs });
    const firstFrameMs = Math.round(await page.evaluate(() => window.starFrames.firstAt));
    return { firstFrameMs, transferredBytes };
  } finally {
    await context.close();
  }
}
