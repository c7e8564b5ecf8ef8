// Turns a compiled catalogue, written back out by msgunfmt (translated
// messages only, one form per line), into the JSON the page's game reads:
// the messages, and which plural form each count from 0 to 199 takes,
// worked out here from the catalogue's Plural-Forms.
//   node po-to-json.mjs IN.po OUT.json
import { readFileSync, writeFileSync } from 'node:fs';

const [input, output] = process.argv.slice(2);
const entries = [];
let target = null;
for (const line of readFileSync(input, 'utf8').split('\n')) {
  const start = /^(msgid|msgid_plural|msgstr)(?:\[(\d+)\])? (".*")$/.exec(line);
  if (start) {
    if (start[1] === 'msgid') entries.push({ id: '', forms: [] });
    const entry = entries[entries.length - 1];
    target = start[1] === 'msgstr' ? { entry, index: Number(start[2] ?? 0) } : start[1] === 'msgid' ? { entry } : null;
  }
  const quoted = start ? start[3] : /^".*"$/.test(line) ? line : null;
  if (quoted === null || target === null) continue;
  const text = JSON.parse(quoted);
  if (target.index === undefined) target.entry.id += text;
  else target.entry.forms[target.index] = (target.entry.forms[target.index] ?? '') + text;
}

const header = entries.find((e) => e.id === '')?.forms[0] ?? '';
const rule = /plural=([^;\n]*)/.exec(header)?.[1] ?? 'n != 1';
const formOf = new Function('n', `return Number(${rule});`);
const messages = {};
for (const { id, forms } of entries) {
  if (id !== '') messages[id] = forms.length > 1 ? forms : forms[0];
}
const forms = Array.from({ length: 200 }, (_, n) => formOf(n));
writeFileSync(output, `${JSON.stringify({ forms, messages })}\n`);
