// The browser build beside the native one, in one run:
//   node bench/web/frame_time.mjs [FRAMES] [ROUNDS]
// after tools/build-web.sh (dist/qo-web, the npm packages in tests/web) and
// a native build with benchmarks (build/bench/bench_render_frames).
//
// Frame time, the same way on both: the demo's frames 0 to FRAMES-1 made
// back to back on clocks stepped 32 ms a frame (no pacing wait), each frame
// finished (glFinish natively, WebGL's finish in the page) before the time
// of its present is taken; a frame's time is the time between two presents.
// Natively that is bench_render_frames on Mesa's llvmpipe; in headless
// Chromium (SwiftShader) the page's ?frame=K&from=0 stepped run. The rounds
// alternate between the two, so a round's two figures see the same load on
// the machine; the ratio is the median of the rounds' ratios.
//
// Also: the time from opening the page (?autoplay) on 127.0.0.1 to its first
// frame, and to the start screen with its still; the code the page loads,
// gzipped; the data file.
import {execFileSync} from 'node:child_process';
import {readFileSync, statSync} from 'node:fs';
import {join} from 'node:path';
import {gzipSync} from 'node:zlib';
import {dist, launch, openPage, serve} from '../../tests/web/support.mjs';

const root = new URL('../../', import.meta.url).pathname;
const frames = Number(process.argv[2] || 300);
const rounds = Number(process.argv[3] || 2);
const nativeBench = join(root, 'build/bench/bench_render_frames');

const median = (v) => [...v].sort((a, b) => a - b)[Math.floor((v.length - 1) / 2)];
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

function nativeRound() {
  const out = execFileSync(nativeBench, [join(root, 'data'), String(frames)], {
    encoding: 'utf8', env: {...process.env, SDL_VIDEODRIVER: 'offscreen', SDL_AUDIODRIVER: 'dummy'},
  });
  const m = /^median\s+([0-9.]+)/m.exec(out);
  if (!m) throw new Error(`bench_render_frames said:\n${out}`);
  return Number(m[1]);
}

async function webRound(browser, url) {
  const {page} = await openPage(browser);
  await page.goto(`${url}index.html?frame=${frames}&from=0`);
  await page.waitForFunction(() => ['drawn', 'ended', 'failed'].includes(window.qo.phase), null, {timeout: 0});
  const times = await page.evaluate(() => window.qo.presentTimes());
  await page.close();
  if (times.length !== frames + 1) throw new Error(`the page drew ${times.length} frames`);
  // The last frame waits for the page's paint: not timed.
  return median(times.slice(1, -1).map((t, i) => t - times[i]));
}

async function openToFirstFrame(browser, url) {
  const {page} = await openPage(browser);
  await page.goto(`${url}index.html?autoplay`);
  await page.waitForFunction(() => window.qo.firstFrameTime !== null, null, {timeout: 0});
  const first = await page.evaluate(() => window.qo.firstFrameTime);
  await page.close();
  const {page: start} = await openPage(browser);
  await start.goto(url);
  await start.waitForFunction(() => window.qo.phase === 'ready', null, {timeout: 0});
  const ready = await start.evaluate(() => performance.now());
  await start.close();
  return {first, ready};
}

function sizes() {
  const gz = (name) => gzipSync(readFileSync(join(dist, name)), {level: 9}).length;
  const code = ['qo.js', 'qo.wasm'].reduce((sum, f) => sum + gz(f), 0);
  const page = ['index.html', 'qo-page.js', 'qo.css'].reduce((sum, f) => sum + gz(f), 0);
  return {code, page, wasm: gz('qo.wasm'), data: statSync(join(dist, 'qo.data')).size, dataGz: gz('qo.data')};
}

const server = await serve();
const browser = await launch();
try {
  const native = [], web = [];
  for (let round = 1; round <= rounds; round++) {
    native.push(nativeRound());
    web.push(await webRound(browser, server.url));
    console.log(`round ${round}: native ${native.at(-1).toFixed(2)} ms, web ${web.at(-1).toFixed(2)} ms`);
  }
  const n = median(native), w = median(web);
  const ratio = median(native.map((x, i) => web[i] / x));
  console.log(`\nframe time, frames 0-${frames - 1} back to back, each finished (median ms/frame):`);
  console.log(`  native (Mesa llvmpipe)                 ${n.toFixed(2)}`);
  console.log(`  web (headless Chromium, SwiftShader)   ${w.toFixed(2)}`);
  console.log(`  web / native, median of the rounds     ${ratio.toFixed(2)}   (goal: at most 1.5)`);

  const opened = await openToFirstFrame(browser, server.url);
  console.log(`\nopening the page on 127.0.0.1 (from navigation start):`);
  console.log(`  to the first frame of ?autoplay        ${opened.first.toFixed(0)} ms`);
  console.log(`  to the start screen with its still     ${opened.ready.toFixed(0)} ms`);

  const s = sizes();
  console.log(`\nwhat the page loads:`);
  console.log(`  code, qo.js + qo.wasm, gzipped         ${kb(s.code)}   (qo.wasm ${kb(s.wasm)}; goal: at most 400 KB)`);
  console.log(`  page, html + script + style, gzipped   ${kb(s.page)}`);
  console.log(`  data, qo.data                          ${kb(s.data)}   (${kb(s.dataGz)} gzipped)`);
} finally {
  await browser.close();
  await server.close();
}
