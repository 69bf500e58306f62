// Playing in real time: a click or a key starts the demo full screen with
// its music; the page's title becomes the frame rate; the music keeps in
// step with the demo's clock; Escape, or leaving full screen, ends the run
// and the start screen comes back.
import {after, before, test} from 'node:test';
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {launch, openPage, serve, waitForPhase} from './support.mjs';

// The music's position against the demo's running time, as heard.
const MAX_CLOCK_GAP_S = 0.05;
let server, browser;

before(async () => {
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser.close();
  await server.close();
});

async function startScreen(page) {
  await page.goto(server.url);
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
}

test('the start screen names the version that CMakeLists.txt gives', async () => {
  const cmake = readFileSync(new URL('../../CMakeLists.txt', import.meta.url), 'utf8');
  const version = /^project\(qo VERSION ([0-9.]+)/m.exec(cmake)[1];
  const {page, problems} = await openPage(browser);
  await startScreen(page);
  assert.equal(await page.textContent('#version'), `version ${version}`);
  assert.deepEqual(problems, []);
  await page.close();
});

// Watches a run for `seconds`, once every half second.
async function watch(page, seconds) {
  const seen = [];
  for (let i = 0; i < seconds * 2; i++) {
    await page.waitForTimeout(500);
    seen.push(await page.evaluate(() => ({phase: qo.phase, frames: qo.frames, title: document.title,
                                           clocks: qo.clocks()})));
  }
  return seen;
}

test('a click plays the demo full screen with its music in step, and Escape ends it', async (t) => {
  const {page, problems} = await openPage(browser);
  await startScreen(page);
  await page.click('#play');
  assert.equal(await page.evaluate(() => window.qo.phase), 'playing');
  assert.equal(await page.evaluate(() => document.fullscreenElement && document.fullscreenElement.id), 'stage');

  const seen = await watch(page, 11);
  assert.ok(seen.every((s) => s.phase === 'playing'), 'the run went on');
  // "Qo" until the first frame, "0" in the first second, then the count of each second.
  const titles = seen.map((s) => s.title);
  assert.match(titles.at(-1), /^[1-9][0-9]*$/);
  assert.ok(titles.every((title) => /^(Qo|[0-9]+)$/.test(title)), titles.join(' '));
  assert.ok(seen.at(-1).frames > seen[0].frames, 'frames were presented');

  const gaps = seen.filter((s) => s.clocks).map((s) => s.clocks.audio - s.clocks.demo);
  assert.ok(gaps.length >= 10, `the music played for ${gaps.length / 2} s of the watch`);
  const worst = Math.max(...gaps.map(Math.abs));
  t.diagnostic(`music against the demo's clock: worst ${(worst * 1000).toFixed(1)} ms, ` +
               `drift ${((gaps.at(-1) - gaps[0]) * 1000).toFixed(1)} ms over ${gaps.length / 2} s`);
  assert.ok(worst <= MAX_CLOCK_GAP_S, `the music was ${worst * 1000} ms off the demo's clock`);

  await page.keyboard.press('Escape');
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.equal(await page.evaluate(() => window.qo.exitStatus), 0);
  assert.equal(await page.evaluate(() => document.fullscreenElement), null);
  assert.equal(await page.title(), 'Qo');
  assert.equal(await page.getAttribute('#qo', 'data-frame'), '3200', 'the start screen has its still back');
  assert.deepEqual(problems, []);
  await page.close();
});

test('leaving full screen ends the run as Escape does', async () => {
  const {page, problems} = await openPage(browser);
  await startScreen(page);
  await page.click('#play');
  await page.waitForFunction(() => window.qo.frames > 5);
  await page.evaluate(() => document.exitFullscreen());
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.equal(await page.evaluate(() => window.qo.exitStatus), 0);
  assert.equal(await page.evaluate(() => window.qo.runs), 2, 'the still, then the run');
  assert.deepEqual(problems, []);
  await page.close();
});

test('a key starts the demo too, and Escape in the page ends it', async () => {
  const {page, problems} = await openPage(browser);
  await startScreen(page);
  await page.keyboard.press('Space');
  assert.equal(await page.evaluate(() => window.qo.phase), 'playing');
  await page.waitForFunction(() => window.qo.frames > 5);
  // Played in the page this time: Escape reaches the run as a key.
  if (await page.evaluate(() => document.fullscreenElement !== null)) {
    await page.evaluate(() => document.exitFullscreen());
  } else {
    await page.keyboard.press('Escape');
  }
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.deepEqual(problems, []);
  await page.close();
});

test('?autoplay starts without a click, in the page, and Escape ends it', async () => {
  const {page, problems} = await openPage(browser);
  await page.goto(`${server.url}index.html?autoplay`);
  await page.waitForFunction(() => window.qo.phase === 'playing' && window.qo.frames > 40, null, {timeout: 60000});
  assert.equal(await page.evaluate(() => document.fullscreenElement), null);
  await page.waitForFunction(() => window.qo.clocks() !== null, null, {timeout: 30000});
  await page.keyboard.press('Escape');
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.equal(await page.evaluate(() => window.qo.exitStatus), 0);
  assert.equal(await page.evaluate(() => window.qo.clocks()), null, 'the music stopped with the run');
  assert.deepEqual(problems, []);
  await page.close();
});

test('a click while the still is being drawn starts the demo once it is drawn', async () => {
  const {page, problems} = await openPage(browser);
  await page.goto(server.url);
  assert.equal(await waitForPhase(page, ['still', 'ready', 'failed']), 'still');
  await page.click('#play');
  await page.waitForFunction(() => window.qo.phase === 'playing' && window.qo.frames > 5, null, {timeout: 60000});
  assert.equal(await page.evaluate(() => window.qo.runs), 1, 'the still ran to its end first');
  await page.evaluate(() => document.exitFullscreen());
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.equal(await page.getAttribute('#qo', 'data-frame'), '3200');
  assert.deepEqual(problems, []);
  await page.close();
});

test('while the page is hidden the run goes on, frames paced by timers, the music in step', async () => {
  const {page, problems} = await openPage(browser);
  await page.goto(`${server.url}index.html?autoplay`);
  await page.waitForFunction(() => window.qo.frames > 5 && window.qo.clocks() !== null, null, {timeout: 60000});
  // Hidden as the page's scripts see it: no animation frames are waited for then.
  const setHidden = (hidden) => page.evaluate((h) => {
    Object.defineProperty(document, 'hidden', {configurable: true, get: () => h});
    Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => (h ? 'hidden' : 'visible')});
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
  await setHidden(true);
  const before = await page.evaluate(() => window.qo.frames);
  await page.waitForFunction((n) => window.qo.frames > n + 5, before, {timeout: 30000});
  const {audio, demo} = await page.evaluate(() => window.qo.clocks());
  assert.ok(Math.abs(audio - demo) <= MAX_CLOCK_GAP_S, `the music was ${(audio - demo) * 1000} ms off`);
  await setHidden(false);
  await page.keyboard.press('Escape');
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.deepEqual(problems, []);
  await page.close();
});
