// Finishes a laid-out browser bundle: tells the page the sizes of the files
// its loading bar waits for, puts the game's first frames into the page,
// tells the service worker this build's files and
// version, and stores a compressed copy beside every file that shrinks, for
// servers that send those as they are.
//   node scripts/web-bundle.mjs BUNDLE_DIR RESOURCES_DIR
import { readdir, readFile, writeFile, rm, mkdtemp } from 'node:fs/promises';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { createHash } from 'node:crypto';
import { createRequire } from 'node:module';
import { join, relative } from 'node:path';
import { gzipSync, brotliCompressSync, constants } from 'node:zlib';

const [dir, resources] = process.argv.slice(2);
if (!dir || !resources) {
  console.error('web-bundle: usage: node scripts/web-bundle.mjs BUNDLE_DIR RESOURCES_DIR');
  process.exit(2);
}

const files = (await readdir(dir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile())
  .map((entry) => relative(dir, join(entry.parentPath ?? entry.path, entry.name)).split('\\').join('/'))
  .filter((name) => !/\.(gz|br)$/.test(name) && name !== 'first-frames.json')
  .sort();

// Debian's terser, where NODE_PATH leads (scripts/web.sh sets it) or where Debian puts it.
const { minify } = (() => {
  const require = createRequire(import.meta.url);
  try {
    return require('terser');
  } catch {
    return require('/usr/share/nodejs/terser');
  }
})();
// The page's scripts as the browser gets them: the fewer bytes, the sooner the page is read and
// its code compiled. Names the scripts share with others (exports, the window's) stay as they are.
async function minified(code, name) {
  try {
    const { code: small } = await minify(code, { module: true, ecma: 2020, compress: { passes: 2 } });
    return small;
  } catch (error) {
    throw new Error(`web-bundle: ${name} could not be made smaller (${error.message})`);
  }
}

function replaceLine(text, pattern, line, file) {
  if (!pattern.test(text)) throw new Error(`web-bundle: ${file} has no line to fill (${pattern})`);
  return text.replace(pattern, line);
}

const sizes = {};
for (const name of ['buddycare.wasm', 'buddycare.data']) sizes[name] = (await readFile(join(dir, name))).length;
const page = join(dir, 'index.html');
await writeFile(page, replaceLine(await readFile(page, 'utf8'), /<meta name="buddycare-sizes" content="[^"]*">/,
  `<meta name="buddycare-sizes" content='${JSON.stringify(sizes)}'>`, 'index.html'));

// The first frames, one per language, go into the page itself, with the
// pictures they show: the page draws the right one before the game's code
// has arrived.
const framesFile = join(dir, 'first-frames.json');
const frames = JSON.parse(await readFile(framesFile, 'utf8'));
await rm(framesFile);
const shown = new Set();
for (const { frame } of Object.values(frames)) {
  for (const screen of frame.screens) {
    for (const c of screen.controls) {
      // A hidden one too: the renderer gives its element the address all the same.
      if (c.picture) shown.add(c.picture);
      if (c.icon) shown.add(c.icon);
    }
  }
}
for (const name of shown) {
  if (!files.includes(`pictures/${name}`)) throw new Error(`web-bundle: the first frame shows ${name}, which the bundle lacks`);
}
// Those pictures travel in the page itself: a browser asks a server for a few files at a time,
// and the first frame's dozen would wait behind one another and behind the game's code. They are
// encoded anew from their sources for a quick decode, which the first frame waits on, rather than
// for the fewest bytes.
function pictureType(bytes) {
  const ascii = (from, to) => bytes.subarray(from, to).toString('latin1');
  if (ascii(0, 4) === 'RIFF' && ascii(8, 12) === 'WEBP') return 'image/webp';
  if (bytes[0] === 0x89 && ascii(1, 4) === 'PNG') return 'image/png';
  if (bytes[0] === 0xff && bytes[1] === 0xd8) return 'image/jpeg';
  throw new Error('web-bundle: a picture of the first frame is of no format a browser shows');
}
const scratch = await mkdtemp(join(tmpdir(), 'web-bundle-'));
const quick = [];
for (const name of [...shown].sort()) {
  execFileSync('bash', [new URL('web-picture.sh', import.meta.url).pathname, join(resources, name), join(scratch, name), 'quick']);
  quick.push([name, await readFile(join(scratch, name))]);
}
// The largest first: the page begins their decoding in this order, and the first frame waits for the last.
const pictures = {};
for (const [name, bytes] of quick.sort(([, a], [, b]) => b.length - a.length)) {
  pictures[name] = `data:${pictureType(bytes)};base64,${bytes.toString('base64')}`;
}
await rm(scratch, { recursive: true, force: true });

// The languages' first frames differ only in their words, and the page is read before anything
// shows: each language but English keeps only the texts where it differs from the English frame,
// by their place in it ({ patch: [[path, text], ...], words }). One whose frame is shaped
// otherwise keeps its whole frame.
function differences(base, other, path, into) {
  if (typeof base === 'string' && typeof other === 'string') {
    if (base !== other) into.push([path, other]);
    return true;
  }
  if (base === null || other === null || typeof base !== 'object' || typeof other !== 'object') return base === other;
  if (Array.isArray(base) !== Array.isArray(other)) return false;
  const keys = Object.keys(base);
  if (keys.length !== Object.keys(other).length) return false;
  return keys.every((key) => key in other &&
    differences(base[key], other[key], [...path, Array.isArray(base) ? Number(key) : key], into));
}
function sharedFrames(all) {
  const english = all[''];
  if (!english) throw new Error('web-bundle: the first frames have no English one');
  const shared = { '': english };
  for (const [language, { frame, words }] of Object.entries(all)) {
    if (language === '') continue;
    const patch = [];
    shared[language] = differences(english.frame, frame, [], patch) ? { patch, words } : { frame, words };
  }
  return shared;
}
// In a script element nothing may close it early.
const inline = (value) => JSON.stringify(value).replace(/</g, '\\u003c');
let html = await readFile(page, 'utf8');
html = replaceLine(html, /<script type="application\/json" id="first-frames">[^<]*<\/script>/,
  `<script type="application/json" id="first-frames">${inline(sharedFrames(frames))}</script>`, 'index.html');
html = replaceLine(html, /<script type="application\/json" id="first-pictures">[^<]*<\/script>/,
  `<script type="application/json" id="first-pictures">${inline(pictures)}</script>`, 'index.html');
// What the page's policy names an inline script or style sheet by.
const allowed = (body) => `'sha256-${createHash('sha256').update(body).digest('base64')}'`;
// The first frame's script and the three it imports come inside the page as one module: as files,
// each would wait for the one that imports it before it was even asked for. The code's download
// (load.js) comes last, once the first frame's wait has begun.
const FIRST = ['keep.js', 'view.js', 'first.js', 'load.js'];
// What would end an inline script element early, or open a comment the parser would read into.
const ENDS_SCRIPT = /<\/script|<!--|<script/i;
const firstParts = [];
for (const name of FIRST) {
  const text = (await readFile(join(dir, name), 'utf8'))
    .replace(/^import \{[^}]*\} from '\.\/(?:keep|view|load)\.js';\n/gm, '')
    .replace(/^export (?=(?:const|let|function|class) )/gm, '');
  if (/^\s*(?:import|export)\b/m.test(text)) throw new Error(`web-bundle: ${name} imports or exports what one inline script cannot hold`);
  if (ENDS_SCRIPT.test(text)) throw new Error(`web-bundle: ${name} holds text that would end an inline script`);
  firstParts.push(text);
}
const firstScript = await minified(firstParts.join('\n'), FIRST.join(' + '));
// Made smaller, it is checked again: that is the text the page holds.
if (ENDS_SCRIPT.test(firstScript)) throw new Error('web-bundle: the first frame\'s script holds text that would end an inline script');
html = replaceLine(html, /<script type="module" src="first\.js"><\/script>/,
  () => `<script type="module">${firstScript}</script>`, 'index.html');
// The game's other scripts, the Emscripten glue the largest of them.
for (const name of ['buddycare.js', 'main.js', 'audio.js']) {
  await writeFile(join(dir, name), await minified(await readFile(join(dir, name), 'utf8'), name));
}
// The style sheet too: as a file, the first frame and every script of the page would wait for it.
const style = await readFile(join(dir, 'style.css'), 'utf8');
if (/<\/style/i.test(style)) throw new Error('web-bundle: style.css holds text that would end an inline style sheet');
html = replaceLine(html, /<link rel="stylesheet" href="style\.css">/, () => `<style>\n${style}</style>`, 'index.html');
html = replaceLine(html, /'inline-style-hash'/, allowed(`\n${style}`), 'index.html');
for (const name of [...FIRST, 'style.css']) {
  await rm(join(dir, name));
  files.splice(files.indexOf(name), 1);
}
// The page's own inline scripts run by their hashes alone, as the policy asks: nothing else inline does.
const hashes = [...html.matchAll(/<script(?![^>]*type="application\/json")(?![^>]*src=)[^>]*>([\s\S]*?)<\/script>/g)]
  .map(([, body]) => allowed(body));
if (!hashes.length) throw new Error('web-bundle: index.html has no inline script to allow');
html = replaceLine(html, /'inline-hashes'/, hashes.join(' '), 'index.html');
await writeFile(page, html);

const kept = files.filter((name) => name !== 'sw.js');
const hash = createHash('sha256');
for (const name of kept) hash.update(name).update('\0').update(await readFile(join(dir, name)));
const version = hash.digest('hex').slice(0, 16);
const worker = join(dir, 'sw.js');
let sw = await readFile(worker, 'utf8');
sw = replaceLine(sw, /^const VERSION = .*;$/m, `const VERSION = '${version}';`, 'sw.js');
sw = replaceLine(sw, /^const FILES = .*;$/m, `const FILES = ${JSON.stringify(['./', ...kept])};`, 'sw.js');
await writeFile(worker, sw);

// Pictures are compressed already; the rest mostly shrinks by half or more.
for (const name of files) {
  const body = await readFile(join(dir, name));
  const gz = gzipSync(body, { level: 9 });
  if (gz.length > body.length * 0.95) continue;
  await writeFile(join(dir, `${name}.gz`), gz);
  await writeFile(join(dir, `${name}.br`), brotliCompressSync(body, {
    params: { [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_SIZE_HINT]: body.length },
  }));
}
console.log(`web bundle version ${version}: ${files.length} files`);
