// Reads every .fnt file that glyphkiln-inspect --bmfont wrote with the
// npm BMFont parser and compares each number with the glyph table that
// glyphkiln-inspect --json printed for the same atlas.
//
//   node check_bmfont.js BMFONT_DIR TABLE.json NODE_MODULES_DIR
'use strict';
const fs = require('fs');
const path = require('path');

const [dir, tableFile, modules] = process.argv.slice(2);
const parse = require(path.join(modules, 'parse-bmfont-ascii'));
const table = JSON.parse(fs.readFileSync(tableFile, 'utf8'));

let passed = 0;
const failures = [];
function expect(what, actual, wanted) {
  if (actual === wanted) passed++;
  else failures.push(`${what}: ${JSON.stringify(actual)}, expected ${JSON.stringify(wanted)}`);
}

const fntFiles = fs.readdirSync(dir).filter((f) => f.endsWith('.fnt')).sort();
expect('number of .fnt files', fntFiles.length, table.sets.length);
const fonts = fntFiles.map((f) => ({ file: f, font: parse(fs.readFileSync(path.join(dir, f))) }));

for (const set of table.sets) {
  const matching = fonts.filter((f) => f.font.info.face === set.name);
  expect(`files for set ${set.name}`, matching.length, 1);
  if (matching.length !== 1) continue;
  const { file, font } = matching[0];

  // Vertical metrics from the glyphs with pixels alone.
  let base = 0, below = 0;
  for (const g of set.glyphs) {
    if (g.width === 0 || g.height === 0) continue;
    base = Math.max(base, g.top);
    below = Math.max(below, g.height - g.top);
  }
  const size = /(\d+)$/.exec(set.name);
  expect(`${file} info size`, font.info.size, size ? Number(size[1]) : base + below);
  expect(`${file} lineHeight`, font.common.lineHeight, base + below);
  expect(`${file} base`, font.common.base, base);
  expect(`${file} scaleW`, font.common.scaleW, table.width);
  expect(`${file} scaleH`, font.common.scaleH, table.height);
  expect(`${file} pages`, font.common.pages, 1);
  expect(`${file} page count`, font.pages.length, 1);
  const page = path.basename(table.image).replace(/\.[^.]*$/, '') + '.png';
  expect(`${file} page 0`, font.pages[0], page);
  expect(`${file} page file exists`, fs.existsSync(path.join(dir, font.pages[0])), true);
  expect(`${file} char count`, font.chars.length, set.glyphs.length);
  set.glyphs.forEach((g, i) => {
    const c = font.chars[i] || {};
    const at = `${file} char ${g.code}`;
    expect(`${at} id`, c.id, g.code);
    expect(`${at} x`, c.x, g.x);
    expect(`${at} y`, c.y, g.y);
    expect(`${at} width`, c.width, g.width);
    expect(`${at} height`, c.height, g.height);
    expect(`${at} xoffset`, c.xoffset, g.left);
    expect(`${at} yoffset`, c.yoffset, base - g.top);
    expect(`${at} xadvance`, c.xadvance, g.advance);
    expect(`${at} page`, c.page, 0);
    expect(`${at} chnl`, c.chnl, 15);
  });
}

for (const f of failures.slice(0, 20)) console.log('FAIL ' + f);
console.log(`${passed} passed, ${failures.length} failed`);
process.exit(failures.length === 0 && passed > 0 ? 0 : 1);
