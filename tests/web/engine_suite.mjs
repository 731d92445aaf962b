// The answers and the drawing every engine must give: the draw lists,
// json(), find(), identify() and 今夜の見どころ equal the desktop program's
// for the same requests, and the canvas matches its PNG. An engine is an
// object with name and evaluate(fn, ...args) (as puppeteer's page has it),
// screenshot(selector, path) where it can take one, and rasterSlack where
// its text is drawn with other grey levels than the desktop's.
import { copyFileSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { cliArgs, pictureCli, requests, sameValue, serveFolder } from "./common.mjs";

export async function answerChecks(engine, { desktop, check, work }) {
  // The same answers from the same code.
  for (const req of requests) {
    const label = `${req.place ?? `${req.lat},${req.lon}`} ${req.at} ${req.dir}`;
    const web = await engine.evaluate((r) => window.planetarium.drawList(r), req);
    const file = join(work, "desk.json");
    desktop(["--render", file, ...pictureCli(req)], false);
    const desk = JSON.parse(readFileSync(file, "utf8"));
    const diff = sameValue(web, desk, 0.01);
    check(!diff, `draw list equals the desktop's: ${label}`, diff ?? `${desk.ops.length} calls`);
  }
  for (const req of requests.slice(0, 4)) {
    const web = await engine.evaluate((r) => window.planetarium.json(r), req);
    const diff = sameValue(web, desktop(["--json", ...cliArgs(req)]), 1e-9);
    check(!diff, `json() equals --json: ${req.place} ${req.at}`, diff ?? "");
  }
  for (const [name, req] of [["しりうす", requests[0]], ["木星", requests[0]], ["ベガ", requests[0]], ["HR 2491", requests[3]],
                             ["M42", requests[5]], ["夏の大三角", requests[5]], ["すばる", requests[5]]]) {
    const web = await engine.evaluate((n, r) => window.planetarium.find(n, r), name, req);
    const diff = sameValue(web, desktop(["--find", name, ...cliArgs(req)]), 1e-9);
    check(!diff, `find(${name}) equals --find`, diff ?? "");
  }
  // 今夜の見どころ: the same facts and the same sentences as --tonight.
  {
    const night = { at: "2026-12-13 18:00", place: "東京" };
    const web = await engine.evaluate((r) => window.planetarium.tonight(r), night);
    const diff = sameValue(web, desktop(["--tonight", "--json", ...cliArgs(night)]), 1e-9);
    check(!diff && web.showers[0].name === "ふたご座流星群", "tonight() equals --tonight --json", diff ?? "");
    const text = await engine.evaluate((r) => window.planetarium.tonightText(r), night);
    check(text === desktop(["--tonight", ...cliArgs(night)], false).toString("utf8"), "tonightText() equals --tonight",
          text.split("\n")[0]);
  }
  // 日食・月食: the list and one eclipse's circumstances as the program gives them.
  {
    const req = { place: "那覇", from: "2026", to: "2035" };
    const web = await engine.evaluate((r) => window.planetarium.eclipses(r), req);
    const diff = sameValue(web, desktop(["--eclipses", "2026", "2035", "--place", "那覇", "--json"]), 1e-9);
    check(!diff && web.length > 40, "eclipses() equals --eclipses --json", diff ?? `${web.length} eclipses`);
    const one = await engine.evaluate(() => window.planetarium.eclipse("2035-09-02", { place: "東京" }));
    const text = one.text;
    const picture = one.picture;
    delete one.text;
    delete one.picture;
    check(picture.ops.some((o) => o[0] === "text" && o[1].includes("食分 0.992")), "eclipse() draws the Sun at the greatest phase",
          `${picture.ops.length} calls`);
    const oneDiff = sameValue(one, desktop(["--eclipse", "2035-09-02", "--place", "東京", "--json"]), 1e-9);
    check(!oneDiff && text === desktop(["--eclipse", "2035-09-02", "--place", "東京"], false).toString("utf8"),
          "eclipse() equals --eclipse --json, and its table --eclipse's", oneDiff ?? text.split("\n")[1]);
  }
  // 透明半球: the numbers of --view sunpath, and the page shown as an A4 landscape image.
  {
    const file = join(work, "sunpath.json");
    desktop(["--render", file, "--view", "sunpath", "--seasons", "--at", "2026-05-01 12:00", "--place", "札幌"], false);
    const shown = await engine.evaluate(() => {
      const answer = window.planetarium.sunPath({ place: "札幌", at: "2026-05-01 12:00", seasons: true });
      document.getElementById("sunPath").click();
      const img = document.querySelector("#almanacView img.paperPage.landscape");
      document.getElementById("almanacView").hidden = true;
      const picture = answer.picture;
      delete answer.picture;
      return {answer, image: img !== null, landscape: picture.width > picture.height,
              labels: picture.ops.filter((o) => o[0] === "text").map((o) => o[1]).join("|")};
    });
    const diff = sameValue(shown.answer, JSON.parse(readFileSync(file, "utf8")), 1e-9);
    check(!diff && shown.image && shown.landscape && shown.labels.includes("夏至（6月21日）"),
          "sunPath() equals --view sunpath's JSON, and the page shows 透明半球 on A4 landscape", diff ?? shown.labels.slice(0, 80));
  }
  // 満ち欠け: the numbers of --view phases, and its page.
  {
    const file = join(work, "phases.json");
    desktop(["--render", file, "--view", "phases", "--body", "金星", "--at", "2026-05-01 12:00", "--place", "東京"], false);
    const shown = await engine.evaluate(() => {
      const answer = window.planetarium.phases({ place: "東京", at: "2026-05-01 12:00", body: "金星" });
      document.getElementById("phases").click();
      const img = document.querySelector("#almanacView img.paperPage.landscape");
      document.getElementById("almanacView").hidden = true;
      delete answer.picture;
      return {answer, image: img !== null};
    });
    const diff = sameValue(shown.answer, JSON.parse(readFileSync(file, "utf8")), 1e-9);
    check(!diff && shown.image && shown.answer.discs.length === 12, "phases() equals --view phases's JSON, and the page shows the discs",
          diff ?? `${shown.answer.discs.length} discs`);
  }
  // 月の観察カード: the Moons of --view moonlog, and the card in the page.
  {
    const file = join(work, "moonlog.json");
    desktop(["--render", file, "--view", "moonlog", "--dir", "southwest", "--every", "60", "--frames", "3",
             "--at", "2026-12-13 17:00", "--place", "東京"], false);
    const shown = await engine.evaluate(() => {
      const answer = window.planetarium.moonCard({ place: "東京", at: "2026-12-13 17:00", face: "南西", every: 60, count: 3 });
      document.getElementById("moonCard").click();
      const img = document.querySelector("#almanacView img.paperPage");
      document.getElementById("almanacView").hidden = true;
      const picture = answer.picture;
      delete answer.picture;
      return {answer, image: img !== null, portrait: picture.height > picture.width};
    });
    const diff = sameValue(shown.answer, JSON.parse(readFileSync(file, "utf8")), 1e-9);
    check(!diff && shown.image && shown.portrait && shown.answer.moons.every((m) => m.inside),
          "moonCard() equals --view moonlog's JSON, and the page shows the card on A4 portrait", diff ?? JSON.stringify(shown.answer.moons));
  }
  // 宇宙から見た図: the numbers and a planet's pixel of --view orbits, and
  // the split beside the sky that a tap on Venus turns toward it.
  {
    const file = join(work, "orbits.json");
    desktop(["--render", file, "--view", "orbits", "--at", "2026-08-15 19:00", "--place", "東京"], false);
    const found = desktop(["--find", "金星", "--view", "orbits", "--at", "2026-08-15 19:00", "--place", "東京"]);
    const shown = await engine.evaluate(async () => {
      const answer = window.planetarium.orbits({ place: "東京", at: "2026-08-15 19:00", facing: 180 });
      const venus = window.planetarium.orbits({ place: "東京", at: "2026-08-15 19:00", find: "金星" });
      document.getElementById("date").value = "2026-08-15";
      document.getElementById("time").value = "19:00";
      document.getElementById("place").value = "東京";
      const before = document.getElementById("sky").getBoundingClientRect().width;
      document.getElementById("orbits").click();
      await new Promise((r) => setTimeout(r, 300));
      const side = document.getElementById("orbitCanvas").getBoundingClientRect();
      const after = document.getElementById("sky").getBoundingClientRect().width;
      const v = answer.bodies.find((b) => b.name === "金星");
      document.getElementById("orbitCanvas").dispatchEvent(new MouseEvent("click", {
        clientX: side.left + (v.x / answer.frame.width) * side.width, clientY: side.top + (v.y / answer.frame.height) * side.height,
        bubbles: true }));
      const target = document.getElementById("orbitTarget").value;
      document.getElementById("orbitClose").click();
      await new Promise((r) => setTimeout(r, 300));
      const restored = document.getElementById("sky").getBoundingClientRect().width;
      delete answer.picture;
      return {answer, venus, before, after, restored, sideWidth: side.width, target};
    });
    const diff = sameValue(shown.answer, JSON.parse(readFileSync(file, "utf8")), 1e-9) ?? sameValue(shown.venus, found, 1e-9);
    check(!diff && shown.sideWidth > 100 && shown.after < shown.before && shown.target === "金星" &&
          Math.abs(shown.restored - shown.before) < 2,
          "orbits() and its find equal --view orbits and --find --view orbits; the split opens beside the sky, a tap on Venus faces it, 閉じる gives the room back",
          diff ?? JSON.stringify({before: shown.before, after: shown.after, side: shown.sideWidth, target: shown.target, restored: shown.restored}));
  }
  // The paper chart: the same calls as the program's PDF draws.
  {
    const web = await engine.evaluate((r) => window.planetarium.chartList(r), requests[0]);
    const ok = web.width === 14655 && web.background === "#ffffff" &&
               web.ops.some((o) => o[0] === "text" && o[1].startsWith("2026年1月15日 22:00 日本時間　東京"));
    check(ok, "the print chart is the paper chart with its title line", `${web.ops.length} calls`);
  }
  const sirius = await engine.evaluate((r) => window.planetarium.find("シリウス", r), requests[0]);
  const webId = await engine.evaluate((x, y, r) => window.planetarium.identify(x, y, r), sirius.x, sirius.y, requests[0]);
  const deskId = desktop(["--identify", `${sirius.x},${sirius.y}`, ...pictureCli(requests[0])]);
  check(!sameValue(webId, deskId, 1e-9) && webId.name === "シリウス", "identify() at Sirius's pixel equals --identify");

  // The canvas against the desktop's PNG of the same request.
  for (const req of [requests[0], requests[2], requests[5], requests[6], requests[7], requests[8]]) {
    await engine.evaluate((r) => window.planetarium.draw({ ...r, scale: 1 }), req);
    const png = join(work, "desk.png");
    desktop(["--render", png, ...pictureCli(req)], false);
    desktop(["--render", join(work, "desk.json"), ...pictureCli(req)], false);
    const textColour = JSON.parse(readFileSync(join(work, "desk.json"), "utf8")).text;
    const { share, textA, textB } = await engine.evaluate(async (dataUrl, textHex) => {
      const img = new Image();
      img.src = dataUrl;
      await img.decode();
      const canvas = document.getElementById("sky");
      const a = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
      const off = new OffscreenCanvas(img.width, img.height);
      off.getContext("2d").drawImage(img, 0, 0);
      const b = off.getContext("2d").getImageData(0, 0, img.width, img.height).data;
      if (a.length !== b.length) return { share: `${canvas.width}x${canvas.height} vs ${img.width}x${img.height}` };
      // Pixels within 40 of the text colour in every channel: the labels' ink.
      const t = [1, 3, 5].map((i) => parseInt(textHex.slice(i, i + 2), 16));
      const ink = (d, i) => Math.abs(d[i] - t[0]) < 40 && Math.abs(d[i + 1] - t[1]) < 40 && Math.abs(d[i + 2] - t[2]) < 40;
      let differ = 0, textA = 0, textB = 0;
      for (let i = 0; i < a.length; i += 4) {
        if (Math.abs(a[i] - b[i]) > 48 || Math.abs(a[i + 1] - b[i + 1]) > 48 || Math.abs(a[i + 2] - b[i + 2]) > 48) differ += 1;
        textA += ink(a, i);
        textB += ink(b, i);
      }
      return { share: differ / (a.length / 4), textA, textB };
    }, `data:image/png;base64,${readFileSync(png).toString("base64")}`, textColour);
    // Large names are text-heavy: their glyph edges differ between the two
    // font rasterisers, so the size of their ink is compared as well.
    // So is the natural sky: its light names and white stars on a
    // near-black sky make each edge pixel that differs a difference of more
    // than the threshold (and the stars' grey edges count as ink there).
    const natural = req.style === "natural" || (!req.style && (req.dir === "free" || req.dir === "zenith"));
    // An engine may rasterise glyphs its own way (engine.rasterSlack).
    const slack = engine.rasterSlack ?? { pixels: 0, ink: 0 };
    const bound = (req.show.includes("bignames") || natural ? 0.02 : 0.01) + slack.pixels;
    if (req.show.includes("bignames") && !natural)
      check(Math.abs(textA / textB - 1) < 0.15 + slack.ink, "the canvas's large names have the desktop's size",
            `${textA} vs ${textB} text pixels`);
    check(share <= bound, `canvas matches --render's PNG: ${req.place} ${req.dir}`, typeof share === "string" ? share : `${(share * 100).toFixed(2)} % of pixels differ`);
    if (req === requests[0] && engine.screenshot)
      await engine.screenshot("#sky", join(process.env.PLANETARIUM_SHOTS ?? work, `${engine.name}-tokyo-2026-01-15.png`));
  }

  return { sirius };
}

// A new build served where the old one was installed (the engine needs
// goto and reload too): at the next start the new worker takes over, the
// page starts again as the new build and says so, and only the new build's
// cache is left.
export async function updateCheck(engine, { check, pagePath }) {
  const site = mkdtempSync(join(tmpdir(), "planetarium-site-"));
  for (const f of ["planetarium.html", "sw.js", "manifest.webmanifest", "icon.svg"])
    copyFileSync(join(dirname(pagePath), f), join(site, f));
  const { server, url } = await serveFolder(site, "planetarium.html");
  let now = "";
  try {
    await engine.goto(url);
    const first = await engine.evaluate(async () => {
      await window.planetarium.ready;
      await navigator.serviceWorker.ready;
      return window.planetarium.version();
    });
    // The next build: another version in the page and its worker.
    const next = "0123456789abcdef";
    for (const f of ["planetarium.html", "sw.js"])
      writeFileSync(join(site, f), readFileSync(join(site, f), "utf8").replaceAll(first, next));
    await engine.reload();
    for (let waited = 0; waited < 20000 && !now.startsWith(next); waited += 250) {
      await new Promise((r) => setTimeout(r, 250));
      now = await engine.evaluate(async () => {
        if (!window.planetarium) return "";
        await window.planetarium.ready;
        return `${window.planetarium.version()} ${document.getElementById("notice").textContent} ${await caches.keys()}`;
      }).catch(() => "");
    }
  } catch (e) {
    now = e.message;
  } finally {
    await new Promise((resolve) => server.close(resolve));
    rmSync(site, { recursive: true, force: true });
  }
  check(now.startsWith("0123456789abcdef") && now.includes("新しい版（01234567）に更新しました") &&
        now.endsWith("planetarium-0123456789abcdef"),
        "a new build served replaces the installed one at the next start and says so", now);
}

// What the page makes to keep and how it reads: ruby for the words beyond
// the 4th grade and none within it, a frame series in a ZIP, a film where
// the engine has an encoder (said plainly where it has none), trails, and
// the planisphere's two A4 pages.
export async function keepChecks(engine, { check, desktop, work }) {
  const req = { ...requests[0], dir: "south" };
  // Readings from the core, then the setting on the page itself.
  const pieces = await engine.evaluate(() => window.planetarium.ruby(["金星は惑星です。12日"], 4));
  check(JSON.stringify(pieces) === JSON.stringify([["金星は", ["惑星", "わくせい"], "です。12日"]]),
        "ruby() reads 惑星 for a 4th grader and leaves 金星 alone", JSON.stringify(pieces));
  const ruby = await engine.evaluate(async () => {
    const select = document.getElementById("furigana");
    const choose = async (value) => {
      select.value = value;
      select.dispatchEvent(new Event("change"));
      await new Promise((r) => setTimeout(r, 50));
    };
    const bases = () => [...document.querySelectorAll("ruby")].map((r) => `${r.firstChild.textContent}:${r.querySelector("rt").textContent}`);
    // Kanji in the controls and the menu that no reading covers.
    const bare = () => {
      const out = [];
      const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
      for (let n = walk.nextNode(); n; n = walk.nextNode()) {
        if (n.parentElement.closest("script,style,rt,ruby,option,.unseen,#status")) continue;
        if (!n.parentElement.closest("#controls,#more")) continue;
        if (/[\u3400-\u9fff]/.test(n.data)) out.push(n.data.trim());
      }
      return out;
    };
    await choose("school");
    const school = bases();
    const playEasy = document.getElementById("play").textContent;
    await choose("all");
    const all = {count: document.querySelectorAll("ruby").length, bare: bare()};
    await choose("");
    return {school, playEasy, all, after: document.querySelectorAll("ruby").length,
            playPlain: document.getElementById("play").textContent};
  });
  check(ruby.school.includes("星座:せいざ") && !ruby.school.some((b) => b.startsWith("方角") || b.startsWith("東")) &&
        ruby.playEasy === "動かす", "ふりがな 小学生: 星座 gets its reading, 方角 and 東 none, 再生 says 動かす",
        ruby.school.slice(0, 6).join(" "));
  check(ruby.all.count > ruby.school.length && ruby.all.bare.length === 0,
        "ふりがな すべて: every kanji word of the controls and the menu is read", ruby.all.bare.join(" ") || `${ruby.all.count} readings`);
  check(ruby.after === 0 && ruby.playPlain === "再生", "ふりがな なし takes every reading back out", `${ruby.after} left`);

  // Trails: the same calls as the desktop's picture with --trails.
  {
    const web = await engine.evaluate((r) => window.planetarium.drawList({ ...r, trails: 2 }), req);
    const file = join(work, "trails.json");
    desktop(["--render", file, ...pictureCli(req), "--trails", "2"], false);
    const diff = sameValue(web, JSON.parse(readFileSync(file, "utf8")), 0.01);
    check(!diff, "a picture with 2 hours of trails equals --trails 2", diff ?? `${web.ops.length} calls`);
  }
  // A frame series: three stamped PNGs of the picture's size, in one ZIP.
  const zip = await engine.evaluate(async (r) => {
    const blob = await window.planetarium.frameZip(r, { frames: 3, every: 15 });
    const bytes = new Uint8Array(await blob.arrayBuffer());
    const view = new DataView(bytes.buffer);
    const files = [];
    for (let at = 0; view.getUint32(at, true) === 0x04034b50;) {
      const size = view.getUint32(at + 18, true), nameLength = view.getUint16(at + 26, true);
      const name = new TextDecoder().decode(bytes.subarray(at + 30, at + 30 + nameLength));
      const data = at + 30 + nameLength;
      files.push({name, png: view.getUint32(data) === 0x89504e47, width: view.getUint32(data + 16), height: view.getUint32(data + 20)});
      at = data + size;
    }
    const stamps = [0, 1].map((k) => window.planetarium.drawList({...r, stamp: true, at: k ? "2026-01-15 22:15" : r.at})
      .ops.filter((o) => o[0] === "text" && o[1].startsWith("2026年")).map((o) => o[1]).join(""));
    return {files, stamps};
  }, req);
  check(zip.files.length === 3 && zip.files.every((f, i) => f.png && f.name === `frame-000${i + 1}.png` && f.width === 977 && f.height === 625) &&
        zip.stamps[1].includes("22:15") && zip.stamps[1].includes("東京"),
        "コマを保存: three stamped 977×625 PNGs, frame-0001.png …, in one ZIP", `${JSON.stringify(zip.files[0])} ${zip.stamps[1]}`);
  // A film through the engine's own encoder.
  const film = await engine.evaluate(async (r) => {
    const type = window.planetarium.filmType();
    if (!type) return {type};
    let blob;
    try {
      blob = await window.planetarium.film(r, { frames: 4, every: 15, fps: 8 });
    } catch (e) {
      return {type, error: e.message};
    }
    const head = new DataView(await blob.slice(0, 12).arrayBuffer());
    return {type, size: blob.size, blobType: blob.type, webm: head.byteLength >= 4 && head.getUint32(0) === 0x1a45dfa3,
            mp4: head.byteLength >= 8 && head.getUint32(4) === 0x66747970};
  }, req);
  if (film.type === null) {
    // This engine's MediaRecorder cannot record a canvas here: the page
    // says so and offers the frame series (checked above) instead.
    const said = await engine.evaluate(() => {
      document.getElementById("film").click();
      return document.getElementById("filmProgress").textContent;
    });
    check(said.includes("動画を作れません"), `${engine.name} has no film encoder for a canvas: the page says so and offers the ZIP`, said);
  } else if (film.error) {
    // Offered, but the encoder records nothing here (WebKitGTK without
    // GStreamer's video encoders): the page says so and hands over no file.
    check(film.error.includes("動画を作れませんでした"), `${engine.name} offers ${film.type} but records nothing: the page says so, no empty file`,
          film.error);
  } else {
    check(film.size > 2000 && ((film.blobType === "video/webm" && film.webm) || (film.blobType === "video/mp4" && film.mp4)),
          `動画を作る: a ${film.blobType} film of four pictures`, `${film.type}, ${film.size} bytes`);
  }
  // The planisphere's two pages, A4 in twips, with the place on the mask.
  const paper = await engine.evaluate((r) => {
    const answer = window.planetarium.planisphere({ place: r.place, at: r.at });
    document.getElementById("planisphere").click();
    const imgs = [...document.querySelectorAll("#almanacView img.paperPage")];
    document.getElementById("almanacView").hidden = true;
    return {fileName: answer.fileName, a4: answer.pages.every((p) => Math.abs(p.width - 210 / 25.4 * 1440) < 1 && Math.abs(p.height - 297 / 25.4 * 1440) < 1),
            mask: answer.pages[1].ops.some((o) => o[0] === "text" && o[1].includes(r.place)), images: imgs.length,
            refused: (() => { try { window.planetarium.planisphere({ lat: 3, lon: 100 }); return ""; } catch (e) { return e.message; } })()};
  }, req);
  check(paper.fileName === "hayami-東京.pdf" && paper.a4 &&
        paper.mask && paper.images === 2 && paper.refused !== "",
        "星座早見盤: two A4 pages, the mask naming the place, shown as two images; the equator refused",
        `${paper.fileName} ${paper.refused}`);
}
