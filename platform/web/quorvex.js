// The page side of the browser backend (WebPlatform.cpp): the windows as
// canvases, the queue the DOM listeners fill, the wait the program sleeps
// in, localStorage and the small services. Listeners only queue; the
// program reads the queue from its own loop.
Module.qv = (() => {
  const qv = {};
  // Event kinds, as WebPlatform::QueuedEvent numbers them.
  const DOWN = 1, MOVE = 2, UP = 3, LEAVE = 4, KEY = 5, PAGEHIDE = 6, HIDDEN = 7, SCALE = 8, CAPTURE_LOST = 9;
  const queue = [];
  let waiter = null, waitTimer = null;
  const windows = new Map();
  let scale = clampScale(window.devicePixelRatio);
  let topZ = 1;
  const cursors = new Map();
  let isEnded = false;

  function clampScale(ratio) { return Math.min(3, Math.max(1, Math.round(ratio || 1))); }

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
    if (event[0] === MOVE && last && last[0] === MOVE && last[1] === event[1]) queue[queue.length - 1] = event;
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
  qv.nextEvent = (out) => {
    const event = queue.shift();
    if (!event) return 0;
    for (let i = 0; i < 10; i++) HEAP32[(out >> 2) + i] = event[i] | 0;
    return 1;
  };

  // ---- the screen ------------------------------------------------------------
  qv.deviceScale = () => scale;
  qv.setDeviceScale = (s) => { scale = s; for (const id of windows.keys()) placeCanvas(id); };
  qv.screenWidth = () => Math.floor(document.documentElement.clientWidth * scale);
  qv.screenHeight = () => Math.floor(document.documentElement.clientHeight * scale);
  // A zoom or a move to a screen of another density changes the ratio.
  function watchScale() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => {
      push([SCALE, 0, clampScale(window.devicePixelRatio)]);
      watchScale();
    }, { once: true });
  }
  watchScale();

  // ---- windows ---------------------------------------------------------------
  function modifiers(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); }
  function pointEvent(kind, id, e, button) {
    const w = windows.get(id);
    const sx = Math.floor(e.clientX * scale), sy = Math.floor(e.clientY * scale);
    return [kind, id, sx - w.left, sy - w.top, button, modifiers(e), sx, sy, 0, 0];
  }
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
      qv.inputAt = e.timeStamp;
      push(pointEvent(DOWN, id, e, buttonOf(e)));
    });
    canvas.addEventListener('pointermove', (e) => {
      if (!e.isPrimary) return;
      push(pointEvent(MOVE, id, e, 0));
    });
    canvas.addEventListener('pointerup', (e) => {
      if (!e.isPrimary || e.button > 2) return;
      if (w.pointer === e.pointerId) w.pointer = null;
      qv.inputAt = e.timeStamp;
      push(pointEvent(UP, id, e, buttonOf(e)));
    });
    canvas.addEventListener('pointercancel', (e) => {
      if (!e.isPrimary) return;
      w.pointer = null;
      push([CAPTURE_LOST, id, 0, 0, 0, 0, 0, 0, 0, 0]);
    });
    canvas.addEventListener('pointerleave', (e) => {
      if (e.isPrimary) push([LEAVE, id, 0, 0, 0, 0, 0, 0, 0, 0]);
    });
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    document.getElementById('desktop').appendChild(canvas);
  };
  qv.closeWindow = (id) => {
    const w = windows.get(id);
    if (!w) return;
    w.canvas.remove();
    windows.delete(id);
  };
  function placeCanvas(id) {
    const w = windows.get(id);
    const s = w.canvas.style;
    s.left = `${w.left / scale}px`;
    s.top = `${w.top / scale}px`;
    s.width = `${w.width / scale}px`;
    s.height = `${w.height / scale}px`;
  }
  qv.layoutWindow = (id, left, top, width, height) => {
    const w = windows.get(id);
    w.left = left; w.top = top; w.width = width; w.height = height;
    // A new size empties the backing store: the program presents again.
    if (w.canvas.width !== Math.max(width, 1)) w.canvas.width = Math.max(width, 1);
    if (w.canvas.height !== Math.max(height, 1)) w.canvas.height = Math.max(height, 1);
    placeCanvas(id);
  };
  qv.titleWindow = (id, title) => { windows.get(id).canvas.setAttribute('aria-label', title); };
  qv.showWindow = (id, visible) => { windows.get(id).canvas.style.display = visible ? 'block' : 'none'; };
  qv.raiseWindow = (id) => { windows.get(id).canvas.style.zIndex = String(++topZ); };
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

  // ---- cursor ----------------------------------------------------------------
  qv.defineCursor = (kind, rgba, width, height, hotX, hotY) => {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4).slice();
    canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
    const url = canvas.toDataURL('image/png');
    // The picture is in device pixels; the page lays cursors out in CSS pixels.
    cursors.set(kind, `image-set(url("${url}") ${scale}x) ${Math.round(hotX / scale)} ${Math.round(hotY / scale)}, grabbing`);
  };
  qv.setCursor = (kind) => {
    document.documentElement.style.cursor = kind === 0 ? '' : (cursors.get(kind) || 'grabbing');
  };

  // ---- keys ------------------------------------------------------------------
  const keyCodes = { Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, Escape: 27, Space: 32,
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Delete: 46 };
  for (let n = 1; n <= 12; n++) keyCodes[`F${n}`] = 111 + n;
  for (let n = 0; n <= 9; n++) { keyCodes[`Digit${n}`] = 48 + n; keyCodes[`Numpad${n}`] = 48 + n; }
  window.addEventListener('keydown', (e) => {
    if (e.isComposing) return;
    let key = keyCodes[e.code];
    if (key === undefined && e.key && e.key.length === 1) key = e.key.toUpperCase().charCodeAt(0);
    if (key === undefined) return;
    const functionKey = key >= 112 && key <= 123;
    // The game's keys are the game's: no help page, no reload, no full
    // screen, no going back. Keys held with Ctrl or the system key stay the
    // browser's.
    if (!e.ctrlKey && !e.metaKey && (functionKey || (!e.altKey && [8, 13, 27, 32, 37, 38, 39, 40].includes(key)) ||
        (!e.altKey && key >= 48 && key <= 57))) e.preventDefault();
    qv.inputAt = e.timeStamp;
    push([KEY, 0, 0, 0, 0, modifiers(e), 0, 0, key, e.repeat ? 1 : 0]);
  });

  // ---- the page's life -------------------------------------------------------
  window.addEventListener('pagehide', () => push([PAGEHIDE, 0, 0, 0, 0, 0, 0, 0, 0, 0]));
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') push([HIDDEN, 0, 0, 0, 0, 0, 0, 0, 0, 0]);
  });
  // Back from the browser's page cache after the game ended there: a
  // fresh start from what it stored.
  window.addEventListener('pageshow', (e) => { if (e.persisted && isEnded) location.reload(); });
  qv.ended = () => {
    isEnded = true;
    document.documentElement.dataset.ended = '1';
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
      const p = _malloc(Math.max(bytes.length, 1));
      HEAPU8.set(bytes, p);  // HEAPU8 afresh: malloc may have grown the memory
      HEAP32[out >> 2] = p;
      return bytes.length;
    } catch (err) {
      return -1;
    }
  };
  // Storage may be switched off or full: reads then find nothing and
  // writes are refused, and the game runs on its defaults.
  qv.storeGet = (key) => { try { return window.localStorage.getItem(key); } catch (err) { return null; } };
  qv.storeSet = (key, value) => {
    try { window.localStorage.setItem(key, value); return true; } catch (err) { return false; }
  };
  qv.storeRemove = (key) => { try { window.localStorage.removeItem(key); } catch (err) { /* nothing stored */ } };

  // ---- test pages --------------------------------------------------------------
  qv.probing = new URLSearchParams(location.search).has('probe');
  qv.probe = (json) => { qv.state = JSON.parse(json); };
  return qv;
})();
