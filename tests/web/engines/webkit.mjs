// WebKit, the engine of every browser on an iPhone or iPad: WebKitGTK's MiniBrowser in a window of the X server
// the checks run under (DISPLAY; test-web starts a virtual one), driven by WebKitWebDriver through selenium-webdriver.
//
// That driver speaks classic WebDriver only: it can neither run a script before the page's own nor hear the
// console. So the page is opened through a small proxy in front of the server that puts the hooks, and a recorder
// of the console (page-hooks.mjs), at the top of each HTML document it passes on; the page itself is unchanged.
// Since the proxy changes the HTML, a service worker cannot keep a page that matches its digests; nor can the driver
// set a device scale or touch, so the checks that need those leave WebKit out.
import { writeFile } from 'node:fs/promises';
import http from 'node:http';
import net from 'node:net';
import zlib from 'node:zlib';
import { Builder, Key } from 'selenium-webdriver';
import { recordConsole } from '../page-hooks.mjs';
import { canvasDevicePixels, cutCanvas } from './canvas-shot.mjs';
import { startProcess } from '../process.mjs';

const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const kStartMs = 20000;
const kTimeoutMs = 60000;
const kPollMs = 100;
const kKeys = { Enter: Key.ENTER, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, Backspace: Key.BACK_SPACE };
const kDecoders = { gzip: zlib.gunzipSync, deflate: zlib.inflateSync, br: zlib.brotliDecompressSync };

function listen(server) {
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => resolve(server.address().port));
  });
}

async function freePort() {
  const probe = net.createServer();
  const port = await listen(probe);
  await new Promise((resolve) => probe.close(resolve));
  return port;
}

// HTML documents as the server sends them, with a script of the hooks (and the console recorder) first in <head>.
function withHooks(html, hooks) {
  const script = `<script>${[recordConsole, ...hooks].map((hook) => `(${hook})();`).join('\n')}</script>`;
  const head = html.match(/<head[^>]*>/i);
  return head ? html.replace(head[0], `${head[0]}${script}`) : `${script}${html}`;
}

// Passes every request on to `target` (an origin) and every answer back, the HTML ones with the current hooks.
async function startProxy(target) {
  const state = { hooks: [] };
  // Its own connections to the server, kept open between requests and closed with the proxy: the server would
  // otherwise hold them for minutes after the checks, and this process with them.
  const agent = new http.Agent({ keepAlive: true });
  const server = http.createServer((request, response) => {
    const upstream = http.request(new URL(request.url, target),
      { method: request.method, headers: { ...request.headers, host: new URL(target).host }, agent }, (reply) => {
        if (!String(reply.headers['content-type']).startsWith('text/html')) {
          response.writeHead(reply.statusCode, reply.headers);
          reply.pipe(response);
          return;
        }
        const chunks = [];
        reply.on('data', (chunk) => chunks.push(chunk));
        reply.on('end', () => {
          const encoding = reply.headers['content-encoding'];
          const body = kDecoders[encoding] ? kDecoders[encoding](Buffer.concat(chunks)) : Buffer.concat(chunks);
          const html = Buffer.from(withHooks(body.toString('utf8'), state.hooks));
          // Never from the browser's cache: the next page may need other hooks.
          const headers = { ...reply.headers, 'content-length': html.length, 'cache-control': 'no-store' };
          for (const stale of ['content-encoding', 'transfer-encoding', 'etag', 'last-modified']) delete headers[stale];
          response.writeHead(reply.statusCode, headers);
          response.end(html);
        });
      });
    upstream.on('error', (error) => {
      response.writeHead(502);
      response.end(String(error));
    });
    request.pipe(upstream);
  });
  const port = await listen(server);
  return {
    origin: `http://127.0.0.1:${port}`,
    setHooks(hooks) { state.hooks = hooks; },
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
      agent.destroy();
    }),
  };
}

// WebKitWebDriver on a port of its own, ready once it answers its status request.
async function startDriverService() {
  const port = await freePort();
  const service = startProcess('WebKitWebDriver', [`--port=${port}`]);
  const address = `http://127.0.0.1:${port}`;
  for (const deadline = Date.now() + kStartMs; ;) {
    const ready = await fetch(`${address}/status`).then((reply) => reply.ok, () => false);
    if (ready) return { address, stop: service.stop };
    if (!service.running() || Date.now() > deadline) {
      await service.stop();
      throw new Error(`WebKitWebDriver did not start:\n${service.log()}`);
    }
    await new Promise((resolve) => setTimeout(resolve, kPollMs));
  }
}

class WebKitPage {
  constructor(driver) {
    this.driver = driver;
    this.hasSoundDevice = true;  // WebKitGTK runs its audio contexts here even without a sound server
  }

  evaluate(fn, ...args) { return this.driver.executeScript(fn, ...args); }

  async click(x, y) {
    const at = { x: Math.round(x), y: Math.round(y), duration: 0 };
    await this.driver.actions().move(at).perform();
    await this.driver.actions().move(at).press().release().perform();
  }

  press(key) { return this.driver.actions().sendKeys(kKeys[key] || key).perform(); }
  type(text) { return this.driver.actions().sendKeys(text).perform(); }

  async saveCanvas(file) {
    const rect = await this.evaluate(canvasDevicePixels);
    await writeFile(file, cutCanvas(Buffer.from(await this.driver.takeScreenshot(), 'base64'), rect));
  }

  async savePage(file) { await writeFile(file, Buffer.from(await this.driver.takeScreenshot(), 'base64')); }
  reports() { return this.evaluate(() => window.starConsole || []); }
  reload() { return this.driver.navigate().refresh(); }
  resize(viewport) { return setViewport(this.driver, viewport); }
  installabilityErrors() { return null; }
  close() { return this.driver.get('about:blank'); }
}

// The window sized so that its viewport, not the window, has the size asked for. The window takes a new size a
// moment after the driver returns, so the viewport is measured until it has the size asked for: a window and a
// viewport measured during a resize would give a frame of the wrong size.
async function setViewport(driver, viewport) {
  const browserWindow = driver.manage().window();
  let size = { width: viewport.width, height: viewport.height };
  for (const deadline = Date.now() + kTimeoutMs; ;) {
    await browserWindow.setRect({ x: 0, y: 0, ...size });
    const [width, height] = await driver.executeScript(() => [window.innerWidth, window.innerHeight]);
    if (width === viewport.width && height === viewport.height) return;
    if (Date.now() > deadline) {
      throw new Error(`the viewport stays ${width} x ${height}, not ${viewport.width} x ${viewport.height}`);
    }
    const outer = await browserWindow.getRect();
    size = { width: outer.width + viewport.width - width, height: outer.height + viewport.height - height };
    await new Promise((resolve) => setTimeout(resolve, kPollMs));
  }
}

export async function launchWebKit(url) {
  const stops = [];
  const stopAll = async () => {
    for (const stop of stops.reverse()) await stop();
  };
  try {
    const service = await startDriverService();
    stops.push(() => service.stop());
    // One proxy per origin the checks open, each on a port of its own for as long as the engine runs.
    const proxies = new Map();
    const proxyFor = async (origin) => {
      if (!proxies.has(origin)) {
        const proxy = await startProxy(origin);
        proxies.set(origin, proxy);
        stops.push(() => proxy.close());
      }
      return proxies.get(origin);
    };
    const driver = await new Builder().usingServer(service.address).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: process.env.STAR_MINIBROWSER || kMiniBrowser, args: ['--automation'] },
    }).build();
    stops.push(() => driver.quit());
    await driver.manage().setTimeouts({ script: kTimeoutMs, pageLoad: kTimeoutMs });
    return {
      supports: { deviceScale: false, touch: false, serviceWorker: false },
      async version() {
        const capabilities = await driver.getCapabilities();
        return `${capabilities.get('browserName')}/${capabilities.get('browserVersion')}`;
      },
      async open(hooks, viewport, address = url) {
        const pageUrl = new URL(address);
        const proxy = await proxyFor(pageUrl.origin);
        await setViewport(driver, viewport);
        proxy.setHooks(hooks);
        await driver.get(`${proxy.origin}${pageUrl.pathname}${pageUrl.search}`);
        return new WebKitPage(driver);
      },
      close: stopAll,
    };
  } catch (error) {
    await stopAll();
    throw error;
  }
}
