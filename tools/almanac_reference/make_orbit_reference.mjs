// Heliocentric ecliptic longitudes and latitudes of date of the eight
// planets, the Moon's elongation and its lit fraction at moments over
// 1900-2100, from Astronomy Engine, for the 宇宙から見た図 test
// (tests/view/data/orbit_reference.csv).
//   npm install && node make_orbit_reference.mjs
import * as A from 'astronomy-engine';
import { writeFileSync } from 'node:fs';

const bodies = ['Mercury', 'Venus', 'Earth', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune'];
const rows = ['utc,body,lon_deg,lat_deg,dist_au'];
// Every 1,811 days (not a multiple of any period) from 1900 to 2100, and the
// textbook's evening of 2026-08-15 19:00 JST.
const moments = [];
for (let t = Date.parse('1900-01-07T03:00:00Z'); t < Date.parse('2100-12-31T00:00:00Z'); t += 1811 * 86400e3)
  moments.push(new Date(t));
moments.push(new Date(Date.parse('2026-08-15T10:00:00Z')));
for (const date of moments) {
  const iso = date.toISOString().slice(0, 16) + 'Z';
  for (const body of bodies) {
    const v = A.HelioVector(A.Body[body], date);
    const e = A.Ecliptic(v);  // true ecliptic and equinox of date
    rows.push([iso, body, e.elon.toFixed(5), e.elat.toFixed(5), v.Length().toFixed(7)].join(','));
  }
  const phase = A.MoonPhase(date);
  const illum = A.Illumination(A.Body.Moon, date).phase_fraction;
  rows.push([iso, 'Moon', phase.toFixed(5), '', illum.toFixed(5)].join(','));
}
writeFileSync('../../tests/view/data/orbit_reference.csv', rows.join('\n') + '\n');
