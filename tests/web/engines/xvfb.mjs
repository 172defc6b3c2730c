// A virtual X server of the checks' own, for the engines that need a window to get WebGL. -displayfd lets the
// server take a free display and say which, so parallel runs never collide; it is ended by its process id.
import { spawn } from 'node:child_process';

const kScreen = '1920x1200x24';
const kStartMs = 10000;

function displayOf(server) {
  return new Promise((resolve, reject) => {
    let log = '';
    let number = '';
    server.stderr.on('data', (data) => { log += data; });
    const timer = setTimeout(() => reject(new Error(`Xvfb gave no display in ${kStartMs} ms:\n${log}`)), kStartMs);
    server.stdio[3].on('data', (data) => {
      number += data;
      if (number.includes('\n')) {
        clearTimeout(timer);
        resolve(`:${number.trim()}`);
      }
    });
    server.on('error', (error) => { clearTimeout(timer); reject(error); });
    server.on('exit', (status) => { clearTimeout(timer); reject(new Error(`Xvfb ended (${status}):\n${log}`)); });
  });
}

// Returns { display, stop() }. The server also ends with this process, however the checks end.
export async function startXvfb() {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', kScreen, '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  const end = () => server.kill('SIGTERM');
  process.once('exit', end);
  const running = () => server.exitCode === null && server.signalCode === null;
  try {
    const display = await displayOf(server);
    server.removeAllListeners('exit');
    return {
      display,
      async stop() {
        process.removeListener('exit', end);
        if (!running()) return;
        const ended = new Promise((resolve) => server.once('exit', resolve));
        end();
        await ended;
      },
    };
  } catch (error) {
    if (running()) end();
    throw error;
  }
}
