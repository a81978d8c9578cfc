// The same pixels: the page, from the stored state the headless reference
// (tools/snapshot/WebReference.cpp) started from and after the same inputs,
// must show the board, timer and combinations windows exactly as the
// headless backend presented them. The timer's seconds field counts real
// time in the page, so it is counted apart.
// Usage: node compare.mjs BUILD_WEB_DIR REFERENCE_DIR SCALE OUT_DIR
import { readFileSync, writeFileSync } from 'node:fs';
import { launch, serve, waitForGame, windowPixels, sleep } from './lib.mjs';
import { onBoard } from './play.mjs';

const [dir, refDir, scaleArg = '1', out = refDir] = process.argv.slice(2);
const scale = Number(scaleArg);
const store = JSON.parse(readFileSync(`${refDir}/store.json`, 'utf8'));
const inputs = JSON.parse(readFileSync(`${refDir}/inputs.json`, 'utf8'));

function readPpm(path) {
  const bytes = readFileSync(path);
  const head = bytes.toString('latin1', 0, 64).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  const [width, height] = [Number(head[1]), Number(head[2])];
  const pixels = new Array(width * height);
  for (let i = 0, o = head[0].length; i < pixels.length; i++, o += 3)
    pixels[i] = (bytes[o] << 16) | (bytes[o + 1] << 8) | bytes[o + 2];
  return { width, height, pixels };
}

const { server, url } = await serve(dir);
const browser = await launch();
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: scale });
await page.goto(`${url}?nosw`, { waitUntil: 'load' });
await page.evaluate((store) => { localStorage.clear(); for (const k in store) localStorage.setItem(k, store[k]); }, store);
await page.goto(`${url}?probe&nosw`, { waitUntil: 'load' });
await waitForGame(page);
for (const [fx, fy, tx, ty] of inputs.drags) {
  const a = await onBoard(page, { x: fx, y: fy }), b = await onBoard(page, { x: tx, y: ty });
  await page.mouse.move(a.x, a.y);
  await page.mouse.down();
  await page.mouse.move(b.x, b.y, { steps: 3 });
  await page.mouse.up();
}
const rest = await onBoard(page, { x: inputs.rest[0], y: inputs.rest[1] });
await page.mouse.move(rest.x, rest.y);
await page.waitForFunction(() => Module.qv.state.guesses[11] === '1234', { timeout: 5000 });
await sleep(100);

let differing = 0;
const timeField = { left: 16 * scale, top: 16 * scale, right: (16 + 39) * scale, bottom: (16 + 21) * scale };
const lines = [];
for (const [name, id] of [['main', 1], ['timer', 4], ['combs', 5]]) {
  const want = readPpm(`${refDir}/${name}.ppm`), got = await windowPixels(page, id);
  if (want.width !== got.width || want.height !== got.height) {
    lines.push(`${name}: size ${got.width} x ${got.height} in the page, ${want.width} x ${want.height} headless`);
    differing++;
    continue;
  }
  let diff = 0, inField = 0;
  for (let y = 0; y < want.height; y++)
    for (let x = 0; x < want.width; x++) {
      const i = y * want.width + x;
      if (want.pixels[i] === got.pixels[i]) continue;
      if (name === 'timer' && x >= timeField.left && x < timeField.right && y >= timeField.top && y < timeField.bottom) inField++;
      else diff++;
    }
  differing += diff;
  lines.push(`${name}: ${diff} of ${want.width * want.height} pixels differ` +
    (name === 'timer' ? ` (and ${inField} inside the seconds field, which counts real time)` : ''));
}
await page.screenshot({ path: `${out}/page.png` });
for (const l of lines) console.log(l);
writeFileSync(`${out}/result.txt`, lines.join('\n') + '\n');
await browser.close();
server.close();
console.log(differing === 0 ? `pixel comparison at scale ${scale}: identical` : `pixel comparison at scale ${scale}: ${differing} pixels differ`);
process.exit(differing === 0 ? 0 : 1);
