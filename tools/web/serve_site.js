// A static server on 127.0.0.1 for the built site, as a well set static host
// serves it (docs/HOSTING.md): compressed where the browser takes it, hashed
// files kept long, the rest asked again; with the screen comparison's page
// under /probe/ beside it.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml', '.woff2': 'font/woff2', '.png': 'image/png', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json', '.opus': 'audio/ogg', '.mp3': 'audio/mpeg',
};

// A file with its content's hash in its name (finish_site.py) never changes:
// kept a year. Everything else, the page and the service worker first of
// all, is asked again each time.
const HASHED = /\.[0-9a-f]{10}\.[a-z0-9]+$/;
const cacheControl = (file) => (HASHED.test(file) ? 'public, max-age=31536000, immutable' : 'no-cache');

// The smallest of the file, its .br and its .gz beside it that the browser takes.
function encoded(file, accepted) {
  for (const [encoding, ext] of [['br', '.br'], ['gzip', '.gz']]) {
    if (accepted.includes(encoding) && fs.existsSync(file + ext)) return { file: file + ext, encoding };
  }
  return { file, encoding: null };
}

// Serves `roots` ({ '/': dir, '/probe/': dir }) on a free port; resolves to
// the server, whose address is server.url.
function serve(roots, port = 0) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const prefix = prefixes.find((p) => url.startsWith(p));
    const root = path.resolve(roots[prefix]);
    let file = path.resolve(root, '.' + url.slice(prefix.length - 1));
    if (!file.startsWith(root)) { res.writeHead(403).end(); return; }
    if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
    const accepted = String(req.headers['accept-encoding'] || '').split(',').map((e) => e.trim().split(';')[0]);
    const chosen = encoded(file, accepted);
    fs.readFile(chosen.file, (err, data) => {
      if (err) { res.writeHead(404).end('not found'); return; }
      const headers = { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': cacheControl(file), 'Vary': 'Accept-Encoding', 'X-Content-Type-Options': 'nosniff' };
      if (chosen.encoding) headers['Content-Encoding'] = chosen.encoding;
      res.writeHead(200, headers);
      res.end(req.method === 'HEAD' ? undefined : data);
    });
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => {
    server.url = `http://127.0.0.1:${server.address().port}/`;
    resolve(server);
  }));
}

module.exports = { serve };

if (require.main === module) {
  const site = process.argv[2] || path.join(__dirname, '../../build/web/site');
  const port = Number(process.argv[3] || 8000);
  serve({ '/': site }, port).then((s) => console.log(`Tobble Goes to school! is at ${s.url}`));
}
