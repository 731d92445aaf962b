// Writes the almanac reference tables for the tests from Astronomy Engine, an
// independent modern ephemeris (VSOP87 and a full lunar theory, with Delta T).
// Run once by hand:  npm install && node make_reference.mjs
// Output in ../../tests/astro/data/: almanac_reference.csv (15 places, days of
// 2006 and 2024-2027), almanac_centuries.csv (Tokyo, every 29th day from 1900
// to 2100, with six bright stars), planet_magnitudes.csv and almanac_phases.csv.
// The conventions are those of Japan's national almanac: refraction at the
// horizon 35'08"; the Sun's upper limb on the apparent horizon with its true
// semidiameter (15'59.63" at 1 au); the Moon's, planets' and stars' centres;
// every altitude topocentric (true parallax) and geometric; twilights with
// the Sun's centre at -6, -12, -18 degrees; transit = hour angle 0.
// Stars: J2000 positions and proper motions of the Bright Star Catalogue
// (read from ../../../shared/data/bsc5.dat), moved to each date by their
// proper motion; Astronomy Engine applies precession, nutation and aberration.
import * as A from 'astronomy-engine';
import { readFileSync, writeFileSync } from 'node:fs';

const places = [
  // name, latitude, longitude, standard UTC offset in hours (no summer time)
  ['Tokyo', 35.6894, 139.6917, 9],
  ['Sapporo', 43.0642, 141.3469, 9],
  ['Naha', 26.2124, 127.6809, 9],
  ['Honolulu', 21.3069, -157.8583, -10],
  ['Quito', -0.1807, -78.4678, -5],
  ['Sydney', -33.8688, 151.2093, 10],
  ['CapeTown', -33.9249, 18.4241, 2],
  ['London', 51.5072, -0.1276, 0],
  ['Anchorage', 61.2181, -149.9003, -9],
  ['Reykjavik', 64.1466, -21.9426, 0],
  ['Tromso', 69.6492, 18.9553, 1],
  ['Longyearbyen', 78.2232, 15.6267, 1],
  ['McMurdo', -77.846, 166.676, 12],
  ['NorthPole', 90.0, 0.0, 0],
  ['SouthPole', -90.0, 0.0, 0],
];

const bodies = [['sun', A.Body.Sun], ['moon', A.Body.Moon], ['venus', A.Body.Venus],
                ['mars', A.Body.Mars], ['jupiter', A.Body.Jupiter], ['saturn', A.Body.Saturn],
                ['mercury', A.Body.Mercury], ['uranus', A.Body.Uranus], ['neptune', A.Body.Neptune]];

function dayList() {
  const days = [];
  for (let t = Date.UTC(2024, 0, 3); t < Date.UTC(2028, 0, 1); t += 11 * 86400000) days.push(new Date(t));
  for (let d = 18; d <= 26; ++d) days.push(new Date(Date.UTC(2006, 0, d)));
  for (const m of [2, 5, 8, 11]) days.push(new Date(Date.UTC(2026, m, 20)), new Date(Date.UTC(2026, m, 21)));
  return days;
}

const REFRACTION_DEG = (35 + 8 / 60) / 60;
const SUN_SEMIDIAMETER_1AU_DEG = 959.63 / 3600;

// The topocentric geometric altitude of the point that rises and sets: the
// Sun's upper limb (with `limb`), else the centre.
function altitude(body, observer, date, limb = true) {
  const eq = A.Equator(body, date, observer, true, true);
  const alt = A.Horizon(date, observer, eq.ra, eq.dec).altitude;
  return limb && body === A.Body.Sun ? alt + SUN_SEMIDIAMETER_1AU_DEG / eq.dist : alt;
}

// Every crossing of h0 in [t0, t1) (Date objects), by 10-minute steps and bisection to 0.05 s.
function crossings(body, observer, t0, t1, h0, limb = true) {
  const out = [];
  const step = 600000;
  const f = (ms) => altitude(body, observer, new Date(ms), limb) - h0;
  let a = t0.getTime();
  let fa = f(a);
  for (let b = a + step; a < t1.getTime(); a = b, b += step) {
    const fb = f(b);
    if ((fa >= 0) !== (fb >= 0)) {
      let lo = a, hi = b, flo = fa;
      while (hi - lo > 50) {
        const mid = (lo + hi) / 2;
        const fm = f(mid);
        if ((fm >= 0) === (flo >= 0)) { lo = mid; flo = fm; } else hi = mid;
      }
      const t = (lo + hi) / 2;
      if (t >= t0.getTime() && t < t1.getTime()) out.push({ t, rising: fa < 0 });
    }
    fa = fb;
  }
  return out;
}

const fmt = (t, start) => (t === undefined ? '' : ((t - start) / 60000).toFixed(3));

const header = ['place', 'lat_deg', 'lon_deg', 'utc_offset_h', 'date'];
for (const [name] of bodies) header.push(`${name}_rise`, `${name}_transit`, `${name}_set`);
header.push('civil_begin', 'civil_end', 'nautical_begin', 'nautical_end', 'astronomical_begin', 'astronomical_end', 'moon_age_days');
const rows = [header.join(',')];

for (const [name, lat, lon, off] of places) {
  const observer = new A.Observer(lat, lon, 0);
  for (const day of dayList()) {
    const start = day.getTime() - off * 3600000;
    const t0 = new Date(start), t1 = new Date(start + 86400000);
    const row = [name, lat, lon, off, day.toISOString().slice(0, 10)];
    for (const [bname, body] of bodies) {
      const cs = crossings(body, observer, t0, t1, -REFRACTION_DEG);
      const rise = cs.find((c) => c.rising), set = cs.find((c) => !c.rising);
      const ha = A.SearchHourAngle(body, observer, 0, t0, +1);
      const transit = ha.time.date.getTime() < t1.getTime() ? ha.time.date.getTime() : undefined;
      row.push(fmt(rise && rise.t, start), fmt(transit, start), fmt(set && set.t, start));
    }
    for (const h of [-6, -12, -18]) {
      const cs = crossings(A.Body.Sun, observer, t0, t1, h, false);
      const b = cs.find((c) => c.rising), e = cs.find((c) => !c.rising);
      row.push(fmt(b && b.t, start), fmt(e && e.t, start));
    }
    const noon = new Date(start + 43200000);
    let nm = A.SearchMoonPhase(0, new Date(noon.getTime() - 31 * 86400000), 31);
    let last = nm;
    while (nm && nm.date.getTime() <= noon.getTime()) {
      last = nm;
      nm = A.SearchMoonPhase(0, new Date(nm.date.getTime() + 86400000), 31);
    }
    row.push(((noon.getTime() - last.date.getTime()) / 86400000).toFixed(4));
    rows.push(row.join(','));
  }
  process.stderr.write(`${name} done\n`);
}
writeFileSync('../../tests/astro/data/almanac_reference.csv', rows.join('\n') + '\n');

// Tokyo (the national almanac's point, the old Tokyo Observatory) across two
// centuries, the six bodies and six bright stars.
const tokyo = new A.Observer(35 + 39 / 60 + 29.1572 / 3600, 139 + 44 / 60 + 28.8869 / 3600, 0);
const starHr = [2491, 7001, 5340, 6134, 1708, 8728];  // Sirius, Vega, Arcturus, Antares, Capella, Fomalhaut
const bsc = new Map();
for (const line of readFileSync('../../../shared/data/bsc5.dat', 'latin1').split('\n')) {
  const hr = Number(line.slice(0, 4));
  if (!starHr.includes(hr)) continue;
  const ra = Number(line.slice(75, 77)) + Number(line.slice(77, 79)) / 60 + Number(line.slice(79, 83)) / 3600;
  const dec = (line[83] === '-' ? -1 : 1) * (Number(line.slice(84, 86)) + Number(line.slice(86, 88)) / 60 + Number(line.slice(88, 90)) / 3600);
  bsc.set(hr, { ra, dec, pmRa: Number(line.slice(148, 154)), pmDec: Number(line.slice(154, 160)) });
}
const centuryHeader = ['date'];
for (const [name] of bodies) centuryHeader.push(`${name}_rise`, `${name}_transit`, `${name}_set`);
for (const hr of starHr) centuryHeader.push(`hr${hr}_rise`, `hr${hr}_set`);
const centuryRows = [centuryHeader.join(',')];
for (let t = Date.UTC(1900, 0, 1); t < Date.UTC(2101, 0, 1); t += 29 * 86400000) {
  const start = t - 9 * 3600000;
  const t0 = new Date(start), t1 = new Date(start + 86400000);
  const row = [new Date(t).toISOString().slice(0, 10)];
  for (const [, body] of bodies) {
    const cs = crossings(body, tokyo, t0, t1, -REFRACTION_DEG);
    const rise = cs.find((c) => c.rising), set = cs.find((c) => !c.rising);
    const ha = A.SearchHourAngle(body, tokyo, 0, t0, +1);
    const transit = ha.time.date.getTime() < t1.getTime() ? ha.time.date.getTime() : undefined;
    row.push(fmt(rise && rise.t, start), fmt(transit, start), fmt(set && set.t, start));
  }
  const years = (start + 43200000 - Date.UTC(2000, 0, 1, 12)) / (365.25 * 86400000);
  for (const hr of starHr) {
    const s = bsc.get(hr);
    const dec = s.dec + (s.pmDec * years) / 3600;
    const ra = s.ra + (s.pmRa * years) / 3600 / 15 / Math.cos((s.dec * Math.PI) / 180);
    A.DefineStar(A.Body.Star1, ra, dec, 1000);
    const cs = crossings(A.Body.Star1, tokyo, t0, t1, -REFRACTION_DEG);
    const rise = cs.find((c) => c.rising), set = cs.find((c) => !c.rising);
    row.push(fmt(rise && rise.t, start), fmt(set && set.t, start));
  }
  centuryRows.push(row.join(','));
}
writeFileSync('../../tests/astro/data/almanac_centuries.csv', centuryRows.join('\n') + '\n');
process.stderr.write('centuries done\n');

// The four planets' visual magnitudes (Astronomy Engine's Illumination,
// Mallama and Hilton 2018) every 61 days from 1900 to 2100, at 0h UT.
const magRows = ['date,venus,mars,jupiter,saturn'];
for (let t = Date.UTC(1900, 0, 1); t < Date.UTC(2101, 0, 1); t += 61 * 86400000) {
  const date = new Date(t);
  const row = [date.toISOString().slice(0, 10)];
  for (const body of [A.Body.Venus, A.Body.Mars, A.Body.Jupiter, A.Body.Saturn]) row.push(A.Illumination(body, date).mag.toFixed(3));
  magRows.push(row.join(','));
}
writeFileSync('../../tests/astro/data/planet_magnitudes.csv', magRows.join('\n') + '\n');

const phaseRows = ['kind,utc'];
const kinds = ['new', 'firstQuarter', 'full', 'lastQuarter'];
for (const from of [new Date(Date.UTC(2005, 11, 1)), new Date(Date.UTC(2024, 0, 1))]) {
  let mq = A.SearchMoonQuarter(from);
  const until = from.getUTCFullYear() === 2005 ? Date.UTC(2006, 2, 1) : Date.UTC(2028, 0, 1);
  while (mq.time.date.getTime() < until) {
    phaseRows.push(`${kinds[mq.quarter]},${mq.time.date.toISOString()}`);
    mq = A.NextMoonQuarter(mq);
  }
}
writeFileSync('../../tests/astro/data/almanac_phases.csv', phaseRows.join('\n') + '\n');
