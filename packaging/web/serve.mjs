// Serves the web build's site folder to this machine's browsers only:
//   node packaging/web/serve.mjs FOLDER [PORT]     (scripts/web.sh serve)
// Browsers load the game's .wasm only over http(s), never from file://.
// The tests use serveSite() with files to refuse, to see how the page fails.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

// Resolves to the running server; `refused` names files answered with 404.
export function serveSite(folder, port = 0, refused = []) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname));
    const name = path === '/' ? 'index.html' : path.slice(1);
    try {
      if (name.includes('..') || refused.includes(name))
        throw new Error('refused');
      const body = await readFile(join(folder, name));
      response.writeHead(200, { 'Content-Type': types[extname(name)] || 'application/octet-stream',
                                'Cache-Control': 'no-cache' });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise(resolve => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2];
  const server = await serveSite(folder, Number(process.argv[3] || 8080));
  const { port } = server.address();
  console.log(`VANTOR is served at http://127.0.0.1:${port}/ (Ctrl+C ends it)`);
  console.log('Any other size: http://127.0.0.1:' + port + '/?w=1280&h=720; each pass timed: ?bench');
  console.log('Browsers with WebGL 2: Chromium and Chrome 56+, Firefox 51+, Edge 79+, Safari 15+.');
  console.log('Keys: D/A change lanes, Space jumps, P pauses, F2 frame times, F3 wireframe, F6 free camera,');
  console.log('F7 normal maps, F9 blending, R spins the stones, Esc ends the game.');
}
