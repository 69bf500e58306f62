// Stills: ?frame=K draws frame K, the picture qo-screenshot draws natively,
// in the fade-in, the full scene and the fade-out; the canvas keeps it at
// 1024x768 for saving, and says which frame it holds.
import {after, before, test} from 'node:test';
import assert from 'node:assert/strict';
import {join} from 'node:path';
import {rmSync} from 'node:fs';
import {launch, openPage, serve, temporaryFolder, waitForPhase} from './support.mjs';
import {canvasPicture, psnr, referenceFrame} from './pictures.mjs';

// 40 dB is an RMS difference of 2.5 levels in 255: the same picture through
// another GL, not a neighbouring frame.
const MIN_PSNR = 40;
let server, browser, work;

before(async () => {
  server = await serve();
  browser = await launch();
  work = temporaryFolder('qo-stills-');
});

after(async () => {
  await browser.close();
  await server.close();
  rmSync(work, {recursive: true, force: true});
});

// In the fade-in (about 60 % black), the full scene (past the fade-in's 10
// s), and the fade-out (half black: it darkens from frame 8276 on).
const STILLS = [[40, 'fade-in'], [400, 'full scene'], [8330, 'fade-out']];

for (const [frame, what] of STILLS) {
  test(`frame ${frame} (${what}) is qo-screenshot's frame ${frame}`, async (t) => {
    const reference = referenceFrame(frame, join(work, `reference-${frame}.png`));
    const drawn = join(work, `page-${frame}.png`);

    const {page, problems} = await openPage(browser);
    await page.goto(`${server.url}index.html?frame=${frame}`);
    assert.equal(await waitForPhase(page, ['drawn', 'ended', 'failed', 'message'], 120000), 'drawn');
    assert.equal(await page.getAttribute('#qo', 'data-frame'), String(frame));
    assert.deepEqual(await canvasPicture(page, drawn), {width: 1024, height: 768});
    const db = psnr(drawn, reference);
    t.diagnostic(`PSNR ${db.toFixed(1)} dB`);
    assert.ok(db >= MIN_PSNR, `PSNR ${db} dB, wanted at least ${MIN_PSNR}`);
    // A still is not a run: no music, no frame rate in the title.
    assert.equal(await page.evaluate(() => window.qo.clocks()), null);
    assert.equal(await page.title(), 'Qo');
    assert.deepEqual(problems, []);
    await page.close();
  });
}

test('the start screen shows frame 3200 under "Click to play"', async () => {
  const {page, problems} = await openPage(browser);
  await page.goto(server.url);
  assert.equal(await waitForPhase(page, ['ready', 'failed', 'message']), 'ready');
  assert.equal(await page.getAttribute('#qo', 'data-frame'), '3200');
  assert.ok(await page.isVisible('text=Click to play'));
  assert.deepEqual(problems, []);
  await page.close();
});

test('a frame outside the run is refused in one sentence', async () => {
  const {page, problems} = await openPage(browser);
  await page.goto(`${server.url}index.html?frame=8375`);
  assert.equal(await waitForPhase(page, ['failed', 'drawn']), 'failed');
  assert.equal(await page.textContent('#status'), 'There is no such frame: the demo has frames 0 to 8374.');
  assert.deepEqual(problems, []);
  await page.close();
});
