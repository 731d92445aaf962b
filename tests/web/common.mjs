// What the browser suites share: the desktop program's answers, the
// requests both are asked, comparison of their answers, and the report.
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { extname, join } from "node:path";

// One line per check; the count of failures for the exit status.
export function reporter(prefix = "") {
  let failures = 0;
  return {
    check(ok, what, detail = "") {
      console.log(`${ok ? "ok  " : "FAIL"} ${prefix}${what}${detail ? ` (${detail})` : ""}`);
      if (!ok) failures += 1;
    },
    failures: () => failures,
  };
}

// The desktop program's answers, run in the folder `work`.
export function desktopRunner(program, work) {
  return (args, parse = true) => {
    const out = execFileSync(program, args, { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" }, cwd: work });
    return parse ? JSON.parse(out.toString("utf8")) : out;
  };
}
export function cliArgs(req) {
  const a = ["--at", req.at];
  if (req.place) a.push("--place", req.place);
  else a.push("--lat", String(req.lat), "--lon", String(req.lon), ...(req.tz ? ["--tz", req.tz] : []));
  return a;
}
export function pictureCli(req) {
  const a = cliArgs(req);
  if (req.dir) a.push("--dir", req.dir);
  if (req.look) a.push("--look", `${req.look.az},${req.look.alt}`);
  if (req.fov !== undefined) a.push("--fov", String(req.fov));
  if (req.style) a.push("--style", req.style);
  if (req.show) a.push("--show", req.show.join(","));
  if (req.constellations) a.push("--constellations", req.constellations === "all" ? "all" : req.constellations.join(","));
  a.push("--seed", String(req.seed ?? 1));
  return a;
}

// Two JSON values equal: strings exactly, numbers within `tolerance`.
export function sameValue(a, b, tolerance, path = "") {
  if (typeof a === "number" && typeof b === "number") {
    return Math.abs(a - b) <= tolerance ? null : `${path}: ${a} vs ${b}`;
  }
  if (Array.isArray(a) && Array.isArray(b)) {
    if (a.length !== b.length) return `${path}: ${a.length} vs ${b.length} items`;
    for (let i = 0; i < a.length; ++i) {
      const d = sameValue(a[i], b[i], tolerance, `${path}[${i}]`);
      if (d) return d;
    }
    return null;
  }
  if (a && b && typeof a === "object" && typeof b === "object") {
    const ka = Object.keys(a), kb = Object.keys(b);
    if (ka.join() !== kb.join()) return `${path}: keys ${ka} vs ${kb}`;
    for (const k of ka) {
      const d = sameValue(a[k], b[k], tolerance, `${path}.${k}`);
      if (d) return d;
    }
    return null;
  }
  return a === b ? null : `${path}: ${JSON.stringify(a)} vs ${JSON.stringify(b)}`;
}

export const requests = [
  { at: "2026-01-15 22:00", place: "東京", dir: "south", show: ["names", "constellations"], constellations: "all" },
  { at: "2026-08-12 23:30", place: "札幌", dir: "east", show: ["meteors", "grid", "equator", "ecliptic"], seed: 7 },
  { at: "2026-01-24 18:00", place: "那覇", dir: "zenith", show: ["names", "constellations", "grid"], constellations: "all" },
  { at: "2026-07-15 22:00", place: "ロンドン", dir: "north", show: ["names"] },
  { at: "2026-03-20 12:00", lat: -33.87, lon: 151.2, tz: "Australia/Sydney", dir: "west", show: ["ecliptic"] },
  // The classroom's picture: star patterns, clusters and nebulae, large names.
  { at: "2026-12-13 21:00", place: "東京", dir: "east", show: ["names", "asterisms", "deepsky", "bignames"] },
  // The free view: Orion rising, wide.
  { at: "2026-12-11 19:00", place: "東京", dir: "free", look: { az: 120, alt: 20 }, fov: 150, show: ["names", "constellations"],
    constellations: "all" },
  // The natural sky at dusk toward the south-west, and a design view asked in it.
  { at: "2026-12-11 16:40", place: "東京", dir: "free", look: { az: 240, alt: 20 }, fov: 90, show: ["names"] },
  { at: "2026-01-15 22:00", place: "東京", dir: "south", style: "natural", show: ["names", "constellations"], constellations: "all" },
];


// The folder `root` served over 127.0.0.1 on a free port, as a school's
// static web server would serve the page, its manifest and service worker.
export async function serveFolder(root, page) {
  const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".webmanifest": "application/manifest+json",
                  ".svg": "image/svg+xml" };
  const server = createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/^\/+/, "");
    if (!/^[\w.-]+$/.test(name)) return res.writeHead(404).end();
    try {
      const body = readFileSync(join(root, name));
      res.writeHead(200, { "content-type": types[extname(name)] ?? "application/octet-stream" }).end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/${page}` };
}
