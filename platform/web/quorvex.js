// The page side of the browser backend (WebPlatform.cpp): the windows as
// canvases, the queue the DOM listeners fill, the wait the program sleeps
// in, localStorage and the small services. Listeners only queue; the
// program reads the queue from its own loop.
Module.qv = (() => {
  const qv = {};
  // Events are queued as objects of named fields ({ kind: 'down', window,
  // x, y, ... }); the program says at its start where each field goes in
  // its event record and what number each kind has (describeEvents).
  const queue = [];
  let layout = null, keyNames = 0, keyNameSize = 0;
  let waiter = null, waitTimer = null;
  const windows = new Map();
  let ratio = 1;  // screen pixels per CSS pixel (PageFit.h)
  let topZ = 1;
  const cursors = new Map();
  let isEnded = false;

  // ---- the queue and the wait ------------------------------------------------
  function wake() {
    if (waitTimer !== null) { clearTimeout(waitTimer); waitTimer = null; }
    const w = waiter;
    waiter = null;
    if (w) w();
  }
  function push(event) {
    // A move replaces a move of the same window still waiting: the program
    // needs where the pointer is, not every place it passed.
    const last = queue[queue.length - 1];
    if (event.kind === 'move' && last && last.kind === 'move' && last.window === event.window) queue[queue.length - 1] = event;
    else queue.push(event);
    wake();
  }
  qv.waits = 0;  // times the program went to sleep: the idle bench counts them
  qv.wait = (timeoutMs) => {
    qv.waits++;
    if (queue.length) return Promise.resolve();
    return new Promise((resolve) => {
      waiter = resolve;
      if (timeoutMs >= 0) waitTimer = setTimeout(wake, timeoutMs);
    });
  };
  qv.describeEvents = (described, names, size) => {
    layout = described;
    keyNames = names;
    keyNameSize = size;
  };
  qv.nextEvent = (out) => {
    const event = queue.shift();
    if (!event) return 0;
    HEAPU8.fill(0, out, out + layout.size);
    // (Plain loops: the build's optimiser reads no destructuring.)
    for (const name of Object.keys(layout.fields)) {
      const value = name === 'kind' ? layout.kinds[event.kind] : event[name];
      HEAP32[(out + layout.fields[name]) >> 2] = value | 0;  // a switch as 1 or 0
    }
    return 1;
  };

  // ---- the screen ------------------------------------------------------------
  // A phone or tablet: the board fills the page.
  const touchScreen = () => matchMedia('(pointer: coarse)').matches;
  qv.pageView = (out) => {
    const page = document.documentElement;
    HEAPF64[(out >> 3) + 0] = window.devicePixelRatio || 1;
    HEAPF64[(out >> 3) + 1] = page.clientWidth;
    HEAPF64[(out >> 3) + 2] = page.clientHeight;
    HEAPF64[(out >> 3) + 3] = touchScreen() ? 1 : 0;
  };
  qv.setRatio = (r) => { ratio = r; for (const id of windows.keys()) placeCanvas(id); };
  qv.screenWidth = () => Math.floor(document.documentElement.clientWidth * ratio);
  qv.screenHeight = () => Math.floor(document.documentElement.clientHeight * ratio);
  // A zoom or a move to a screen of another density changes the ratio.
  function watchScale() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => {
      push({ kind: 'scale' });
      watchScale();
    }, { once: true });
  }
  watchScale();

  // ---- windows ---------------------------------------------------------------
  // A finger covers what it carries: once it has moved, the carried ball
  // is shown LIFT CSS pixels above it, and lands there.
  const LIFT = 56, SLOP = 8;
  const carry = { ghost: null, fromX: 0, fromY: 0, lifted: false };
  function pointEvent(kind, id, e, button) {
    const w = windows.get(id);
    const finger = e.pointerType === 'touch';
    let x = e.clientX, y = e.clientY;
    if (finger && carry.ghost) {
      if (!carry.lifted && Math.hypot(x - carry.fromX, y - carry.fromY) > SLOP) carry.lifted = true;
      if (carry.lifted) y -= LIFT;
      placeGhost(x, y);
    }
    const sx = Math.floor(x * ratio), sy = Math.floor(y * ratio);
    return { kind, window: id, x: sx - w.left, y: sy - w.top, button, screenX: sx, screenY: sy, finger,
      shift: e.shiftKey, ctrl: e.ctrlKey, alt: e.altKey };
  }
  function placeGhost(x, y) {
    const g = carry.ghost;
    if (!g) return;
    g.style.left = `${x - g.width / ratio / 2}px`;
    g.style.top = `${y - g.height / ratio / 2}px`;
    g.style.display = carry.lifted ? 'block' : 'none';
  }
  // The game carries the ball drawn at (x, y, width, height) of window id.
  qv.carryStarted = (id, x, y, width, height) => {
    qv.carryEnded();
    const w = windows.get(id);
    if (!w || w.pointerType !== 'touch') return;
    const g = document.createElement('canvas');
    g.className = 'qv-carried';
    g.width = width;
    g.height = height;
    g.style.width = `${width / ratio}px`;
    g.style.height = `${height / ratio}px`;
    g.getContext('2d').drawImage(w.canvas, x, y, width, height, 0, 0, width, height);
    document.getElementById('desktop').appendChild(g);
    carry.ghost = g;
    carry.fromX = w.pressX;
    carry.fromY = w.pressY;
    carry.lifted = false;
  };
  qv.carryEnded = () => {
    if (carry.ghost) carry.ghost.remove();
    carry.ghost = null;
    carry.lifted = false;
  };
  function buttonOf(e) { return e.pointerType === 'mouse' ? e.button : 0; }  // a finger or a pen is the left button

  qv.openWindow = (id) => {
    const canvas = document.createElement('canvas');
    canvas.className = 'qv-window';
    canvas.dataset.window = id;
    canvas.width = 1;
    canvas.height = 1;
    const w = { canvas, ctx: canvas.getContext('2d'), left: 0, top: 0, width: 0, height: 0, pointer: null };
    windows.set(id, w);
    canvas.addEventListener('pointerdown', (e) => {
      e.preventDefault();  // no selection, no emulated mouse events, no focus change
      if (!e.isPrimary || e.button > 2) return;
      // The pressed window keeps the pointer until the release, as a
      // desktop's implicit grab does; the program's own capture goes on top.
      try { canvas.setPointerCapture(e.pointerId); } catch (err) { /* the pointer is gone already */ }
      w.pointer = e.pointerId;
      w.pointerType = e.pointerType;
      w.pressX = e.clientX;
      w.pressY = e.clientY;
      qv.inputAt = e.timeStamp;
      push(pointEvent('down', id, e, buttonOf(e)));
    });
    canvas.addEventListener('pointermove', (e) => {
      if (!e.isPrimary) return;
      push(pointEvent('move', id, e, 0));
    });
    canvas.addEventListener('pointerup', (e) => {
      if (e.button === 3 || e.button === 4) e.preventDefault();
      if (!e.isPrimary || e.button > 2) return;
      if (w.pointer === e.pointerId) w.pointer = null;
      qv.inputAt = e.timeStamp;
      push(pointEvent('up', id, e, buttonOf(e)));
    });
    canvas.addEventListener('pointercancel', (e) => {
      if (!e.isPrimary) return;
      w.pointer = null;
      push({ kind: 'captureLost', window: id });
    });
    canvas.addEventListener('pointerleave', (e) => {
      if (e.isPrimary) push({ kind: 'leave', window: id });
    });
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    // The mouse's back and forward buttons over a window of the game are
    // not the browser's: the game stays on the page.
    for (const kind of ['mousedown', 'mouseup', 'auxclick']) {
      canvas.addEventListener(kind, (e) => { if (e.button === 3 || e.button === 4) e.preventDefault(); });
    }
    document.getElementById('desktop').appendChild(canvas);
  };
  qv.closeWindow = (id) => {
    const w = windows.get(id);
    if (!w) return;
    w.canvas.remove();
    windows.delete(id);
  };
  // The backing store is laid out one CSS pixel a pixel and scaled down by
  // the ratio, so its shape (in its own pixels) and its hit testing scale
  // with it. Pixels that are not one device pixel each are resampled
  // smoothly.
  function placeCanvas(id) {
    const w = windows.get(id);
    const s = w.canvas.style;
    s.left = `${w.left / ratio}px`;
    s.top = `${w.top / ratio}px`;
    s.width = `${Math.max(w.width, 1)}px`;
    s.height = `${Math.max(w.height, 1)}px`;
    s.transform = ratio === 1 ? '' : `scale(${1 / ratio})`;
    s.imageRendering = Math.abs((window.devicePixelRatio || 1) - ratio) < 1e-6 ? 'pixelated' : 'auto';
  }
  qv.layoutWindow = (id, left, top, width, height) => {
    const w = windows.get(id);
    w.left = left; w.top = top; w.width = width; w.height = height;
    // A new size empties the backing store: the program presents again.
    if (w.canvas.width !== Math.max(width, 1)) w.canvas.width = Math.max(width, 1);
    if (w.canvas.height !== Math.max(height, 1)) w.canvas.height = Math.max(height, 1);
    placeCanvas(id);
  };
  qv.titleWindow = (id, title) => { qv.labelWindow(id, title); };
  qv.labelWindow = (id, label) => {
    const c = windows.get(id).canvas;
    c.setAttribute('role', 'img');
    c.setAttribute('aria-label', label);
  };
  // What the windows show, in words, for a screen reader: the newest few
  // lines of a polite live region.
  qv.announce = (words) => {
    const live = document.getElementById('live');
    if (!live) return;
    const line = document.createElement('p');
    line.textContent = words;
    live.appendChild(line);
    while (live.childElementCount > 12) live.firstElementChild.remove();
  };
  qv.showWindow = (id, visible) => { windows.get(id).canvas.style.display = visible ? 'block' : 'none'; };
  // The side windows stand above the board, as windows it owns do on the
  // desktops: raising the board keeps it below them.
  qv.raiseWindow = (id) => { windows.get(id).canvas.style.zIndex = id === 1 ? '1' : String(++topZ); };
  qv.shapeWindow = (id, css) => { windows.get(id).canvas.style.clipPath = css; };
  qv.present = (id, rgba, x, y, width, height) => {
    const w = windows.get(id);
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    w.ctx.putImageData(new ImageData(pixels, width, height), x, y);
    const now = performance.now();
    if (qv.inputAt !== null && qv.inputAt !== undefined) {
      qv.inputToPresent.push(now - qv.inputAt);
      qv.inputAt = null;
    }
    if (id === 1 && qv.firstFrame === null) {
      qv.firstFrame = now;
      performance.mark('quorvex-first-frame');
    }
  };
  qv.firstFrame = null;
  qv.inputAt = null;
  qv.inputToPresent = [];
  qv.grab = (id) => {
    const w = windows.get(id);
    if (w.pointer !== null) {
      try { w.canvas.setPointerCapture(w.pointer); } catch (err) { return false; }
    }
    return true;
  };
  qv.ungrab = (id) => {
    const w = windows.get(id);
    if (w && w.pointer !== null && w.canvas.hasPointerCapture(w.pointer)) w.canvas.releasePointerCapture(w.pointer);
  };

  // The long-press menu and text selection stay out of a game played by finger.
  document.addEventListener('contextmenu', (e) => {
    if (!(e.target instanceof Element) || !e.target.closest('a, button')) e.preventDefault();
  });

  // ---- cursor ----------------------------------------------------------------
  qv.defineCursor = (kind, rgba, width, height, hotX, hotY) => {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4).slice();
    canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
    const url = canvas.toDataURL('image/png');
    // The picture is in device pixels; the page lays cursors out in CSS pixels.
    cursors.set(kind, `image-set(url("${url}") ${ratio}x) ${Math.round(hotX / ratio)} ${Math.round(hotY / ratio)}, grabbing`);
  };
  qv.setCursor = (kind) => {
    document.documentElement.style.cursor = kind === 0 ? '' : (cursors.get(kind) || 'grabbing');
  };

  // ---- keys ------------------------------------------------------------------
  // The program maps the key (WebKeys.h) and says whether the game takes it,
  // at once: only then may the listener keep the browser from acting on it.
  const encoder = new TextEncoder();
  function writeName(text, at) {
    const room = HEAPU8.subarray(at, at + keyNameSize - 1);
    const written = encoder.encodeInto(text || '', room).written;
    HEAPU8[at + written] = 0;
  }
  window.addEventListener('keydown', (e) => {
    if (e.isComposing || isEnded || !layout) return;
    writeName(e.code, keyNames);
    writeName(e.key, keyNames + keyNameSize);
    const answer = _qv_web_key(e.ctrlKey ? 1 : 0, e.altKey ? 1 : 0, e.metaKey ? 1 : 0);
    const key = answer & 0xFFFF;
    if (!key) return;
    if (answer & 0x10000) e.preventDefault();
    qv.inputAt = e.timeStamp;
    push({ kind: 'key', key, repeat: e.repeat, shift: e.shiftKey, ctrl: e.ctrlKey, alt: e.altKey });
  });

  // ---- the page's life -------------------------------------------------------
  // A page may be thrown away without another word once it is hidden or
  // left (a reload, another page, a phone reclaiming memory): both store
  // everything and keep the game in progress, and the program runs on,
  // since the browser may bring the page back as it was.
  let leaving = false;  // the page is being left: nothing may wait any more
  window.addEventListener('pagehide', () => {
    leaving = true;
    push({ kind: 'hidden' });
  });
  window.addEventListener('pageshow', () => { leaving = false; });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') push({ kind: 'hidden' });
  });
  // A smaller page (a window made smaller, a phone turned) brings the
  // windows back within it.
  window.addEventListener('resize', () => push({ kind: 'resize' }));
  // The exit command ended the program: a page cannot close itself, so it
  // says so and offers a fresh start, as starting the program would.
  qv.ended = () => {
    isEnded = true;
    document.documentElement.dataset.ended = '1';
    for (const w of windows.values()) w.canvas.style.display = 'none';
    const page = window.QuorVexPage;
    if (page) page.ended();
  };

  // ---- the game kept across starts -------------------------------------------
  // Each tab plays under an id kept in its session storage, which a reload
  // or a trip back to the page keeps, and holds a Web Lock of that id while
  // it is open. The game it leaves is kept under the same id. A tab with no
  // game of its own takes over the most recently left game of a tab that is
  // gone: the lock of that id, granted to one tab only, decides, so two tabs
  // never play the same game.
  // The two names are the program's (StorageKeys.h), handed over by takeKeptGame.
  let KEPT = null, TAB = null;
  const MAX_KEPT = 6;
  let tabId = null;
  function newTabId() {
    return (crypto.randomUUID ? crypto.randomUUID() : `${Date.now()}-${Math.random()}`).replace(/[^0-9a-z-]/gi, '');
  }
  // Holds the lock `name` for as long as the page lives, if no one else
  // holds it: true when it is ours.
  function holdLock(name) {
    if (!navigator.locks) return Promise.resolve(true);
    return new Promise((granted) => {
      navigator.locks.request(name, { ifAvailable: true }, (lock) => {
        granted(!!lock);
        return lock ? new Promise(() => {}) : undefined;
      }).catch(() => granted(false));
    });
  }
  function keptGames() {
    const games = [];
    try {
      for (let i = 0; i < localStorage.length; i++) {
        const key = localStorage.key(i);
        if (!key || !key.startsWith(KEPT)) continue;
        const value = localStorage.getItem(key) || '';
        const cut = value.indexOf('|');
        games.push({ id: key.slice(KEPT.length), at: Number(value.slice(0, cut)) || 0, text: value.slice(cut + 1) });
      }
    } catch (err) { /* no storage: nothing kept */ }
    return games.sort((a, b) => b.at - a.at);
  }
  qv.takeKeptGame = async (keptPrefix, tabKey) => {
    KEPT = keptPrefix;
    TAB = tabKey;
    let own = null;
    try { own = sessionStorage.getItem(TAB); } catch (err) { /* no session storage */ }
    const games = keptGames();
    let text = '';
    if (own && await holdLock(`QuorVex/tab/${own}`)) {
      tabId = own;
      const mine = games.find((g) => g.id === own);
      if (mine) text = mine.text;
    }
    // Without locks there is no telling whether another tab plays a game:
    // only a tab's own game goes on.
    if (!text && navigator.locks) {
      for (const g of games) {
        if (g.id === tabId || !(await holdLock(`QuorVex/tab/${g.id}`))) continue;
        tabId = g.id;  // the lock of our former id goes with this page
        text = g.text;
        break;
      }
    }
    if (!tabId) {
      tabId = newTabId();
      await holdLock(`QuorVex/tab/${tabId}`);
    }
    try { sessionStorage.setItem(TAB, tabId); } catch (err) { /* kept for this page only */ }
    qv.tabId = tabId;
    return text;
  };
  qv.keepGame = (text) => {
    if (!tabId) return;
    try {
      if (!text) { localStorage.removeItem(KEPT + tabId); return; }
      localStorage.setItem(KEPT + tabId, `${Date.now()}|${text}`);
      // Games of tabs long gone make room, oldest first.
      for (const g of keptGames().slice(MAX_KEPT)) localStorage.removeItem(KEPT + g.id);
    } catch (err) {
      storageRefused();
    }
  };

  // ---- services --------------------------------------------------------------
  qv.alert = (text) => window.alert(text);
  qv.openHelp = (name) => {
    const tab = window.open(new URL(name, document.baseURI).href, '_blank');
    if (tab) try { tab.opener = null; } catch (err) { /* another origin */ }
    return !!tab;
  };
  qv.fetchInto = async (name, out) => {
    try {
      const response = await fetch(new URL(name, document.baseURI).href);
      if (!response.ok) return -1;
      const bytes = new Uint8Array(await response.arrayBuffer());
      if (window.QuorVexPage && window.QuorVexPage.fetched) window.QuorVexPage.fetched(name);
      const p = _malloc(Math.max(bytes.length, 1));
      HEAPU8.set(bytes, p);  // HEAPU8 afresh: malloc may have grown the memory
      HEAP32[out >> 2] = p;
      return bytes.length;
    } catch (err) {
      return -1;
    }
  };
  // Storage may be switched off or full (a private window, a blocked
  // site, the quota): reads then find nothing and writes are refused, and
  // the game runs on its defaults. The page says so once.
  let storageWarned = false;
  function storageRefused() {
    if (storageWarned) return;
    storageWarned = true;
    const page = window.QuorVexPage;
    if (page) page.notice('storage');
  }
  qv.storeGet = (key) => { try { return window.localStorage.getItem(key); } catch (err) { return null; } };
  qv.storeSet = (key, value) => {
    try { window.localStorage.setItem(key, value); return true; } catch (err) { storageRefused(); return false; }
  };
  qv.storeRemove = (key) => { try { window.localStorage.removeItem(key); } catch (err) { /* nothing stored */ } };
  try {
    localStorage.setItem('QuorVex/probe', '1');
    localStorage.removeItem('QuorVex/probe');
  } catch (err) {
    storageRefused();
  }
  // Tabs share one storage with no file lock, and each tab's view of it may
  // lag a moment behind another's write. A read-merge-write of the records
  // therefore holds a Web Lock, and keeps it a moment after writing, so the
  // next tab to take it reads what was written. A hidden page may be about
  // to go, and a page being left is going: neither can wait, so both write
  // at once (and a save writes the records only when it has something of
  // its own to add).
  let storeRelease = null;
  qv.storeLock = () => {
    if (!navigator.locks || leaving || document.visibilityState !== 'visible' || storeRelease) return Promise.resolve(0);
    return new Promise((done) => {
      let answered = false;
      const giveUp = setTimeout(() => { answered = true; done(0); }, 2000);  // a lock never granted: write anyway
      navigator.locks.request('QuorVex/store', () => new Promise((release) => {
        if (answered) { release(); return; }
        answered = true;
        clearTimeout(giveUp);
        storeRelease = release;
        done(1);
      })).catch(() => { if (!answered) { answered = true; clearTimeout(giveUp); done(0); } });
    });
  };
  qv.storeUnlock = () => {
    const release = storeRelease;
    storeRelease = null;
    if (release) setTimeout(release, 150);
  };

  // ---- test pages --------------------------------------------------------------
  qv.probing = new URLSearchParams(location.search).has('probe');
  qv.probe = (json) => { qv.state = JSON.parse(json); };
  return qv;
})();
