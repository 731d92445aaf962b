// Writes catalog/data/constellation_bounds.csv, the IAU constellation
// boundaries, from the table Astronomy Engine ships (MIT licence; its data
// are Roman 1987, "Identification of a constellation from a position",
// PASP 99, 695, CDS catalogue VI/42), and the reference table
// tests/catalog/data/planet_constellations.csv: the constellation of each
// planet every 61 days from 1900 to 2100, by Astronomy Engine's own
// Constellation(). Run once by hand:  npm install && node make_constellation_bounds.mjs
//
// The boundaries are arcs of right ascension and declination of the equinox
// B1875. Each row is a strip: the constellation holds the points with
// dec >= dec_low and ra_low <= ra < ra_high that no earlier row holds.
// Units and digits as in the source, so every value is exact: RA in 10 s
// of time (8640 = 24 h), declination in 2.5' (2160 = 90 degrees).
import * as A from 'astronomy-engine';
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';

// The table is not exported; it is read from the package's own source.
const main = createRequire(import.meta.url).resolve('astronomy-engine');
const source = readFileSync(join(dirname(main), 'astronomy.js'), 'utf8');

const namesText = source.slice(source.indexOf('const ConstelNames = ['), source.indexOf('const ConstelBounds = ['));
const names = [...namesText.matchAll(/\['(\w{3})',\s*'[^']*'\]/g)].map((m) => m[1]);
if (names.length !== 88) throw new Error(`expected 88 names, found ${names.length}`);

const boundsStart = source.indexOf('const ConstelBounds = [');
const boundsText = source.slice(boundsStart, source.indexOf('];', boundsStart));
const num = '(-?\\d+(?:\\.\\d+)?)';
const rows = [...boundsText.matchAll(new RegExp(`\\[${num},\\s*${num},\\s*${num},\\s*${num}\\]`, 'g'))].map((m) => m.slice(1));
const listed = (boundsText.match(/\[/g) || []).length - 1;
if (rows.length !== listed) throw new Error(`read ${rows.length} of ${listed} boundary rows`);
if (rows.length < 300) throw new Error(`too few boundary rows: ${rows.length}`);

const out = ['abbrev,ra_low_10s,ra_high_10s,dec_low_2_5arcmin'];
for (const [c, lo, hi, dec] of rows) out.push(`${names[Number(c)]},${lo},${hi},${dec}`);
writeFileSync('../../catalog/data/constellation_bounds.csv', out.join('\n') + '\n');

// The planets' constellations: geocentric J2000 places with aberration, as
// Astronomy Engine's documentation uses them for Constellation().
const ref = ['date,venus,mars,jupiter,saturn'];
for (let t = Date.UTC(1900, 0, 1); t < Date.UTC(2101, 0, 1); t += 61 * 86400000) {
  const date = new Date(t);
  const row = [date.toISOString().slice(0, 10)];
  for (const body of [A.Body.Venus, A.Body.Mars, A.Body.Jupiter, A.Body.Saturn]) {
    const eq = A.Equator(body, date, new A.Observer(0, 0, 0), false, true);
    row.push(A.Constellation(eq.ra, eq.dec).symbol);
  }
  ref.push(row.join(','));
}
mkdirSync('../../tests/catalog/data', { recursive: true });
writeFileSync('../../tests/catalog/data/planet_constellations.csv', ref.join('\n') + '\n');
process.stderr.write(`${rows.length} boundary rows\n`);
