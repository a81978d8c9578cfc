// The browser budgets, measured in one run on headless Chromium, for a
// desktop at 1x and a phone at density 3:
//   - navigation to the board's first frame, from the browser's cache
//     (the later visits), against 300 ms;
//   - what a first visit downloads (code and page gzipped as the server
//     sends them, packs as they are), against 3 MB;
//   - a click to its drawn result: from the pointer event's time stamp to
//     the canvas being written (the median and worst of 20 right clicks that
//     each put a ball into the row), against one 60 Hz frame, 16 ms;
//   - CPU while idle: the page's script and task time over 5 s with the
//     game over (no clock running), and with the game's 1 s clock running.
// Usage: node bench/web-budgets.mjs [BUILD_WEB_DIR]   (run from the repository)
import { launch, serve, waitForGame, sleep } from '../tests/web/lib.mjs';
import { onBoard, colourCentre } from '../tests/web/play.mjs';

const dir = process.argv[2] || 'build-web/web';
const { server, url } = await serve(dir);
const browser = await launch();

// What a first visit downloads (every body the server sent, the service
// worker's own fetches included, once the page has settled), and the first
// frame of later visits, from the browser's cache and the offline copy.
async function visits(viewport) {
  const device = await browser.createBrowserContext();
  const p = await device.newPage();
  await p.setViewport(viewport);
  server.bytesSent = 0;
  await p.goto(`${url}?probe`, { waitUntil: 'networkidle0' });
  await waitForGame(p);
  await p.evaluate(() => navigator.serviceWorker.ready);
  await sleep(2000);
  const weight = server.bytesSent;
  const frames = [];
  for (let i = 0; i < 5; i++) {
    await p.goto(`${url}?probe`, { waitUntil: 'load' });
    await waitForGame(p);
    frames.push(await p.evaluate(() => Module.qv.firstFrame));
  }
  frames.sort((a, b) => a - b);
  await device.close();
  return { weight, frames };
}
const desktop = await visits({ width: 1280, height: 900, deviceScaleFactor: 1 });
const phone = await visits({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });

const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1 });
const cdp = await page.createCDPSession();
await page.goto(`${url}?probe&nosw`, { waitUntil: 'load' });
await waitForGame(page);

// Clicks: a right click on a colour fills the next hole; twenty of them,
// a new game (F2) whenever the row is full.
await page.evaluate(() => { Module.qv.inputToPresent = []; });
const latencies = [];
for (let i = 0; i < 20; i++) {
  if (i % 4 === 0) { await page.keyboard.press('F2'); await sleep(50); }
  await page.evaluate(() => { Module.qv.inputToPresent = []; });
  const p = await onBoard(page, colourCentre(1 + (i % 4)));
  await page.mouse.click(p.x, p.y, { button: 'right' });
  await page.waitForFunction(() => Module.qv.inputToPresent.length > 0, { timeout: 2000 });
  latencies.push(...await page.evaluate(() => Module.qv.inputToPresent.slice(0, 1)));
}
latencies.sort((a, b) => a - b);

async function busyOver(ms) {
  const metric = async () => {
    const { metrics } = await cdp.send('Performance.getMetrics');
    const get = (n) => metrics.find((m) => m.name === n).value;
    return get('TaskDuration');
  };
  await cdp.send('Performance.enable');
  await sleep(300);
  const before = await metric(), wakes = await page.evaluate(() => Module.qv.waits);
  await sleep(ms);
  const busy = (await metric()) - before;
  return { busy, wakes: (await page.evaluate(() => Module.qv.waits)) - wakes };
}
// The game's clock runs while a game is in play: one tick a second.
const ticking = await busyOver(5000);
// Game over: lose it quickly is long; the hidden page stops nothing, so
// the clock is stopped the honest way, by winning.
const { winGame } = await import('../tests/web/play.mjs');
await page.keyboard.press('F2');
await sleep(100);
await winGame(page);
await page.keyboard.press('Enter');
await sleep(300);
const idle = await busyOver(5000);

const mb = (n) => (n / 1e6).toFixed(2);
const median = (a) => a[Math.floor(a.length / 2)];
for (const [who, v] of [['a desktop at 1x', desktop], ['a phone at density 3 (390 x 844)', phone]]) {
  console.log(`first visit for ${who}: ${mb(v.weight)} MB sent (code and page gzipped, packs as they are); budget 3 MB`);
  console.log(`first frame for ${who}, from the cache: median ${median(v.frames).toFixed(0)} ms of 5 (best ${v.frames[0].toFixed(0)}, worst ${v.frames[4].toFixed(0)}); budget 300 ms`);
}
console.log(`click to drawn: median ${median(latencies).toFixed(1)} ms, worst ${latencies[latencies.length - 1].toFixed(1)} ms of 20; budget 16 ms`);
console.log(`CPU while idle, game over: the program woke ${idle.wakes} times in 5 s; the page's task time ${(idle.busy * 1000).toFixed(1)} ms (the measuring included)`);
console.log(`CPU with the game's clock running: woke ${ticking.wakes} times in 5 s; task time ${(ticking.busy * 1000).toFixed(1)} ms`);
await browser.close();
server.close();
