// The Sun's altitude and azimuth every whole hour of a few days at a few
// places (geometric: no refraction), from Astronomy Engine, for the
// 透明半球 test (tests/view/data/sun_path_reference.csv).
//   npm install && node make_sun_path_reference.mjs
import * as A from 'astronomy-engine';
import { writeFileSync } from 'node:fs';

const places = [
  ['Tokyo', 35.65, 139.75, 9],
  ['Sapporo', 43.0642, 141.3469, 9],
  ['Naha', 26.2124, 127.6809, 9],
  ['Sydney', -33.87, 151.21, 10],
];
const days = ['2026-03-20', '2026-06-21', '2026-09-23', '2026-12-22', '2027-02-10'];
const rows = ['place,lat_deg,lon_deg,utc_offset_h,date,hour,alt_deg,az_deg'];
for (const [name, lat, lon, offset] of places) {
  const observer = new A.Observer(lat, lon, 0);
  for (const day of days) {
    for (let hour = 0; hour < 24; ++hour) {
      const date = new Date(Date.parse(`${day}T00:00:00Z`) + (hour - offset) * 3600e3);
      const eq = A.Equator(A.Body.Sun, date, observer, true, true);
      const hor = A.Horizon(date, observer, eq.ra, eq.dec, null);
      rows.push([name, lat, lon, offset, day, hour, hor.altitude.toFixed(4), hor.azimuth.toFixed(4)].join(','));
    }
  }
}
writeFileSync('../../tests/view/data/sun_path_reference.csv', rows.join('\n') + '\n');
