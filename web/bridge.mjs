// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated ESC behind a local WebSocket bridge, and the page served beside it:
// morvane-esc-sim on a pseudo-terminal, socat from a TCP port to it, websockify from
// WebSocket (and the page's files) to that port. As a program it prints the page's address
// and runs until it is stopped:  node web/bridge.mjs NATIVE_BUILD PAGE_DIR [simulator options]
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
    server.on('error', reject);
  });
}

// Starts a program and resolves with it once its output (stdout or stderr) matches `ready`.
function started(command, args, ready) {
  return new Promise((resolve, reject) => {
    const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'pipe'] });
    let seen = '';
    const look = (chunk) => {
      seen += chunk;
      const match = ready.exec(seen);
      if (match) {
        child.stdout.off('data', look);
        child.stderr.off('data', look);
        child.stdout.resume();
        child.stderr.resume();
        resolve({ child, match });
      }
    };
    child.stdout.on('data', look);
    child.stderr.on('data', look);
    child.on('error', reject);
    child.on('exit', (code) => reject(new Error(`${command} ended (${code}) before it was ready:\n${seen}`)));
  });
}

const ended = (child) => new Promise((resolve) => {
  if (child.exitCode !== null || child.signalCode !== null) resolve();
  else child.once('exit', () => resolve());
});

export async function startBridge(nativeBuild, pageDir, simArgs = []) {
  const dir = mkdtempSync(join(tmpdir(), 'morvane-web-'));
  const log = join(dir, 'traffic.log');
  const sim = await started(join(nativeBuild, 'sim/program/morvane-esc-sim'),
    ['--log', log, ...simArgs], /^(\/\S+)\n/m);
  const tcp = await freePort();
  const socat = await started('socat', ['-d', '-d', `TCP-LISTEN:${tcp},bind=127.0.0.1,reuseaddr,fork`,
    `FILE:${sim.match[1]},raw,echo=0`], /listening on/);
  const http = await freePort();
  const bridge = await started('websockify', ['--web', pageDir, `127.0.0.1:${http}`, `127.0.0.1:${tcp}`],
    /Listen on/);
  const children = [bridge.child, socat.child, sim.child];
  return {
    url: `http://127.0.0.1:${http}/?bridge`,
    log,
    // The ESC's line goes dead: its adapter pulled out, as the page sees it.
    async stopEsc() {
      sim.child.kill('SIGTERM');
      await ended(sim.child);
    },
    async close() {
      for (const child of children) {
        child.kill('SIGTERM');
        await ended(child);
      }
      rmSync(dir, { recursive: true, force: true });
    },
  };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [nativeBuild, pageDir, ...simArgs] = process.argv.slice(2);
  const bridge = await startBridge(nativeBuild, pageDir, simArgs);
  console.log(`Open ${bridge.url} in Chrome, Chromium or Edge: the simulated ESC is COM1. Ctrl+C stops.`);
  const stop = async () => {
    await bridge.close();
    process.exit(0);
  };
  for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) process.on(signal, stop);
}
