// Writes tests/astro/data/apparent_reference.csv: apparent geocentric right
// ascension and declination (true equator and equinox of date) and distance
// of the Sun, the Moon and the eight planets from Astronomy Engine, at 301
// moments of TT spread over 1900-2100 (every 243.3 days from 1900-01-01
// 00:00 TT), as the precise ephemeris's test reads them.
// Run once by hand:  npm install && node make_apparent_reference.mjs
// The Sun and planets: light time and first-order aberration (Astronomy
// Engine's GeoVector with aberration). The Moon: its geometric place at the
// moment its light left (light time only: for the Moon, which moves with
// the Earth about the Sun, annual aberration and the Earth's motion during
// the light time cancel).
import * as A from 'astronomy-engine';
import { writeFileSync } from 'node:fs';

const bodies = [['sun', A.Body.Sun], ['moon', A.Body.Moon], ['mercury', A.Body.Mercury], ['venus', A.Body.Venus],
                ['mars', A.Body.Mars], ['jupiter', A.Body.Jupiter], ['saturn', A.Body.Saturn],
                ['uranus', A.Body.Uranus], ['neptune', A.Body.Neptune]];
const C_AUDAY = 173.1446326846693;

function ofDate(vec, time) {
  const rot = A.Rotation_EQJ_EQD(time);
  const v = A.RotateVector(rot, vec);
  const eq = A.EquatorFromVector(v);
  return [eq.ra, eq.dec, eq.dist];
}

const rows = ['body,jd_tt,ra_hours,dec_deg,distance_au'];
const start = 2415020.5;  // 1900-01-01 00:00 TT
for (let k = 0; k <= 300; ++k) {
  const jdTt = start + k * 243.3;
  const time = A.AstroTime.FromTerrestrialTime(jdTt - 2451545.0);
  for (const [name, body] of bodies) {
    let vec;
    if (body === A.Body.Moon) {
      const now = A.GeoMoon(time);
      const back = A.AstroTime.FromTerrestrialTime(jdTt - 2451545.0 - now.Length() / C_AUDAY);
      vec = A.GeoMoon(back);
      vec.t = time;
    } else {
      vec = A.GeoVector(body, time, true);
    }
    const [ra, dec, dist] = ofDate(vec, time);
    rows.push(`${name},${jdTt.toFixed(1)},${ra.toFixed(9)},${dec.toFixed(8)},${dist.toFixed(10)}`);
  }
}
writeFileSync(new URL('../../tests/astro/data/apparent_reference.csv', import.meta.url), rows.join('\n') + '\n');
console.log(`${rows.length - 1} rows`);
