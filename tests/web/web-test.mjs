// The browser tests: headless Chromium plays the page built into
// build-web/web. Each check prints "ok" or "FAIL" with what it saw; the
// exit status is the number of failures. Screenshots go to OUT_DIR.
// Usage: node web-test.mjs BUILD_WEB_DIR OUT_DIR
import { mkdirSync } from 'node:fs';
import { launch, serve, waitForGame, state, windowInfo, windowPixels, sleep } from './lib.mjs';
import { onBoard, colourCentre, holeCentre, buttonCentre, until, mouseDrag, key, winGame } from './play.mjs';

const [dir = '../../build-web/web', out = '../../build-web/test'] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
let failures = 0, passes = 0;
function check(name, ok, seen = '') {
  if (ok) passes++; else failures++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${seen ? ` (${seen})` : ''}`);
}
async function step(name, body) {
  try { await body(); } catch (err) { check(name, false, String(err && err.message || err).split('\n')[0]); }
}

const { server, url } = await serve(dir);
const browser = await launch();
const errors = [];
async function open(options = {}, beforeLoad = async () => {}) {
  const page = await browser.newPage();
  await beforeLoad();
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('dialog', (d) => d.accept());
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1, ...options });
  await page.goto(`${url}?probe`, { waitUntil: 'load' });
  await waitForGame(page);
  return page;
}

// One tab: shape, drags, keys, modal hold-off, windows, reloads.
const page = await open();
// Start from nothing stored: this profile is fresh, but be sure.
await page.evaluate(() => localStorage.clear());
await page.reload({ waitUntil: 'load' });
await waitForGame(page);

await step('the board is shaped and the page shows through', async () => {
  const board = await windowInfo(page, 1);
  check('the board is 528 x 420 at device scale 1', board.backingWidth === 528 && board.backingHeight === 420 &&
    board.width === 528, `${board.backingWidth} x ${board.backingHeight}`);
  // The notch right of the holes, above the buttons, is not the board's.
  const hits = await page.evaluate((b) => [document.elementFromPoint(b.left + 450, b.top + 60).id,
    document.elementFromPoint(b.left + 100, b.top + 100).dataset.window], board);
  check('a click beside the outline reaches the page, one inside it the board', hits[0] === 'desktop' && hits[1] === '1',
    hits.join(', '));
  await page.screenshot({ path: `${out}/page-scale1.png` });
});

await step('a dragged ball lands in the hole', async () => {
  const before = await state(page);
  const from = await onBoard(page, colourCentre(3));
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  const to = await onBoard(page, holeCentre(2, before.row));
  await page.mouse.move(to.x, to.y, { steps: 5 });
  await until(page, () => document.documentElement.style.cursor.includes('image-set'));
  check('the closed hand shows while a ball is carried', true);
  await page.mouse.up();
  await until(page, (row) => Module.qv.state.guesses[row - 1][1] === '3', before.row);
  const after = await state(page);
  check('colour 3 went into hole 2 of the current row', after.guesses[before.row - 1] === '0300',
    after.guesses[before.row - 1]);
  check('the cursor is the arrow again', await page.evaluate(() => document.documentElement.style.cursor === ''));
});

await step('F3 evaluates an opening row and the pegs read back', async () => {
  const pegArea = async () => {
    const p = await windowPixels(page, 1);
    let sum = 0;
    for (let y = 368; y < 392; y++) for (let x = 220; x < 282; x++) sum = (sum * 31 + p.pixels[y * p.width + x]) >>> 0;
    return sum;
  };
  const before = await pegArea();
  await key(page, 'F3');
  await until(page, () => Module.qv.state.row === 11);
  const s = await state(page);
  const [red, white] = s.scores[11];
  check('row 12 was evaluated and row 11 is current', s.row === 11 && s.guesses[11].length === 4 &&
    !s.guesses[11].includes('0'), `row ${s.row}, guess ${s.guesses[11]}, ${red} red ${white} white`);
  check('the answer is a possible one', red + white <= 4 && red <= 4, `${red} + ${white}`);
  if (red + white > 0) check('the pegs of row 12 were drawn', (await pegArea()) !== before);
});

await step('a modal message holds off a held button', async () => {
  const s = await state(page);
  const newButton = await onBoard(page, buttonCentre[1]);
  await page.mouse.move(newButton.x, newButton.y);
  await page.mouse.down();
  // Space on an incomplete row: the message window opens, modal.
  await key(page, 'Space');
  await until(page, () => Module.qv.state.modal === 1);
  check('the message window shows', (await windowInfo(page, 6)).visible);
  await page.mouse.up();
  await sleep(100);
  let now = await state(page);
  check('the release of the held New button started no game', now.row === s.row && now.guesses[10] === s.guesses[10]);
  // A click on the board while the message shows is held off too.
  const colour = await onBoard(page, colourCentre(1));
  await page.mouse.click(colour.x, colour.y, { button: 'right' });
  await sleep(100);
  now = await state(page);
  check('a click on the board under a modal message changes nothing', now.guesses[10] === s.guesses[10],
    now.guesses[10]);
  await key(page, 'Enter');
  await until(page, () => Module.qv.state.modal === 0);
  check('Enter closes the message', !(await windowInfo(page, 6)).visible);
});

await step('F11 and F12 show and hide the timer and combinations windows', async () => {
  await key(page, 'F11');
  await until(page, () => getComputedStyle(document.querySelector('canvas[data-window="4"]')).display !== 'none');
  await key(page, 'F12');
  await until(page, () => getComputedStyle(document.querySelector('canvas[data-window="5"]')).display !== 'none');
  const timer = await windowInfo(page, 4), combs = await windowInfo(page, 5);
  check('both side windows show, shaped, in front of the board', timer.visible && combs.visible &&
    timer.clip.startsWith('path') && timer.z > (await windowInfo(page, 1)).z, `z ${timer.z}, ${combs.z}`);
  // Dragging bare board moves the board and both side windows with it.
  const board = await windowInfo(page, 1);
  await mouseDrag(page, { x: 150, y: 8 }, { x: 110, y: 28 });
  await sleep(100);
  const moved = await windowInfo(page, 1), timer2 = await windowInfo(page, 4);
  check('dragging bare board moves the board and the timer by the same amount',
    moved.left === board.left - 40 && moved.top === board.top + 20 && timer2.left === timer.left - 40,
    `board ${moved.left - board.left}, ${moved.top - board.top}; timer ${timer2.left - timer.left}`);
  await page.screenshot({ path: `${out}/page-windows.png` });
  await key(page, 'F12');
  await until(page, () => getComputedStyle(document.querySelector('canvas[data-window="5"]')).display === 'none');
  check('F12 again hides the combinations window', true);
});

await step('F1 opens the help in a new tab', async () => {
  const tab = browser.waitForTarget((t) => t.url().endsWith('/QuorVex.html'), { timeout: 5000 });
  await key(page, 'F1');
  const target = await tab;
  check('the help opened beside the game', !!target, target.url());
  const help = await target.page();
  if (help) await help.close();
});

await step('a record and F9 are kept after a reload', async () => {
  await key(page, 'F2');
  await until(page, () => Module.qv.state.row === 12 && Module.qv.state.active);
  const rows = await winGame(page);
  await key(page, 'Enter');  // the win message
  await until(page, () => Module.qv.state.modal === 0);
  const won = await state(page);
  check('the game was won', !won.active && won.recordRows > 0, `${rows} rows, record ${won.recordRows} rows`);
  await key(page, 'F9');
  await until(page, () => Module.qv.state.symbols === true);
  await page.reload({ waitUntil: 'load' });
  await waitForGame(page);
  const back = await state(page);
  check('the record is there after a reload', back.recordRows === won.recordRows &&
    back.recordSeconds === won.recordSeconds, `${back.recordRows} rows ${back.recordSeconds} s`);
  check('F9 (symbols) is kept after a reload', back.symbols === true);
  check('the timer window is shown again after a reload, as it was left', (await windowInfo(page, 4)).visible);
});

await step('two tabs that each win keep both records', async () => {
  await page.evaluate(() => {
    for (const k of Object.keys(localStorage)) if (k.startsWith('QuorVex/game/high')) localStorage.removeItem(k);
  });
  await page.reload({ waitUntil: 'load' });
  await waitForGame(page);
  // The second tab plays six colours. Opening a tab hides the first, which
  // then stores its options: the six go in after that.
  const other = await open({}, async () => {
    await sleep(300);
    await page.evaluate(() => localStorage.setItem('QuorVex/game/colors', '6'));
  });
  const a = await state(page), b = await state(other);
  check('the tabs play different settings', a.colors === 8 && b.colors === 6, `${a.colors}, ${b.colors}`);
  await winGame(page);
  await key(page, 'Enter');
  await winGame(other);
  await key(other, 'Enter');
  const table = await page.evaluate(() => localStorage.getItem('QuorVex/game/high'));
  const records = decodeRecords(table);
  check('both records are stored', records.length === 2, JSON.stringify(records));
  await other.close();
});

function decodeRecords(hex) {
  if (!hex) return [];
  const key = [37, 142, 9, 201, 88, 160, 23, 115];
  const bytes = [];
  for (let i = 0; i + 1 < hex.length && bytes.length < 36; i += 2) {
    const p = bytes.length + 1;
    bytes.push((((parseInt(hex.substr(i, 2), 16) - key[p % 8] + 256) % 256) ^ 0x9e));
  }
  const out = [];
  for (let e = 0; e < 12; e++) if (bytes[e * 3]) out.push({ entry: e + 1, rows: bytes[e * 3] });
  return out;
}

await step('device scale 2: a 1056 x 840 backing store at the same place on the page', async () => {
  const hi = await open({ deviceScaleFactor: 2 });
  const w = await windowInfo(hi, 1);
  const s = await state(hi);
  check('the game draws at 2x', s.scale === 2);
  check('the board canvas holds 1056 x 840 pixels laid out as 528 x 420', w.backingWidth === 1056 &&
    w.backingHeight === 840 && w.width === 528 && w.height === 420, `${w.backingWidth} x ${w.backingHeight} as ${w.width} x ${w.height}`);
  await mouseDrag(hi, colourCentre(5), holeCentre(1, s.row));
  await until(hi, (row) => Module.qv.state.guesses[row - 1][0] === '5', s.row);
  check('a ball dragged at 2x lands', true);
  await key(hi, 'F11');
  await sleep(200);
  await hi.screenshot({ path: `${out}/page-scale2.png` });
  await hi.close();
});

await step('a finger drags a ball', async () => {
  const touch = await open({ hasTouch: true, isMobile: false });
  const s = await state(touch);
  const from = await onBoard(touch, colourCentre(6)), to = await onBoard(touch, holeCentre(4, s.row));
  await touch.touchscreen.touchStart(from.x, from.y);
  for (let i = 1; i <= 6; i++) await touch.touchscreen.touchMove(from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6);
  await touch.screenshot({ path: `${out}/page-touch-drag.png` });
  await touch.touchscreen.touchEnd();
  await until(touch, (row) => Module.qv.state.guesses[row - 1][3] === '6', s.row);
  check('the ball went where the finger let go', true);
  await touch.screenshot({ path: `${out}/page-touch-dropped.png` });
  await touch.close();
});

check('no script error on any page', errors.length === 0, errors.join('; '));
await page.close();
await browser.close();
server.close();
console.log(`web tests: ${passes} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
