// A static server on 127.0.0.1 for the built site, as any static host would
// serve it, with the screen comparison's page under /probe/ beside it.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml', '.woff2': 'font/woff2', '.png': 'image/png', '.json': 'application/json',
};

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
    fs.readFile(file, (err, data) => {
      if (err) { res.writeHead(404).end('not found'); return; }
      res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache' });
      res.end(data);
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
