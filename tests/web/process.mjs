// The child processes the checks start (a server, a browser driver): their output kept for the error messages,
// ended by SIGTERM when the checks are done with them, and also when this process ends, however it ends.
import { spawn } from 'node:child_process';

// Starts `command`; returns { log(), running(), firstLine(ms), stop() }.
export function startProcess(command, args, options = {}) {
  const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'pipe'], ...options });
  let log = '';
  let out = '';
  child.stdout.on('data', (data) => { out += data; log += data; });
  child.stderr.on('data', (data) => { log += data; });
  const end = () => child.kill('SIGTERM');
  process.once('exit', end);
  const running = () => child.exitCode === null && child.signalCode === null;
  return {
    log: () => log,
    running,
    // The first line the process writes to its standard output.
    firstLine: (ms) => new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`${command} wrote no line in ${ms} ms:\n${log}`)), ms);
      const seen = () => {
        if (!out.includes('\n')) return;
        clearTimeout(timer);
        resolve(out.split('\n')[0]);
      };
      child.stdout.on('data', seen);
      seen();
      child.once('exit', (status) => {
        clearTimeout(timer);
        reject(new Error(`${command} ended (${status}):\n${log}`));
      });
    }),
    async stop() {
      process.removeListener('exit', end);
      if (!running()) return;
      const ended = new Promise((resolve) => child.once('exit', resolve));
      end();
      await ended;
    },
  };
}
