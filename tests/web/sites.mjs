// Copies of the built page for the checks that need a server of their own: one they can stop, serving the page
// under a sub-path, and a second build of it with one file changed.
import { execFile, spawn } from 'node:child_process';
import { appendFile, cp, mkdir, rm, writeFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

const kRepo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const kServe = path.join(kRepo, 'scripts/serve-web');
const kWriteServiceWorker = path.join(kRepo, 'packaging/web/write-service-worker');
const kStartMs = 10000;
// Where the copies are served from, as a site that is not at the root of its host is.
export const kSubPath = 'some/path';
// The file the second build changes: the program's own script.
export const kChangedFile = 'star-editor.js';
export const kChange = '// a later build\n';

// Two sites in `folder`, each holding a copy of the page in `site` under kSubPath: the page as built, and the
// page rebuilt with kChangedFile changed. Returns { built, rebuilt }, each { root, key }: the folder to serve and
// the build's key.
export async function makeSites(site, folder) {
  await rm(folder, { recursive: true, force: true });
  const copyUnder = async (name) => {
    const root = path.join(folder, name);
    const page = path.join(root, kSubPath);
    await mkdir(path.dirname(page), { recursive: true });
    await cp(site, page, { recursive: true });
    // The host's own page at its root, where scripts/serve-web looks for one.
    const hostPage = `<!doctype html><title>A host</title><a href="${kSubPath}/">The editor</a>\n`;
    await writeFile(path.join(root, 'index.html'), hostPage);
    return { root, page };
  };
  const built = await copyUnder('built');
  const rebuilt = await copyUnder('rebuilt');
  await appendFile(path.join(rebuilt.page, kChangedFile), kChange);
  // The step of scripts/package-web that keys the build; on the unchanged copy it finds the key the build has.
  const keyOf = async (page) => (await promisify(execFile)(kWriteServiceWorker, [page])).stdout.trim();
  return { built: { root: built.root, key: await keyOf(built.page) },
           rebuilt: { root: rebuilt.root, key: await keyOf(rebuilt.page) } };
}

// scripts/serve-web serving `root` on `port` (0: any free port). Returns { origin, port, stop() }.
export async function serveSite(root, port = 0) {
  const server = spawn(kServe, [String(port)], {
    env: { ...process.env, STAR_WEB_DIST: root }, stdio: ['ignore', 'pipe', 'pipe'],
  });
  const end = () => server.kill('SIGTERM');
  process.once('exit', end);
  let log = '';
  server.stderr.on('data', (data) => { log += data; });
  const address = await new Promise((resolve, reject) => {
    let out = '';
    const timer = setTimeout(() => reject(new Error(`serve-web gave no address in ${kStartMs} ms:\n${log}`)), kStartMs);
    server.stdout.on('data', (data) => {
      out += data;
      if (out.includes('\n')) {
        clearTimeout(timer);
        resolve(new URL(out.split('\n')[0]));
      }
    });
    server.once('exit', (status) => {
      clearTimeout(timer);
      reject(new Error(`serve-web ended (${status}):\n${log}`));
    });
  });
  return {
    origin: address.origin,
    port: Number(address.port),
    async stop() {
      process.removeListener('exit', end);
      if (server.exitCode !== null || server.signalCode !== null) return;
      const ended = new Promise((resolve) => server.once('exit', resolve));
      end();
      await ended;
    },
  };
}
