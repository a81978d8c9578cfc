// A static file server for build-web/web on localhost: the types a browser
// needs for the page (application/wasm above all), gzip when asked, and a
// cache lifetime so a second visit starts from the browser's cache.
// Usage: node serve.mjs DIR [PORT]   (0: any free port); prints the address.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.pack': 'application/octet-stream', '.png': 'image/png', '.ico': 'image/x-icon',
};

export function startServer(dir, port = 0) {
  const root = resolve(dir);
  const gzipped = new Map();
  const server = createServer(async (req, res) => {
    try {
      const path = decodeURIComponent(new URL(req.url, 'http://localhost').pathname);
      const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
      if (!file.startsWith(root)) { res.writeHead(403).end(); return; }
      let body = await readFile(file);
      const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream',
        'Cache-Control': 'max-age=3600' };
      if (/\bgzip\b/.test(req.headers['accept-encoding'] || '') && extname(file) !== '.png') {
        if (!gzipped.has(file)) gzipped.set(file, gzipSync(body, { level: 9 }));
        body = gzipped.get(file);
        headers['Content-Encoding'] = 'gzip';
      }
      headers['Content-Length'] = body.length;
      res.writeHead(200, headers);
      res.end(req.method === 'HEAD' ? undefined : body);
    } catch (err) {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    }
  });
  return new Promise((ok) => server.listen(port, '127.0.0.1', () => ok(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const server = await startServer(process.argv[2] || '.', Number(process.argv[3] || 8023));
  console.log(`QuorVex is served at http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`);
}
