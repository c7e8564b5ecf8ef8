// Finishes a laid-out browser bundle: tells the page the sizes of the files
// its loading bar waits for and where the first screen's pictures lie in the
// package, tells the service worker this build's files and
// version, and stores a compressed copy beside every file that shrinks, for
// servers that send those as they are.
//   node scripts/web-bundle.mjs BUNDLE_DIR
import { readdir, readFile, writeFile } from 'node:fs/promises';
import { createHash } from 'node:crypto';
import { join, relative } from 'node:path';
import { gzipSync, brotliCompressSync, constants } from 'node:zlib';

const dir = process.argv[2];
if (!dir) {
  console.error('web-bundle: usage: node scripts/web-bundle.mjs BUNDLE_DIR');
  process.exit(2);
}

const files = (await readdir(dir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile())
  .map((entry) => relative(dir, join(entry.parentPath ?? entry.path, entry.name)).split('\\').join('/'))
  .filter((name) => !/\.(gz|br)$/.test(name))
  .sort();

function replaceLine(text, pattern, line, file) {
  if (!pattern.test(text)) throw new Error(`web-bundle: ${file} has no line to fill (${pattern})`);
  return text.replace(pattern, line);
}

const sizes = {};
for (const name of ['buddycare.wasm', 'buddycare.data']) sizes[name] = (await readFile(join(dir, name))).length;
const page = join(dir, 'index.html');
await writeFile(page, replaceLine(await readFile(page, 'utf8'), /<meta name="buddycare-sizes" content="[^"]*">/,
  `<meta name="buddycare-sizes" content='${JSON.stringify(sizes)}'>`, 'index.html'));

// Where the first screen's pictures lie in the package, so that the page can
// decode them while the game's code still compiles and starts.
const packed = [...(await readFile(join(dir, 'buddycare.js'), 'utf8'))
  .matchAll(/"filename":\s*"\/resources\/([^"]+)",\s*"start":\s*(\d+),\s*"end":\s*(\d+)/g)]
  .map(([, name, start, end]) => [name, [Number(start), Number(end)]]);
const where = new Map(packed);
const data = await readFile(join(dir, 'buddycare.data'));
const first = {};
if (where.has('storyboard.json')) {
  const [start, end] = where.get('storyboard.json');
  const layout = JSON.parse(data.subarray(start, end).toString('utf8'));
  const named = (controls) => (controls || []).flatMap((c) => [c.picture, c.icon, ...named(c.controls)]);
  const home = (layout.screens || []).find((screen) => screen.class === layout.initial);
  for (const name of named(home && home.controls)) {
    if (name && where.has(name)) first[name] = where.get(name);
  }
}
await writeFile(page, replaceLine(await readFile(page, 'utf8'), /<meta name="buddycare-first-pictures" content="[^"]*">/,
  `<meta name="buddycare-first-pictures" content='${JSON.stringify(first)}'>`, 'index.html'));

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
