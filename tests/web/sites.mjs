// Copies of the built page for the checks that need a server of their own: one they can stop, serving the page
// under a sub-path, and a second build of it with one file changed.
import { execFile } from 'node:child_process';
import { appendFile, cp, mkdir, rm, writeFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { startProcess } from './process.mjs';

const kRepo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const kServe = path.join(kRepo, 'scripts/serve-web');
const kWriteServiceWorker = path.join(kRepo, 'packaging/web/write-service-worker');
const kStartMs = 10000;
// Where the copies are served from, as a site that is not at the root of its host is.
export const kSubPath = 'some/path';
// The file the second build changes: the program's own script.
export const kChangedFile = 'star-editor.js';
export const kChange = '// a later build\n';
// The files write-service-worker writes the build's key into, and the twins package-web makes beside each file.
const kKeyedFiles = ['index.html', 'service-worker.js'];
const kTwins = ['.br', '.gz'];

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
  const keys = { built: await keyOf(built.page), rebuilt: await keyOf(rebuilt.page) };
  // The rebuilt page's compressed twins of the files that changed would be the old build's: a rebuild makes new
  // ones, and without any the server sends the files themselves.
  for (const file of [kChangedFile, ...kKeyedFiles]) {
    for (const twin of kTwins) await rm(path.join(rebuilt.page, file + twin));
  }
  return { built: { root: built.root, key: keys.built }, rebuilt: { root: rebuilt.root, key: keys.rebuilt } };
}

// scripts/serve-web serving `root` on `port` (0: any free port). Returns { origin, port, stop() }.
export async function serveSite(root, port = 0) {
  const server = startProcess(kServe, [String(port)], { env: { ...process.env, STAR_WEB_DIST: root } });
  const address = new URL(await server.firstLine(kStartMs));
  return { origin: address.origin, port: Number(address.port), stop: server.stop };
}
