// Pictures for the still tests: the native qo-screenshot's frame (the
// reference), the canvas's picture as a PNG file, and their PSNR by FFmpeg.
import {execFileSync, spawnSync} from 'node:child_process';
import {existsSync, writeFileSync} from 'node:fs';
import {join, resolve} from 'node:path';

const root = new URL('../../', import.meta.url).pathname;
const screenshot = resolve(process.env.QO_SCREENSHOT || join(root, 'build/tools/screenshot/qo-screenshot'));
const data = resolve(process.env.QO_DATA || join(root, 'data'));

// Frame `frame` of the demo as qo-screenshot renders it natively: taken
// from QO_WEB_REFERENCES when tools/web/render-references.sh made it there
// beforehand, else rendered now into `file`. Returns the picture's path.
export function referenceFrame(frame, file) {
  const made = process.env.QO_WEB_REFERENCES && join(process.env.QO_WEB_REFERENCES, `frame-${frame}.png`);
  if (made && existsSync(made)) return made;
  execFileSync(screenshot, [data, String(frame), file], {
    env: {...process.env, SDL_VIDEODRIVER: 'offscreen', SDL_AUDIODRIVER: 'dummy'},
    stdio: ['ignore', 'ignore', 'pipe'],
  });
  return file;
}

// The page's canvas as a PNG file; returns its size.
export async function canvasPicture(page, file) {
  const picture = await page.evaluate(() => {
    const canvas = document.getElementById('qo');
    return {url: canvas.toDataURL('image/png'), width: canvas.width, height: canvas.height};
  });
  writeFileSync(file, Buffer.from(picture.url.replace(/^data:image\/png;base64,/, ''), 'base64'));
  return {width: picture.width, height: picture.height};
}

// PSNR in dB between two pictures of one size (Infinity when identical).
export function psnr(a, b) {
  const run = spawnSync('ffmpeg', ['-hide_banner', '-i', a, '-i', b, '-lavfi', '[0:v][1:v]psnr', '-f', 'null', '-'],
                        {encoding: 'utf8'});
  const found = /average:([0-9.]+|inf)/.exec(run.stderr);
  if (run.status !== 0 || !found) throw new Error(`ffmpeg could not compare ${a} and ${b}: ${run.stderr}`);
  return found[1] === 'inf' ? Infinity : Number(found[1]);
}
