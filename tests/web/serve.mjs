// A static file server for build-web/web on localhost: the types a browser
// needs for the page (application/wasm above all), gzip when asked, and a
// cache lifetime so a second visit starts from the browser's cache.
// Usage: node serve.mjs DIR [PORT]   (0: any free port); prints the address.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { createHash } from 'node:crypto';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.pack': 'application/octet-stream', '.png': 'image/png', '.ico': 'image/x-icon',
  '.webmanifest': 'application/manifest+json',
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
      // An entity tag, as static hosts send, so a revalidation of an
      // unchanged file costs a 304 and no body.
      const etag = `"${createHash('sha1').update(body).digest('hex')}"`;
      const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream',
        'Cache-Control': 'max-age=3600', ETag: etag };
      if (req.headers['if-none-match'] === etag) { res.writeHead(304, headers).end(); return; }
      // Text and the program go compressed; pictures and packs, types a
      // host does not know to compress, as they are.
      if (/\bgzip\b/.test(req.headers['accept-encoding'] || '') && ['.html', '.js', '.wasm', '.webmanifest'].includes(extname(file))) {
        // Kept by content, so a file replaced while serving is sent anew.
        if (!gzipped.has(etag)) gzipped.set(etag, gzipSync(body, { level: 9 }));
        body = gzipped.get(etag);
        headers['Content-Encoding'] = 'gzip';
      }
      headers['Content-Length'] = body.length;
      if (req.method !== 'HEAD') server.bytesSent += body.length;
      res.writeHead(200, headers);
      res.end(req.method === 'HEAD' ? undefined : body);
    } catch (err) {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    }
  });
  // Every body sent, as it went over the wire (the budget bench reads it).
  server.bytesSent = 0;
  return new Promise((ok) => server.listen(port, '127.0.0.1', () => ok(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const server = await startServer(process.argv[2] || '.', Number(process.argv[3] || 8023));
  console.log(`QuorVex is served at http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`);
}
