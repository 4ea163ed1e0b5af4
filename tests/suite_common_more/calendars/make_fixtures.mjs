// Writes the calendar fixtures beside this script from independent implementations:
// the runtime's own calendars (tabular Islamic, Japanese, Republic of China,
// Buddhist) and the arithmetic Hebrew calendar of a separate package. Run by hand:
//   npm install --prefix /tmp/hdate @hebcal/hdate
//   NODE_PATH=/tmp/hdate/node_modules node tests/suite_common_more/calendars/make_fixtures.mjs
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import path from 'node:path';

const require = createRequire(path.join(process.env.NODE_PATH || '.', 'x.js'));
const hd = await import(require.resolve('@hebcal/hdate'));
const here = path.dirname(fileURLToPath(import.meta.url));

const pad = (n, w) => String(n).padStart(w, '0');
function absToIso(abs) {
  const d = new Date(0);
  d.setUTCFullYear(1, 0, 1);
  d.setUTCDate(abs);
  return `${pad(d.getUTCFullYear(), 4)}-${pad(d.getUTCMonth() + 1, 2)}-${pad(d.getUTCDate(), 2)}`;
}
function utcDate(y, m, d) {
  const t = new Date(0);
  t.setUTCFullYear(y, m - 1, d);
  return t;
}
function absOf(date) {
  const base = utcDate(1, 1, 1);
  return Math.round((date - base) / 86400000) + 1;
}
function partsIn(calendar, date, withEra) {
  const f = new Intl.DateTimeFormat(`en-u-ca-${calendar}`, {
    timeZone: 'UTC', year: 'numeric', month: 'numeric', day: 'numeric', ...(withEra ? { era: 'short' } : {}),
  });
  const p = Object.fromEntries(f.formatToParts(date).map((x) => [x.type, x.value]));
  return { era: p.era, year: Number(p.relatedYear ? p.year : p.year), month: Number(p.month), day: Number(p.day) };
}

// Hebrew: the first day of every month of years 5343 to 5999, months from Tishri.
const ourMonth = (m, leap) => (m >= 7 ? m - 6 : m + (leap ? 7 : 6));
let out = 'year,month,first_day\n';
for (let y = 5343; y <= 5999; y++) {
  const leap = hd.isLeapYear(y);
  const rows = [];
  for (let m = 1; m <= (leap ? 13 : 12); m++) {
    rows.push([ourMonth(m, leap), absToIso(hd.hebrew2abs(y, m, 1))]);
  }
  rows.sort((a, b) => a[0] - b[0]);
  for (const [m, iso] of rows) out += `${y},${m},${iso}\n`;
}
writeFileSync(path.join(here, 'hebrew_months.csv'), out);

// Tabular Islamic (Thursday epoch): the first day of every month of two 30-year
// cycles, and 1 Muharram of every year 1 to 9666.
function hijriStart(y, m) {
  const guess = 227014 + 354 * (y - 1) + Math.floor((11 * (y - 1) + 3) / 30) + Math.ceil(29.5 * (m - 1));
  for (let a = guess - 4; a <= guess + 4; a++) {
    const p = partsIn('islamic-tbla', utcDate(1, 1, a), false);
    if (p.year === y && p.month === m && p.day === 1) return a;
  }
  throw new Error(`no start for ${y}/${m}`);
}
out = 'year,month,first_day\n';
for (let y = 1441; y <= 1500; y++) for (let m = 1; m <= 12; m++) out += `${y},${m},${absToIso(hijriStart(y, m))}\n`;
writeFileSync(path.join(here, 'hijri_months.csv'), out);
out = 'year,first_day\n';
for (let y = 1; y <= 9666; y++) out += `${y},${absToIso(hijriStart(y, 1))}\n`;
writeFileSync(path.join(here, 'hijri_years.csv'), out);

// Era calendars: the days around the starts of the three later Japanese eras and
// a few dates of each single-era calendar.
out = 'calendar,date,era,year\n';
const around = [[1912, 7, 29], [1912, 7, 30], [1926, 12, 24], [1926, 12, 25], [1989, 1, 7], [1989, 1, 8],
  [1950, 6, 1], [2000, 2, 29], [2019, 4, 30], [2019, 5, 1], [2024, 1, 1]];
for (const [y, m, d] of around) {
  const p = partsIn('japanese', utcDate(y, m, d), true);
  out += `japanese,${pad(y, 4)}-${pad(m, 2)}-${pad(d, 2)},${p.era},${p.year}\n`;
}
for (const cal of ['roc', 'buddhist']) {
  for (const [y, m, d] of [[1912, 1, 1], [1950, 6, 1], [2023, 1, 1], [2024, 1, 1], [2024, 12, 31]]) {
    const p = partsIn(cal, utcDate(y, m, d), true);
    out += `${cal},${pad(y, 4)}-${pad(m, 2)}-${pad(d, 2)},${p.era},${p.year}\n`;
  }
}
writeFileSync(path.join(here, 'eras.csv'), out);
