// Playing the page the way a player does: the board's targets in page
// coordinates, drags with the mouse or a finger, and a whole game won by
// guessing only codes consistent with every answer so far (the pegs read
// back from the game). The steps take a page and plain numbers, so a
// shared scenario can call them as it calls the desktop drivers.
import { windowInfo, state } from './lib.mjs';

export const colourCentre = (c) => ({ x: 28, y: 32 * c + 28 });
export const holeCentre = (p, r) => ({ x: 32 * p + 44, y: 32 * r - 4 });
export const buttonCentre = [[408, 294], [408, 208], [468, 234], [494, 294], [468, 354], [408, 380], [348, 354],
  [322, 294], [300, 208], [332, 208]].map(([x, y]) => ({ x, y }));

// A board point (the game's own pixels) on the page, in CSS pixels.
export async function onBoard(page, point) {
  const w = await windowInfo(page, 1);
  const cssPerPixel = w.width / 528;
  return { x: w.left + point.x * cssPerPixel, y: w.top + point.y * cssPerPixel };
}

export async function until(page, predicate, arg, timeout = 5000) {
  await page.waitForFunction(predicate, { timeout, polling: 20 }, arg);
}

export async function mouseDrag(page, from, to) {
  const a = await onBoard(page, from), b = await onBoard(page, to);
  await page.mouse.move(a.x, a.y);
  await page.mouse.down();
  await page.mouse.move((a.x + b.x) / 2, (a.y + b.y) / 2, { steps: 4 });
  await page.mouse.move(b.x, b.y, { steps: 4 });
  await page.mouse.up();
}

export async function key(page, name) { await page.keyboard.press(name); }

function score(guess, secret) {
  let red = 0, white = 0;
  const g = {}, s = {};
  for (let i = 0; i < guess.length; i++) {
    if (guess[i] === secret[i]) red++;
    else { g[guess[i]] = (g[guess[i]] || 0) + 1; s[secret[i]] = (s[secret[i]] || 0) + 1; }
  }
  for (const c in g) white += Math.min(g[c], s[c] || 0);
  return [red, white];
}

function allCodes(spaces, colors, doubles) {
  const out = [];
  const walk = (prefix) => {
    if (prefix.length === spaces) { out.push(prefix); return; }
    for (let c = 1; c <= colors; c++) if (doubles || !prefix.includes(c)) walk([...prefix, c]);
  };
  walk([]);
  return out;
}

// Wins the game in progress: each row gets the first code consistent with
// every evaluated row, put in with right clicks on the colours (the quick
// fill), and Space evaluates it. Returns the rows used.
export async function winGame(page) {
  let s = await state(page);
  const candidates = allCodes(s.spaces, s.colors, s.doubles);
  for (let guard = 0; guard < 12 && s.active; guard++) {
    const known = [];
    for (let r = 12; r > s.row; r--) {
      known.push({ code: [...s.guesses[r - 1]].map(Number), answer: s.scores[r - 1] });
    }
    const next = candidates.find((c) => known.every((k) => {
      const [red, white] = score(c, k.code);
      return red === k.answer[0] && white === k.answer[1];
    }));
    if (!next) throw new Error('no code fits the answers: the pegs read back are wrong');
    const row = s.row;
    for (const c of next) {
      const p = await onBoard(page, colourCentre(c));
      await page.mouse.click(p.x, p.y, { button: 'right' });
    }
    await until(page, ([row, want]) => Module.qv.state.guesses[row - 1] === want, [row, next.join('')]);
    await key(page, 'Space');
    await until(page, (row) => Module.qv.state.row !== row || !Module.qv.state.active, row);
    s = await state(page);
  }
  if (s.active) throw new Error('the game was not won in twelve rows');
  return 12 - s.row + 1;
}
