// The web platform's window messages, heard by a window procedure of a small
// program on the platform alone (probe/): what a pop-up window hears while it
// is made and shown, titles, keys as virtual-key codes, a hidden page as a
// minimised window, leaving full screen as Escape, and the close button.
import {after, before, test} from 'node:test';
import assert from 'node:assert/strict';
import {join} from 'node:path';
import {launch, openPage, serve} from './support.mjs';

const root = new URL('../../', import.meta.url).pathname;
const built = process.env.QO_WEB_PROBE || join(root, 'build-web/tests/web/probe');
let server, browser, page, problems;

// The log lines that came after `from` of them.
async function logSince(from) {
  return (await page.evaluate(() => window.probe.log.slice())).slice(from);
}

async function logLength() {
  return page.evaluate(() => window.probe.log.length);
}

// What the procedure hears after `act`, once `count` lines have come.
async function heard(act, count) {
  const from = await logLength();
  await act();
  await page.waitForFunction(([n, c]) => window.probe.log.length >= n + c, [from, count]);
  await page.waitForTimeout(100);  // and nothing more: repeats would show here
  return logSince(from);
}

// The page looks hidden or visible to its scripts, as when its tab is left or taken up again.
function setHidden(hidden) {
  return page.evaluate((h) => {
    Object.defineProperty(document, 'hidden', {configurable: true, get: () => h});
    Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => (h ? 'hidden' : 'visible')});
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
}

before(async () => {
  server = await serve(join(root, 'tests/web/probe'),
                       {'qo-platform-probe.js': built, 'qo-platform-probe.wasm': built});
  browser = await launch();
  ({page, problems} = await openPage(browser));
  await page.goto(`${server.url}probe.html`);
  await page.waitForFunction(() => window.probe.log.includes('loop'));
});

after(async () => {
  await browser.close();
  await server.close();
});

test('a pop-up window hears its size while it is made and its activation at its first show', async () => {
  assert.deepEqual(await logSince(0), [
    'create', 'WM_SIZE 0x0 0x3000400', 'show', 'WM_ACTIVATE 0x1 0x0', 'title A', 'title B', 'loop',
  ]);
});

test('keys arrive as WM_KEYDOWN and WM_KEYUP with virtual-key codes', async () => {
  assert.deepEqual(await heard(() => page.keyboard.press('Escape'), 2),
                   ['WM_KEYDOWN 0x1B 0x1', 'WM_KEYUP 0x1B 0xC0000001']);
  assert.deepEqual(await heard(() => page.keyboard.press('a'), 2), ['WM_KEYDOWN 0x41 0x1', 'WM_KEYUP 0x41 0xC0000001']);
  assert.deepEqual(await heard(() => page.keyboard.press('ArrowLeft'), 2),
                   ['WM_KEYDOWN 0x25 0x1', 'WM_KEYUP 0x25 0xC0000001']);
  assert.deepEqual(await heard(() => page.keyboard.press('F2'), 2), ['WM_KEYDOWN 0x71 0x1', 'WM_KEYUP 0x71 0xC0000001']);
  // A key without a code here is not heard at all; the next one is.
  assert.deepEqual(await heard(async () => {
    await page.keyboard.press('Backquote');
    await page.keyboard.press('7');
  }, 2), ['WM_KEYDOWN 0x37 0x1', 'WM_KEYUP 0x37 0xC0000001']);
});

test('a hidden page is a minimised window, and a visible one active again, each told once', async () => {
  assert.deepEqual(await heard(async () => {
    await setHidden(true);
    await setHidden(true);
  }, 1), ['WM_ACTIVATE 0x10000 0x0']);
  assert.deepEqual(await heard(() => setHidden(false), 1), ['WM_ACTIVATE 0x1 0x0']);
});

test('leaving full screen is the Escape key', async () => {
  // Left only once the page has been told it entered (fullscreenElement is set
  // before that news is dispatched, and no person leaves so soon).
  const entered = page.evaluate(
    () => new Promise((told) => document.addEventListener('fullscreenchange', () => told(true), {once: true})));
  await page.click('#fullscreen');
  await entered;
  assert.deepEqual(await heard(() => page.evaluate(() => document.exitFullscreen()), 1), ['WM_KEYDOWN 0x1B 0x1']);
});

test('the close button closes the window and the quit message ends the loop', async () => {
  assert.deepEqual(await heard(() => page.evaluate(() => window.probe.end()), 2), ['WM_CLOSE 0x0 0x0', 'quit']);
  await page.waitForFunction(() => window.probe.ended);
  assert.deepEqual(problems, []);
});
