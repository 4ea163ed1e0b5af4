// Writes suite/common/cxHebrewYearTable.inc, the Hebrew year table (Gregorian
// years 1583 to 2239), from an independent implementation of the arithmetic Hebrew
// calendar. Run once by hand when the table has to be made again:
//   npm install --prefix /tmp/hdate @hebcal/hdate
//   NODE_PATH=/tmp/hdate/node_modules node res/suite/make_hebrew_year_table.mjs
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import path from 'node:path';

const require = createRequire(path.join(process.env.NODE_PATH || '.', 'x.js'));
const hd = await import(require.resolve('@hebcal/hdate'));

// Day number of a proleptic Gregorian date, 1 January 0001 being day 1.
function gregToAbs(y, m, d) {
  const mdays = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31];
  const leap = (y % 4 === 0 && y % 100 !== 0) || y % 400 === 0;
  let n = d;
  for (let i = 1; i < m; i++) n += mdays[i - 1] + (i === 2 && leap ? 1 : 0);
  const p = y - 1;
  return n + 365 * p + Math.floor(p / 4) - Math.floor(p / 100) + Math.floor(p / 400);
}

// Months counted from Tishri: 1 Tishri .. 5 Shevat, 6 Adar (I), ...
function ourMonth(m, leap) { return m >= 7 ? m - 6 : m + (leap ? 7 : 6); }

function code(day, month) {
  if (month === 5 && day === 1) return 0;
  if (month === 5 && day === 2) return 31;
  if (month === 5 && day === 3) return 32;
  if (month === 3 && day === 29) return 33;
  if (month === 3 && day === 30) return 30;
  if (month === 4) return day;
  throw new Error(`1 January falls on ${day}/${month}`);
}

const kinds = { 353: 1, 354: 2, 355: 3, 383: 4, 384: 5, 385: 6 };
const rows = [];
for (let i = 0; i < 657; i++) {
  const h = hd.abs2hebrew(gregToAbs(1583 + i, 1, 1));
  if (h.yy !== 5343 + i) throw new Error(`year ${1583 + i} starts in ${h.yy}`);
  const c = code(h.dd, ourMonth(h.mm, hd.isLeapYear(h.yy)));
  rows.push(`{${c}, ${kinds[hd.daysInYear(5343 + i)]}}`);
}
let out = '// Made by res/suite/make_hebrew_year_table.mjs: for Gregorian year 1583 + i, the\n' +
  '// Hebrew date of its 1 January (coded) and the kind of Hebrew year 5343 + i.\n';
for (let i = 0; i < rows.length; i += 8) out += rows.slice(i, i + 8).join(', ') + ',\n';
const here = path.dirname(fileURLToPath(import.meta.url));
writeFileSync(path.join(here, '../../suite/common/cxHebrewYearTable.inc'), out);
