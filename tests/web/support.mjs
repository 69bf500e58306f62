// What the browser tests share: a static server on 127.0.0.1 for the built
// page (with the data file swapped for another package where a test asks),
// Debian's Chromium through playwright-core, and a page that records every
// console error and uncaught exception.
import {createServer} from 'node:http';
import {readFile, stat} from 'node:fs/promises';
import {extname, join, normalize, resolve} from 'node:path';
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {chromium} from 'playwright-core';

export const dist = resolve(process.env.QO_WEB_DIST || new URL('../../dist/qo-web', import.meta.url).pathname);

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.json': 'application/json', '.data': 'application/octet-stream',
};

// Serves `root` on 127.0.0.1 at a free port; `overrides` maps a file name
// (qo.data, qo.data.json) to the folder it is served from instead.
export async function serve(root = dist, overrides = {}) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^\/+/, '');
    const name = path === '' ? 'index.html' : path;
    const folder = overrides[name] || root;
    const file = join(folder, name);
    try {
      if (!file.startsWith(folder) || !(await stat(file)).isFile()) throw new Error('not a file');
      const body = await readFile(file);
      response.writeHead(200, {'Content-Type': types[extname(file)] || 'application/octet-stream',
                               'Content-Length': body.length, 'Cache-Control': 'no-store'});
      response.end(body);
    } catch {
      response.writeHead(404, {'Content-Type': 'text/plain'});
      response.end('not found');
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const url = `http://127.0.0.1:${server.address().port}/`;
  return {url, close: () => new Promise((done) => server.close(done))};
}

// Chromium as this machine runs it: headless, as root without its sandbox,
// with nothing that reaches the network, a fresh profile, and sound allowed
// to start without a click.
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'qo-chromium-'));
  const args = [
    '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--mute-audio',
  ];
  args.push('--autoplay-policy=no-user-gesture-required');
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.QO_CHROMIUM || '/usr/bin/chromium',
    headless: true, args, viewport: {width: 1024, height: 768},
  });
  return {
    context,
    close: async () => {
      await context.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

// A new page in `browser` whose console errors and uncaught exceptions are
// collected in `problems`.
export async function openPage(browser) {
  const page = await browser.context.newPage();
  const problems = [];
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`exception: ${e.message}`));
  return {page, problems};
}

export function phase(page) {
  return page.evaluate(() => window.qo && window.qo.phase);
}

// Waits until window.qo.phase is one of `phases`; returns it.
export async function waitForPhase(page, phases, timeout = 60000) {
  await page.waitForFunction((wanted) => window.qo && wanted.includes(window.qo.phase), phases, {timeout});
  return phase(page);
}

export function temporaryFolder(prefix) {
  return mkdtempSync(join(tmpdir(), prefix));
}
