// The browser tests: headless Chromium plays the page built into
// build-web/web. Each check prints "ok" or "FAIL" with what it saw; the
// exit status is the number of failures. Screenshots go to OUT_DIR.
// Usage: node web-test.mjs BUILD_WEB_DIR OUT_DIR
import { cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { readFile } from 'node:fs/promises';
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
async function open(options = {}, beforeLoad = async () => {}, where = browser) {
  const page = await where.newPage();
  await beforeLoad();
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('dialog', (d) => d.accept());
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1, ...options });
  // The offline copy is tested on its own, in a browser of its own: here
  // every request goes to the network as it is.
  await page.goto(`${url}?probe&nosw`, { waitUntil: 'load' });
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

await step('two tabs winning at the same moment keep both records, every round', async () => {
  const rounds = [];
  for (let round = 0; round < 3; round++) {
    await page.evaluate(() => {
      for (const k of Object.keys(localStorage)) {
        if (k.startsWith('QuorVex/game/high') || k.startsWith('QuorVex/kept/')) localStorage.removeItem(k);
      }
      localStorage.setItem('QuorVex/game/colors', '8');
    });
    // The second tab plays six colours. Opening a tab hides the first,
    // which then stores its options: the six go in after that.
    const a = await open();
    const b = await open({}, async () => {
      await sleep(300);
      await page.evaluate(() => localStorage.setItem('QuorVex/game/colors', '6'));
    });
    const sa = await state(a), sb = await state(b);
    if (round === 0) check('the tabs play different settings', sa.colors === 8 && sb.colors === 6, `${sa.colors}, ${sb.colors}`);
    await Promise.all([winGame(a), winGame(b)]);
    await Promise.all([key(a, 'Enter'), key(b, 'Enter')]);
    await sleep(400);
    rounds.push(JSON.stringify(decodeRecords(await page.evaluate(() => localStorage.getItem('QuorVex/game/high')))));
    await a.close();
    await b.close();
  }
  check('both records are stored in every round', rounds.every((r) => JSON.parse(r).length === 2), rounds.join(' '));
  await page.evaluate(() => localStorage.setItem('QuorVex/game/colors', '8'));
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

// ---- every screen a player holds ----------------------------------------------

const LIFT = 56;  // CSS pixels a carried ball is shown above the finger (quorvex.js)
await step('phones, tablets and a small window: the board fits, and a finger drops where the ball is drawn', async () => {
  const screens = [
    ['phone-upright', { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }],
    ['small-phone', { width: 360, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true }],
    ['phone-on-its-side', { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true }],
    ['android', { width: 412, height: 915, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true }],
    ['tablet', { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true }],
    ['tablet-on-its-side', { width: 1180, height: 820, deviceScaleFactor: 2, isMobile: true, hasTouch: true }],
    ['small-window', { width: 480, height: 360, deviceScaleFactor: 1 }],
  ];
  for (const [name, viewport] of screens) {
    // Each screen its own device: nothing stored, no other tab.
    const device = await browser.createBrowserContext();
    const p = await open(viewport, async () => {}, device);
    const b = await windowInfo(p, 1);
    const W = viewport.width, H = viewport.height;
    const within = (w) => w.left >= -0.5 && w.top >= -0.5 && w.left + w.width <= W + 0.5 && w.top + w.height <= H + 0.5;
    const share = Math.max(b.width / W, b.height / H);
    check(`${name}: the whole board is on the page${viewport.hasTouch ? ', filling 95% of it one way' : ''}`,
      within(b) && (!viewport.hasTouch || share >= 0.95), `${Math.round(b.width)} x ${Math.round(b.height)}, ${Math.round(share * 100)}%`);
    const s = await state(p);
    if (viewport.hasTouch) {
      // A tap on a colour fills the first empty hole.
      const two = await onBoard(p, colourCentre(2));
      await p.touchscreen.tap(two.x, two.y);
      await until(p, (row) => Module.qv.state.guesses[row - 1][0] === '2', s.row);
      // A finger carries colour 5 to where hole 3 shows the ball above it.
      const from = await onBoard(p, colourCentre(5)), hole = await onBoard(p, holeCentre(3, s.row));
      const to = { x: hole.x, y: hole.y + LIFT };
      await p.touchscreen.touchStart(from.x, from.y);
      for (let i = 1; i <= 8; i++) await p.touchscreen.touchMove(from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8);
      await sleep(100);
      const ghost = await p.evaluate(() => {
        const g = document.querySelector('canvas.qv-carried');
        if (!g || getComputedStyle(g).display === 'none') return null;
        const r = g.getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
      });
      check(`${name}: the carried ball is shown above the finger, over the hole`, ghost !== null &&
        Math.abs(ghost.x - hole.x) < 2 && Math.abs(ghost.y - hole.y) < 2, ghost ? `${Math.round(ghost.x - hole.x)}, ${Math.round(ghost.y - hole.y)}` : 'none');
      if (name === 'phone-upright') await p.screenshot({ path: `${out}/page-finger-carry.png` });
      await p.touchscreen.touchEnd();
      await until(p, (row) => Module.qv.state.guesses[row - 1][2] === '5', s.row);
      check(`${name}: the ball landed where it was drawn`, true);
    } else {
      await mouseDrag(p, colourCentre(5), holeCentre(3, s.row));
      await until(p, (row) => Module.qv.state.guesses[row - 1][2] === '5', s.row);
      check(`${name}: a dragged ball lands in the hole it is dropped on`, true);
    }
    if (W < H) {
      await key(p, 'F11');
      await key(p, 'F12');
      await sleep(150);
      const t = await windowInfo(p, 4), c = await windowInfo(p, 5);
      check(`${name}: the timer and combinations open below the board, on the page`, t.visible && c.visible &&
        t.top >= b.top + b.height - 1 && c.top >= b.top + b.height - 1 && within(t) && within(c),
        `board ends ${Math.round(b.top + b.height)}, timer ${Math.round(t.top)}, combs ${Math.round(c.top)}`);
      await key(p, 'F11');
      await key(p, 'F12');
    }
    await p.screenshot({ path: `${out}/page-${name}.png` });
    await device.close();
  }
});

await step('turning a phone fits the board again and drops still land', async () => {
  const p = await open({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await p.setViewport({ width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await until(p, () => Module.qv.state.scale === 3, undefined, 15000);
  await sleep(300);
  const b = await windowInfo(p, 1);
  const s = await state(p);
  check('on its side the board fills the page again', b.height / 390 >= 0.95 && b.top >= -0.5 &&
    b.top + b.height <= 390.5 && s.scale === 3, `${Math.round(b.width)} x ${Math.round(b.height)} at ${s.scale}x`);
  const one = await onBoard(p, colourCentre(1));
  await p.touchscreen.tap(one.x, one.y);
  await until(p, (row) => Module.qv.state.guesses[row - 1].includes('1'), s.row, 15000);
  check('a tap after turning fills a hole', true);
  await p.close();
});

await step('a screen reader hears the evaluated row, the count and the messages', async () => {
  await key(page, 'F2');
  await until(page, () => Module.qv.state.row === 12 && Module.qv.state.active);
  await key(page, 'Space');
  await until(page, () => Module.qv.state.modal === 1);
  await key(page, 'Enter');
  for (const k of ['1', '2', '3', '4']) await key(page, k);
  await key(page, 'Space');
  await until(page, () => Module.qv.state.row !== 12 || !Module.qv.state.active);
  const heard = await page.evaluate(() => [...document.querySelectorAll('#live p')].map((p) => p.textContent));
  const row = heard.find((t) => t.startsWith('Guess 1: red, yellow, green, blue.'));
  check('the row is read with its colours and pegs', !!row && /red pegs?, \d white pegs?\./.test(row), row || heard.join(' | '));
  check('the refusal was read', heard.some((t) => t === 'You must fill all the spaces before evaluation.'));
  check('the count of possible codes is read when it changes', heard.some((t) => /^\d+ codes? possible\.$/.test(t)),
    heard.slice(-2).join(' | '));
  const labels = await page.evaluate(() => [...document.querySelectorAll('canvas.qv-window')].map((c) => c.getAttribute('aria-label')));
  check('every window canvas has a label', labels.length >= 8 && labels.every((l) => l && l.length > 3), labels.join(' | '));
});

await step('F8 shows the statistics; a won game is counted and stored at once, and shown the same after a reload', async () => {
  await key(page, 'F2');
  await until(page, () => Module.qv.state.row === 12 && Module.qv.state.active);
  await key(page, 'F8');
  await until(page, () => getComputedStyle(document.querySelector('canvas[data-window="8"]')).display !== 'none');
  const before = await page.evaluate(() => localStorage.getItem('QuorVex/game/stats'));
  await winGame(page);
  await key(page, 'Enter');
  await until(page, () => Module.qv.state.modal === 0);
  const stored = await page.evaluate(() => localStorage.getItem('QuorVex/game/stats'));
  check('the won game is stored the moment it ends', !!stored && stored !== before, `${before} -> ${stored}`);
  await sleep(200);
  const shown = await windowPixels(page, 8);
  await page.screenshot({ path: `${out}/page-statistics.png` });
  await page.reload({ waitUntil: 'load' });
  await waitForGame(page);
  if (!(await windowInfo(page, 8)).visible) await key(page, 'F8');
  await until(page, () => getComputedStyle(document.querySelector('canvas[data-window="8"]')).display !== 'none');
  await sleep(200);
  const again = await windowPixels(page, 8);
  const differ = shown.pixels.filter((p, i) => p !== again.pixels[i]).length;
  check('after a reload the statistics window shows the same', shown.width === again.width && differ === 0,
    `${differ} pixels differ`);
  await key(page, 'F8');
});

// ---- a page is not a desktop ------------------------------------------------

// The game as the probe shows it, for comparing one start with the next.
const gameOf = (s) => JSON.stringify([s.row, s.active, s.guesses, s.scores, s.spaces, s.colors, s.doubles]);
async function forgetKept(p) {
  await p.evaluate(() => { for (const k of Object.keys(localStorage)) if (k.startsWith('QuorVex/kept/')) localStorage.removeItem(k); });
}
// A game in progress with a row evaluated and a ball in the next row.
async function gameInProgress(p) {
  do {
    await key(p, 'F3');
    await until(p, () => Module.qv.state.row !== 12 || !Module.qv.state.active);
  } while (!(await state(p)).active);
  const colour = await onBoard(p, colourCentre(2));
  await p.mouse.click(colour.x, colour.y, { button: 'right' });
  await until(p, () => Module.qv.state.guesses[Module.qv.state.row - 1][0] === '2');
  return state(p);
}

await step('a reload and a trip to another page and back continue the game', async () => {
  await forgetKept(page);
  const before = await gameInProgress(page);
  await sleep(1200);
  const seconds = (await state(page)).elapsed;
  await page.reload({ waitUntil: 'load' });
  await waitForGame(page);
  let now = await state(page);
  check('a reload continues the game: rows, pegs, the current row and its ball', gameOf(now) === gameOf(before),
    `row ${now.row}, ${now.guesses[now.row - 1]}`);
  check('the clock goes on from the seconds so far', now.elapsed >= seconds && now.elapsed <= seconds + 2,
    `${seconds} then ${now.elapsed}`);
  await page.goto('about:blank');
  await page.goBack({ waitUntil: 'load' });
  await waitForGame(page);
  now = await state(page);
  check('back from another page, the game goes on', gameOf(now) === gameOf(before), `row ${now.row}`);
  await page.screenshot({ path: `${out}/page-continued.png` });
});

await step('a won game is not continued', async () => {
  await key(page, 'F2');
  await until(page, () => Module.qv.state.row === 12 && Module.qv.state.active);
  await winGame(page);
  await key(page, 'Enter');
  await page.reload({ waitUntil: 'load' });
  await waitForGame(page);
  const now = await state(page);
  check('after a won game a reload starts a new one', now.active && now.row === 12 && now.guesses[11] === '0000',
    `row ${now.row}, ${now.guesses[11]}`);
});

await step('a new tab goes on with a left game that no open tab plays, never one another tab plays', async () => {
  await forgetKept(page);
  const a = await open();
  const gameA = gameOf(await gameInProgress(a));
  const b = await open();
  check('a tab opened beside a playing one starts its own game', gameOf(await state(b)) !== gameA);
  await b.close({ runBeforeUnload: true });
  await a.close({ runBeforeUnload: true });
  await sleep(300);
  const c = await open();
  check('a new tab continues the game of the tab that was closed', gameOf(await state(c)) === gameA);
  const d = await open();
  const gameD = gameOf(await state(d));
  check('a second new tab does not play the same game', gameD !== gameA && (await state(d)).row === 12);
  await d.close();
  await c.close();
});

await step('after Exit the page says so, and one click plays again', async () => {
  await forgetKept(page);
  await gameInProgress(page);
  const exit = await onBoard(page, buttonCentre[7]);
  await page.mouse.click(exit.x, exit.y);
  await until(page, () => !document.getElementById('ended').hidden);
  const words = await page.evaluate(() => document.getElementById('ended').innerText);
  check('the page says the game has ended and offers to play again', /ended/.test(words) && /Play again/.test(words),
    words.replace(/\s+/g, ' '));
  check('no window of the game is left on the page', await page.evaluate(() =>
    [...document.querySelectorAll('canvas.qv-window')].every((c) => getComputedStyle(c).display === 'none')));
  await page.screenshot({ path: `${out}/page-ended.png` });
  await page.click('#again');
  await waitForGame(page);
  const now = await state(page);
  check('the new start plays a new game, not the one given up', now.active && now.row === 12 &&
    now.guesses[11] === '0000', `row ${now.row}`);
});

await step('a failed download says what failed and offers a reload', async () => {
  const wasm = await readFile(`${dir}/quorvex.wasm`);
  const cases = [
    ['quorvex.wasm missing', 'quorvex.wasm', (r) => r.respond({ status: 404, body: 'not found' }), /quorvex\.wasm/],
    ['quorvex.wasm cut short', 'quorvex.wasm', (r) => r.respond({ status: 200, contentType: 'application/wasm',
      body: wasm.subarray(0, 4096) }), /quorvex\.wasm/],
    ['quorvex.js missing', 'quorvex.js', (r) => r.respond({ status: 404, body: 'not found' }), /quorvex\.js/],
    ['no WebAssembly', null, null, /WebAssembly/],
  ];
  for (const [name, file, answer, says] of cases) {
    const p = await browser.newPage();
    if (file) {
      await p.setRequestInterception(true);
      p.on('request', (r) => (new URL(r.url()).pathname.endsWith(`/${file}`) ? answer(r) : r.continue()));
    } else {
      await p.evaluateOnNewDocument(() => { delete window.WebAssembly; });
    }
    await p.goto(`${url}?nosw`, { waitUntil: 'load' });
    await p.waitForFunction(() => !document.getElementById('failed').hidden, { timeout: 10000 }).catch(() => {});
    const shown = await p.evaluate(() => ({ visible: !document.getElementById('failed').hidden,
      text: document.getElementById('failed').innerText, reload: !!document.querySelector('#failed button') }));
    check(`${name}: the page says what failed and offers to try again`, shown.visible && says.test(shown.text) &&
      shown.reload, shown.text.replace(/\s+/g, ' '));
    if (name === 'quorvex.wasm missing') await p.screenshot({ path: `${out}/page-failed.png` });
    await p.close();
  }
});

await step('a store that refuses every write is told once, and the game plays on', async () => {
  const p = await browser.newPage();
  await p.evaluateOnNewDocument(() => {
    Storage.prototype.setItem = function refuse() { throw new DOMException('refused', 'QuotaExceededError'); };
  });
  page.on('dialog', (d) => d.accept());
  await p.goto(`${url}?probe&nosw`, { waitUntil: 'load' });
  await waitForGame(p);
  const notice = await p.evaluate(() => ({ visible: !document.getElementById('storage-notice').hidden,
    text: document.getElementById('storage-notice').innerText }));
  check('the page says options and records last only while it is open', notice.visible &&
    /only as long as this page is open/.test(notice.text), notice.text.replace(/\s+/g, ' '));
  await winGame(p);
  await key(p, 'Enter');
  check('the game plays on: a game was won', !(await state(p)).active);
  await p.screenshot({ path: `${out}/page-storage-refused.png` });
  await p.close();
});

await step('every window stays within reach of a small page', async () => {
  const small = await open({ width: 480, height: 360 });
  await mouseDrag(small, { x: 150, y: 8 }, { x: -400, y: -400 });
  await sleep(100);
  let board = await windowInfo(small, 1);
  check('the board dragged towards the top left stays wholly on the page', board.left >= -0.5 && board.top >= -0.5 &&
    board.left + board.width <= 480.5 && board.top + board.height <= 360.5, `${board.left}, ${board.top}`);
  await small.screenshot({ path: `${out}/page-small-dragged.png` });
  // A place stored in a larger window.
  await small.evaluate(() => {
    localStorage.setItem('QuorVex/windows/mainleft', '1500');
    localStorage.setItem('QuorVex/windows/maintop', '900');
    localStorage.setItem('QuorVex/windows/timerleft', '2000');
    localStorage.setItem('QuorVex/windows/timertop', '-300');
    localStorage.setItem('QuorVex/game/viewtimer', '1');
  });
  await small.setViewport({ width: 800, height: 600 });
  await small.evaluate(() => { document.dispatchEvent(new Event('visibilitychange')); });
  await small.reload({ waitUntil: 'load' });
  await waitForGame(small);
  await sleep(100);
  const within = (w, width, height) => w.left >= 0 && w.top >= 0 && w.left + w.width <= width + 0.5 &&
    w.top + w.height <= height + 0.5;
  board = await windowInfo(small, 1);
  const timer = await windowInfo(small, 4);
  check('a stored place outside a smaller page opens within it', within(board, 800, 600) && timer.visible &&
    within(timer, 800, 600), `board ${board.left}, ${board.top}; timer ${timer.left}, ${timer.top}`);
  // Shrinking the page brings the windows back.
  await key(small, 'F12');
  await small.setViewport({ width: 560, height: 440 });
  await sleep(300);
  const shown = [];
  for (const n of [1, 4, 5]) shown.push(await windowInfo(small, n));
  check('a page made smaller brings every window back within it', shown.every((w) => within(w, 560, 440)),
    shown.map((w) => `${Math.round(w.left)},${Math.round(w.top)}`).join(' '));
  await small.screenshot({ path: `${out}/page-shrunk.png` });
  await small.close();
});

await step("the mouse's back button over the board does not leave the page", async () => {
  const p = await open();
  const at = p.url();
  const board = await onBoard(p, { x: 150, y: 300 });
  await p.mouse.move(board.x, board.y);
  await p.mouse.down({ button: 'back' });
  await p.mouse.up({ button: 'back' });
  await sleep(500);
  check('the page is still the game', p.url() === at && (await state(p).catch(() => null)) !== null, p.url());
  await p.close();
});

await step('installed and offline: the manifest, the offline copy, a new build replacing it whole', async () => {
  // A copy of the build of its own, to put a new build in its place.
  const copy = mkdtempSync(join(tmpdir(), 'quorvex-web-'));
  cpSync(dir, copy, { recursive: true });
  const site = await serve(copy);
  const device = await browser.createBrowserContext();
  const p = await device.newPage();
  p.on('pageerror', (e) => errors.push(e.message));
  await p.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await p.goto(`${site.url}?probe`, { waitUntil: 'load' });
  await waitForGame(p);
  const manifest = await p.evaluate(async () => {
    const link = document.querySelector('link[rel="manifest"]');
    return { title: document.title, m: await (await fetch(link.href)).json() };
  });
  const m = manifest.m;
  check('the manifest names the game, stands alone and has its icons, a maskable one among them',
    manifest.title === 'QuorVex' && m.name === 'QuorVex' && m.short_name === 'QuorVex' && m.display === 'standalone' &&
    m.icons.some((i) => i.sizes === '192x192') && m.icons.some((i) => i.sizes === '512x512' && i.purpose === 'maskable') &&
    /^#[0-9a-f]{6}$/i.test(m.theme_color) && /^#[0-9a-f]{6}$/i.test(m.background_color), JSON.stringify(m).slice(0, 120));
  const cached = async () => p.evaluate(async () => {
    const out = {};
    for (const name of await caches.keys()) out[name] = (await (await caches.open(name)).keys()).map((r) => new URL(r.url).pathname);
    return out;
  });
  await p.waitForFunction(async () => {
    for (const name of await caches.keys()) {
      const keys = (await (await caches.open(name)).keys()).map((r) => r.url);
      if (keys.some((u) => u.endsWith('/quorvex.wasm')) && keys.some((u) => u.endsWith('/quorvex-2x-main.pack'))) return true;
    }
    return false;
  }, { timeout: 15000, polling: 200 });
  const first = await cached();
  check('the service worker keeps the page, the program, the help and the pack this device uses',
    Object.keys(first).length === 1, Object.keys(first).join(', '));
  await p.waitForFunction(() => !!navigator.serviceWorker.controller, { timeout: 10000 });
  // No network: a reload starts and plays.
  const said = [];
  p.on('console', (m) => said.push(m.text()));
  await p.setOfflineMode(true);
  await p.reload({ waitUntil: 'load' });
  await waitForGame(p).catch((err) => { throw new Error(`offline start: ${said.join(' | ')} ${err.message}`); });
  await key(p, 'F3');
  await until(p, () => Module.qv.state.row !== 12 || !Module.qv.state.active);
  check('with the network gone the game starts and plays', (await state(p)).scale === 2);
  await p.screenshot({ path: `${out}/page-offline.png` });
  await p.setOfflineMode(false);
  // A new build: another version of the worker, the page and the program.
  const sw = readFileSync(`${copy}/sw.js`, 'utf8');
  writeFileSync(`${copy}/sw.js`, sw.replace(/const VERSION = '[^']*'/, "const VERSION = 'new-build'"));
  writeFileSync(`${copy}/index.html`, readFileSync(`${copy}/index.html`, 'utf8').replace('<head>', '<head>\n<meta name="build" content="new">'));
  writeFileSync(`${copy}/quorvex.js`, `${readFileSync(`${copy}/quorvex.js`, 'utf8')}\nModule.qvBuild = 'new';\n`);
  await p.reload({ waitUntil: 'load' });
  await p.waitForFunction(async () => (await caches.keys()).join() === 'quorvex-new-build', { timeout: 15000, polling: 200 });
  await p.reload({ waitUntil: 'load' });
  await waitForGame(p);
  const build = await p.evaluate(() => [document.querySelector('meta[name="build"]')?.content, Module.qvBuild]);
  const after = await cached();
  check('the next visit is the new build whole: its page with its program, the old copy gone',
    build[0] === 'new' && build[1] === 'new' && Object.keys(after).join() === 'quorvex-new-build' &&
    after['quorvex-new-build'].includes('/quorvex-2x-main.pack'), `${build.join('/')}; ${Object.keys(after).join()}`);
  await device.close();
  site.server.close();
  rmSync(copy, { recursive: true, force: true });
});

check('no script error on any page', errors.length === 0, errors.join('; '));
await page.close();
await browser.close();
server.close();
console.log(`web tests: ${passes} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
