// Constellation of every star-table row from its J2000 catalogue position,
// by the IAU boundaries (astronomy-engine's Constellation()), compared with
// the constellation in the catalogue's name field. Prints the rows whose
// name field is blank: build_star_table.py's UNNAMED_CONSTELLATION holds
// them. Run once by hand; not needed to build or test.
//
//   npm install astronomy-engine
//   node tools/unnamed_star_constellations.js ../shared/data/bsc5.dat tests/catalog/star_designations.csv
const A = require('astronomy-engine');
const fs = require('fs');

const [bscPath, designationsPath] = process.argv.slice(2);
const byHr = {};
for (const l of fs.readFileSync(bscPath, 'ascii').split('\n')) {
  if (l.length < 90 || !l.slice(75, 90).trim()) continue;
  const hr = +l.slice(0, 4);
  const ra = +l.slice(75, 77) + l.slice(77, 79) / 60 + l.slice(79, 83) / 3600;
  let dec = +l.slice(84, 86) + l.slice(86, 88) / 60 + l.slice(88, 90) / 3600;
  if (l[83] === '-') dec = -dec;
  byHr[hr] = { ra, dec };
}
let differences = 0;
for (const line of fs.readFileSync(designationsPath, 'utf8').trim().split('\n').slice(1)) {
  const [row, hr, con] = line.split(',');
  if (!hr) continue;
  const s = byHr[+hr];
  const found = A.Constellation(s.ra, s.dec).symbol;
  if (!con) console.log(`row ${row} HR ${hr}: ${found}`);
  else if (found !== con) { differences++; console.log(`row ${row} HR ${hr}: name field ${con}, boundaries ${found}`); }
}
console.log(`${differences} named rows differ`);
