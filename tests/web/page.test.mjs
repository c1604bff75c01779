// The browser build played in Debian's Chromium (headless, WebGL 2 on
// SwiftShader), driven by puppeteer-core:
//   node --test tests/web/page.test.mjs     (scripts/web.sh test sets it up)
// Environment: VANTOR_SITE (build-web/site), VANTOR_SOURCE (the repository),
// VANTOR_NPM (the folder npm installed tests/web/package.json into). Every
// wait has a generous limit for a busy machine; nothing here measures time.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, readdir, stat } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { serveSite } from '../../packaging/web/serve.mjs';

const puppeteer = createRequire(`${process.env.VANTOR_NPM}/`)('puppeteer-core');

const site = process.env.VANTOR_SITE;
const source = process.env.VANTOR_SOURCE;
const patience = 240000; // ms

const launchOptions = {
  executablePath: process.env.VANTOR_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--ignore-gpu-blocklist',
         '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
         '--disable-quic', '--disable-background-timer-throttling', '--disable-renderer-backgrounding'],
};
let browser, server, refusingServer;
before(async () => {
  server = await serveSite(site);
  refusingServer = await serveSite(site, 0, ['vantor.data']);
  browser = await puppeteer.launch(launchOptions);
});
after(async () => {
  await browser?.close();
  server?.close();
  refusingServer?.close();
});

// Runs in the page before its own scripts: counts the frames the browser
// hands the game, copies the canvas after a frame when asked, and taps or
// holds down keys [keyCode, 'tap'|'hold', ms] given to schedule() before the
// frame that begins `ms` after the next one (0: before the next one). With
// `frameMs` the page's clock stands still but for exactly that much before
// each frame: the game then plays the same on every machine.
function frameHook(timedKeys, frameMs) {
  let virtualNow = 0;
  if (frameMs)
    performance.now = () => virtualNow;
  const pending = [];
  const hook = window.vantorTest = { frames: 0, grabs: [],
    schedule: keys => pending.push(...keys.map(([code, how, ms]) => ({ code, how, ms, from: null }))) };
  hook.schedule(timedKeys);
  // The canvas keeps its picture between frames, to be read at any time.
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (kind, attributes) {
    return getContext.call(this, kind, { ...attributes, preserveDrawingBuffer: true });
  };
  const send = (code, types) => {
    for (const type of types) {
      const event = new KeyboardEvent(type, { bubbles: true });
      Object.defineProperty(event, 'keyCode', { get: () => code });
      window.dispatchEvent(event);
    }
  };
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = callback => request(time => {
    for (const key of [...pending]) {
      key.from ??= time;
      if (time - key.from < key.ms)
        continue;
      send(key.code, key.how === 'tap' ? ['keydown', 'keyup'] : ['keydown']);
      pending.splice(pending.indexOf(key), 1);
    }
    virtualNow += frameMs;
    callback(time);
    hook.frames++;
    const waiting = hook.grabs.splice(0);
    if (waiting.length) {
      const canvas = document.getElementById('canvas');
      const copy = document.createElement('canvas');
      copy.width = canvas.width;
      copy.height = canvas.height;
      const context = copy.getContext('2d');
      context.drawImage(canvas, 0, 0);
      const pixels = Array.from(context.getImageData(0, 0, copy.width, copy.height).data);
      waiting.forEach(resolve => resolve({ width: copy.width, height: copy.height, pixels }));
    }
  });
}

async function openGame(query = '', { timedKeys = [], frameMs = 0, refuseContent = false } = {}) {
  const page = await browser.newPage();
  const lines = [];
  page.on('console', message => lines.push(message.text()));
  await page.evaluateOnNewDocument(frameHook, timedKeys, frameMs);
  const { port } = (refuseContent ? refusingServer : server).address();
  await page.goto(`http://127.0.0.1:${port}/${query}`);
  await page.focus('#canvas');
  return { page, lines };
}

// The text area's lines.
const shown = async page => (await page.$eval('#console', area => area.value)).split('\n').filter(Boolean);

async function waitForLine(page, matches) {
  await page.waitForFunction(source => new RegExp(source, 'm').test(document.getElementById('console').value),
                             { timeout: patience, polling: 200 }, matches.source);
}

// The picture of the next frame the game draws.
const nextFrame = page => page.evaluate(() => new Promise(resolve => window.vantorTest.grabs.push(resolve)));

// What the player sees, from the page's own screenshot (also after the game
// stopped drawing).
async function screenshot(page) {
  const png = await (await page.$('#canvas')).screenshot({ encoding: 'base64' });
  return decodePng(page, png);
}

async function decodePng(page, base64) {
  return page.evaluate(async data => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    return { width: image.width, height: image.height,
             pixels: Array.from(context.getImageData(0, 0, image.width, image.height).data) };
  }, base64);
}

// Lit pixels (any channel above 12), bright ones (all above 235) in the top
// fifth, where the score stands, and the number of distinct colours.
function looks({ width, height, pixels }) {
  let lit = 0, brightTop = 0;
  const colours = new Set();
  for (let i = 0; i < width * height; ++i) {
    const [r, g, b] = pixels.slice(4 * i, 4 * i + 3);
    lit += Math.max(r, g, b) > 12;
    brightTop += i < width * height / 5 && Math.min(r, g, b) > 235;
    colours.add((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
  }
  return { lit: lit / (width * height), brightTop, colours: colours.size };
}

// Share of pixels whose largest channel difference exceeds `threshold`.
function differing(a, b, threshold) {
  assert.equal(a.width, b.width);
  assert.equal(a.height, b.height);
  let over = 0;
  for (let i = 0; i < a.pixels.length; i += 4) {
    const d = Math.max(...[0, 1, 2].map(c => Math.abs(a.pixels[i + c] - b.pixels[i + c])));
    over += d > threshold;
  }
  return over / (a.width * a.height);
}

test('an idle game: a lit picture with the score, its game-over line, frame times on F2', async () => {
  const { page, lines } = await openGame();
  await page.waitForFunction(() => window.vantorTest.frames > 2, { timeout: patience });
  const picture = looks(await nextFrame(page));
  assert.ok(picture.lit > 0.5, `lit share ${picture.lit}`);
  assert.ok(picture.colours > 1000, `${picture.colours} colours`);
  assert.ok(picture.brightTop > 50, 'no score at the top');
  await waitForLine(page, /^Game Over - You reached 0 Points$/);
  await page.keyboard.press('F2');
  await waitForLine(page, /^frametime: /);
  const text = await shown(page);
  assert.deepEqual(text.slice(0, 2), ["you are executing 'vantor'", 'Game Over - You reached 0 Points']);
  for (const line of text.slice(2))
    assert.match(line, /^frametime: [-0-9.e+]+ms -- ([-0-9.e+]+|inf) fps$/);
  assert.deepEqual(lines.slice(0, 2), text.slice(0, 2), 'the browser console has the same lines');
  await page.close();
});

test('holding Space collects a cogwheel; Escape ends the game and its last picture stays', async () => {
  // Held from the start at 30 frames a second, Space makes the moon jump
  // over and over, and the jump at 3.9 s meets a cogwheel, 0.9 s before the
  // moon would meet a stone (so the headless game plays it too).
  const { page } = await openGame('?w=320&h=240', { timedKeys: [[32, 'hold', 0]], frameMs: 1000 / 30 });
  await waitForLine(page, /^Goodie Collected - 10 Points!$/);
  await page.keyboard.press('Escape');
  const frames = await page.evaluate(() => window.vantorTest.frames);
  const last = await screenshot(page);
  // The moon would reach a stone within a few seconds of play.
  await new Promise(resolve => setTimeout(resolve, 8000));
  assert.equal(await page.evaluate(() => window.vantorTest.frames), frames, 'frames went on after Escape');
  assert.ok(looks(last).lit > 0.5, 'the last picture is gone');
  assert.equal(differing(last, await screenshot(page), 0), 0, 'the picture changed after Escape');
  assert.ok(!(await shown(page)).some(line => line.startsWith('Game Over')));
  await page.close();
});

test("the first frame, paused at once, is Linux's, filled and as lines; F3, F7 and F9 change it", async () => {
  const { page } = await openGame('?w=320&h=240', { timedKeys: [[80, 'tap', 0]] }); // P
  const linux = async name => decodePng(page,
    (await readFile(`${source}/tests/render/reference/${name}.png`)).toString('base64'));
  const first = await nextFrame(page);
  // SwiftShader and llvmpipe rasterise, filter and round a little
  // differently: measured, 0.14 % of the filled picture's pixels and 1.94 %
  // of the wireframe's (lines a pixel apart here and there) differ by more
  // than 24 in a channel.
  const filled = differing(first, await linux('first'), 24);
  console.log(`first frame against Linux's: ${(100 * filled).toFixed(2)} % of pixels differ by more than 24`);
  assert.ok(filled < 0.005, `${filled}`);
  for (const key of ['F3', 'F7', 'F9']) {
    await page.keyboard.press(key);
    await nextFrame(page); // the release may fall in the middle of a frame
    const toggled = await nextFrame(page);
    const changed = differing(first, toggled, 0);
    assert.ok(changed > 0.001, `${key} changed ${changed} of the picture`); // F7: the small stones only
    if (key === 'F3') {
      const lines = differing(toggled, await linux('first-wireframe'), 24);
      console.log(`wireframe against Linux's: ${(100 * lines).toFixed(2)} % of pixels differ by more than 24`);
      assert.ok(lines < 0.03, `${lines}`);
    }
    await page.keyboard.press(key);
    await nextFrame(page);
    assert.equal(differing(first, await nextFrame(page), 0), 0, `${key} pressed again brings the picture back`);
  }
  await page.close();
});

test('a page that cannot start says why in the text area: its content cannot be fetched, no WebGL 2', async () => {
  const { page } = await openGame('', { refuseContent: true });
  await page.waitForFunction(() => document.getElementById('console').value.includes('ERROR'),
                             { timeout: patience, polling: 200 });
  assert.match((await shown(page)).join('\n'), /ERROR: .*vantor\.data/);
  await page.close();

  const withoutWebGl = await puppeteer.launch({ ...launchOptions,
                                                args: [...launchOptions.args, '--disable-webgl', '--disable-webgl2'] });
  try {
    const bare = await withoutWebGl.newPage();
    await bare.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitForLine(bare, /^This browser offers no WebGL 2$/);
    assert.deepEqual(await shown(bare),
                     ["you are executing 'vantor'", 'ERROR: Failed to open GLFW window', 'This browser offers no WebGL 2']);
  } finally {
    await withoutWebGl.close();
  }
});

test('the whole download is under 8 MB, and every library comes with its licence', async () => {
  let bytes = 0;
  for (const name of ['index.html', 'vantor.js', 'vantor.wasm', 'vantor.data', 'vantor.png'])
    bytes += (await stat(`${site}/${name}`)).size;
  console.log(`the page's download: ${(bytes / 1e6).toFixed(2)} MB`);
  assert.ok(bytes < 8e6, `${bytes} bytes`);
  // Each library row of the table names a licence text that lies beside the page.
  const table = await readFile(`${source}/packaging/web/libraries.tsv`, 'utf8');
  const shipped = new Set(await readdir(`${site}/licences`));
  for (const row of table.split('\n').filter(line => line.trim() && !line.startsWith('#'))) {
    const [name, , , , archives, licences] = row.split(/\s+/);
    if (archives !== '-' || licences !== '-')
      assert.ok(shipped.has(`${name}.txt`), `no licence for ${name}`);
  }
  for (const own of ['VANTOR.txt', 'LiberationSans.txt', 'LIBRARIES.txt'])
    assert.ok(shipped.has(own), own);
});
