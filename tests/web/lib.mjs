// Shared by the browser tests and the budget bench: Debian's Chromium
// started headless through puppeteer-core (which never downloads a browser
// of its own), the page served from build-web/web, and a few helpers.
import puppeteer from 'puppeteer-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { startServer } from './serve.mjs';

export const chromiumPath = process.env.QUORVEX_CHROMIUM || '/usr/bin/chromium';

export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'quorvex-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => { await close(); rmSync(profile, { recursive: true, force: true }); };
  return browser;
}

export async function serve(dir) {
  const server = await startServer(dir, 0);
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

export const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

// Waits until the page's probe says the game has started (a current row).
export async function waitForGame(page) {
  await page.waitForFunction(() => Module.qv && Module.qv.state && Module.qv.state.row > 0, { timeout: 15000 });
}

export async function state(page) { return page.evaluate(() => Module.qv.state); }

// The canvas of window n (1 board, 2 about, 3 options, 4 timer, 5 combs,
// 6 message, 7 high): its place on the page in CSS pixels, its backing
// store size and whether it shows.
export async function windowInfo(page, n) {
  return page.evaluate((n) => {
    const c = document.querySelector(`canvas[data-window="${n}"]`);
    const r = c.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, backingWidth: c.width,
      backingHeight: c.height, visible: getComputedStyle(c).display !== 'none', clip: c.style.clipPath,
      z: Number(c.style.zIndex || 0) };
  }, n);
}

// The pixels of window n's backing store as 0xRRGGBB numbers, row by row.
export async function windowPixels(page, n) {
  return page.evaluate((n) => {
    const c = document.querySelector(`canvas[data-window="${n}"]`);
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const out = new Array(c.width * c.height);
    for (let i = 0; i < out.length; i++) out[i] = (d[i * 4] << 16) | (d[i * 4 + 1] << 8) | d[i * 4 + 2];
    return { width: c.width, height: c.height, pixels: out };
  }, n);
}
