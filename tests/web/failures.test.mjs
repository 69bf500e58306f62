// Failures shown to the person watching: a data package with a file missing
// or damaged shows the demo's own message (text and caption of its message
// box, or the lines it wrote before ending), and the run ends as it does on
// Windows; a browser without WebGL gets one plain sentence. Never a console
// error or an uncaught exception.
import {after, before, test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {cpSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {join} from 'node:path';
import {launch, openPage, serve, temporaryFolder, waitForPhase} from './support.mjs';

const root = new URL('../../', import.meta.url).pathname;
let browser, work;

before(async () => {
  browser = await launch();
  work = temporaryFolder('qo-failures-');
});

after(async () => {
  await browser.close();
  rmSync(work, {recursive: true, force: true});
});

// The page served with a data package made from a copy of data/ that
// `change` altered, by the tool that makes the real one.
async function serveWithData(name, change) {
  const folder = join(work, name, 'data'), packed = join(work, name, 'packed');
  cpSync(join(root, 'data'), folder, {recursive: true});
  change(folder);
  execFileSync(join(root, 'tools/web/package-data.sh'), [folder, packed]);
  return serve(undefined, {'qo.data': packed, 'qo.data.json': packed});
}

async function box(page) {
  assert.equal(await waitForPhase(page, ['message', 'ready', 'failed', 'playing']), 'message');
  return {
    caption: await page.textContent('#box-caption'),
    text: await page.textContent('#box-text'),
    buttons: await page.$$eval('#box-buttons button', (all) => all.map((b) => b.textContent)),
  };
}

// Each failing start shows its box twice: under the start screen's still,
// and again when the person starts the run anyway.
async function expectBoxTwice(name, change, expected, status) {
  const server = await serveWithData(name, change);
  const {page, problems} = await openPage(browser);
  await page.goto(server.url);
  assert.deepEqual(await box(page), expected);
  await page.click('#box-buttons button');
  assert.equal(await waitForPhase(page, ['ready', 'failed']), 'ready');
  assert.equal(await page.evaluate(() => window.qo.exitStatus), status);

  await page.click('#play');
  assert.deepEqual(await box(page), expected);
  await page.keyboard.press('Enter');  // the box has the keys while it is up
  assert.equal(await waitForPhase(page, ['ready', 'failed']), 'ready');
  assert.equal(await page.evaluate(() => window.qo.exitStatus), status);
  assert.equal(await page.evaluate(() => window.qo.runs), 2);
  assert.deepEqual(problems, []);
  await page.close();
  await server.close();
}

test('a missing picture shows the decoder\'s box, and the run ends with status 0', async () => {
  await expectBoxTwice('no-te1', (folder) => rmSync(join(folder, 'te1.bmp')),
                       {caption: 'Error', text: 'Failed to open DIB file te1.bmp.\n', buttons: ['OK']}, 0);
});

test('a damaged picture shows the decoder\'s box', async () => {
  await expectBoxTwice('bad-2', (folder) => {
    const file = join(folder, '2.bmp');
    const bytes = readFileSync(file);
    bytes.writeUInt32LE(99, 14);  // a bitmap header size no BMP has
    writeFileSync(file, bytes);
  }, {caption: 'Error', text: 'Unknown DIB file format.', buttons: ['OK']}, 0);
});

test('a missing model shows the model library\'s line, and the run ends with status 1', async () => {
  await expectBoxTwice('no-model', (folder) => rmSync(join(folder, 'met1.obj')),
                       {caption: 'Qo', text: 'glmReadOBJ() failed: can\'t open data file "met1.obj".', buttons: ['OK']},
                       1);
});

test('music that is missing or cannot be decoded leaves the run silent', async () => {
  for (const [name, change] of [
    ['no-music', (folder) => rmSync(join(folder, 'musakki.mp3'))],
    ['bad-music', (folder) => writeFileSync(join(folder, 'musakki.mp3'), Buffer.alloc(5000, 0x55))],
  ]) {
    const server = await serveWithData(name, change);
    const {page, problems} = await openPage(browser);
    await page.goto(server.url);
    assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
    await page.click('#play');
    await page.waitForFunction(() => window.qo.frames > 40, null, {timeout: 60000});
    assert.equal(await page.evaluate(() => window.qo.clocks()), null, `${name}: no music plays`);
    assert.equal(await page.evaluate(() => window.qo.phase), 'playing');
    await page.evaluate(() => document.exitFullscreen());
    assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
    assert.deepEqual(problems, [], name);
    await page.close();
    await server.close();
  }
});

test('a browser without WebGL gets one plain sentence', async () => {
  const server = await serve();
  const {page, problems} = await openPage(browser);
  await page.addInitScript(() => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
      return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
    };
  });
  await page.goto(server.url);
  assert.equal(await waitForPhase(page, ['failed', 'ready', 'message']), 'failed');
  assert.equal(await page.textContent('#status'), 'This browser cannot show Qo: it has no WebGL.');
  assert.ok(!(await page.isVisible('#play')));
  assert.deepEqual(problems, []);
  await page.close();
  await server.close();
});
