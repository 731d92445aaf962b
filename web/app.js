// The browser edition's page: the controls, the canvas that replays the
// core's draw list, and window.planetarium for scripts and tests. Every
// answer comes from the WebAssembly core (web_main.cpp), which runs the
// command line's own functions.
"use strict";

(() => {
  const STORE = "planetarium.place";
  const UPDATED = "planetarium.updated";
  let core = null;
  // Where the picture meets the canvas: the core's twips per design pixel
  // and the picture's design size (from the "viewport" request).
  let viewport = null;

  // One request to the core: a JSON object in, its answer out. The request
  // is copied into the core's heap (not its stack), so a request of any
  // length is answered or refused and leaves the core as it was.
  function call(request) {
    const json = JSON.stringify(request);
    const bytes = core.lengthBytesUTF8(json) + 1;
    const at = core._malloc(bytes);
    if (!at) throw new Error("the request is too long");
    let text;
    try {
      core.stringToUTF8(json, at, bytes);
      text = core.UTF8ToString(core._pl_call(at));
    } finally {
      core._free(at);
    }
    // The almanac's CSV and tonight's sentences are text; errors are JSON.
    const plain = request.op === "almanac" || (request.op === "tonight" && !request.json);
    const value = plain && !text.startsWith('{"error"') ? text : JSON.parse(text);
    if (value && typeof value === "object" && !Array.isArray(value) && "error" in value && "status" in value) {
      const e = new Error(value.error);
      e.status = value.status;
      e.candidates = value.candidates ?? [];
      throw e;
    }
    return value;
  }

  // The members of a page request ({at, place | lat, lon, tz, dir, show,
  // constellations, scale, seed}) that a question takes.
  function momentAndPlace(req) {
    const q = {};
    if (req.at) q.at = req.at;
    if (req.place) q.place = req.place;
    else if (req.lat !== undefined && req.lon !== undefined) {
      q.lat = Number(req.lat);
      q.lon = Number(req.lon);
      if (req.tz) q.tz = req.tz;
    }
    return q;
  }
  function pictureQuery(req) {
    const q = momentAndPlace(req);
    if (req.dir) q.dir = req.dir;
    if (req.look) q.look = {az: Number(req.look.az), alt: Number(req.look.alt)};
    if (req.fov !== undefined) q.fov = Number(req.fov);
    if (req.style) q.style = String(req.style);
    if (req.show && req.show.length) q.show = [].concat(req.show);
    if (req.constellations && req.constellations.length) q.constellations = req.constellations === "all" ? "all" : [].concat(req.constellations);
    if (req.scale) q.scale = Number(req.scale);
    q.seed = req.seed === undefined ? 1 : Number(req.seed);
    if (req.trails) q.trails = Number(req.trails);
    if (req.stamp) q.stamp = true;
    return q;
  }

  // The draw list replayed on a canvas as the desktop's painter paints it:
  // device pixel = floor(twips * scale / twipsPerPixel); marks (points, lines) a design
  // pixel wide; discs smaller than that are the pixel they are in.
  function paint(canvas, list, scale) {
    const k = scale / viewport.twipsPerPixel;
    const mark = Math.max(1, Math.round(scale));
    const w = Math.ceil((list.width / viewport.twipsPerPixel) * scale);
    const h = Math.ceil((list.height / viewport.twipsPerPixel) * scale);
    if (canvas.width !== w) canvas.width = w;
    if (canvas.height !== h) canvas.height = h;
    const g = canvas.getContext("2d");
    const px = (t) => Math.floor(t * k);
    const centre = (t) => px(t) + mark / 2;
    const ok = (v) => typeof v === "number" && Number.isFinite(v) && Math.abs(v) <= 1e6;
    const fontFor = (factor) => {
      const fontPx = Math.round(12 * scale * factor);
      g.font = `${fontPx}px IPAGothic, "Hiragino Sans", "Noto Sans CJK JP", "Noto Sans JP", sans-serif`;
      return g.measureText("漢").fontBoundingBoxAscent || fontPx * 0.88;
    };
    g.textBaseline = "alphabetic";
    let ascent = fontFor(1);
    let fill = list.background;
    let at = [0, 0];
    let dash = [];
    const dashes = {solid: [], dashed: [6, 4], dotted: [1, 3], dashdot: [9, 3, 2, 3]};
    for (const op of list.ops) {
      switch (op[0]) {
        case "clear":
          g.fillStyle = list.background;
          g.fillRect(0, 0, w, h);
          at = [0, 0];
          break;
        case "line": {
          const [, x1, y1, x2, y2, c] = op;
          if (![x1, y1, x2, y2].every(ok)) break;
          g.strokeStyle = c;
          g.lineWidth = mark;
          g.setLineDash(dash.map((d) => d * mark));
          g.beginPath();
          g.moveTo(centre(x1), centre(y1));
          g.lineTo(centre(x2), centre(y2));
          g.stroke();
          break;
        }
        case "point": {
          const [, x, y, c] = op;
          if (!ok(x) || !ok(y)) break;
          g.fillStyle = c;
          g.fillRect(px(x), px(y), mark, mark);
          break;
        }
        case "disc": {
          const [, x, y, r, c] = op;
          if (![x, y, r].every(ok)) break;
          const rr = Math.abs(r) * k;
          if (rr < 0.75 * mark) {
            g.fillStyle = c;
            g.fillRect(px(x), px(y), mark, mark);
            break;
          }
          g.beginPath();
          g.arc(centre(x), centre(y), rr, 0, 2 * Math.PI);
          g.fillStyle = fill;
          g.fill();
          g.strokeStyle = c;
          g.lineWidth = 1;
          g.setLineDash([]);
          g.stroke();
          break;
        }
        case "at":
          at = ok(op[1]) && ok(op[2]) ? [op[1], op[2]] : [-1e6, -1e6];
          break;
        case "text":
          if (op[1]) {
            g.fillStyle = list.text;
            g.fillText(op[1], at[0] * k, at[1] * k + ascent);
          }
          break;
        case "fill":
          fill = op[1];
          break;
        case "style":
          dash = dashes[op[1]] || [];
          break;
        case "textScale":
          ascent = fontFor(ok(op[1]) && op[1] > 0 ? Math.min(op[1], 8) : 1);
          break;
        case "polyline":
        case "polygon": {
          const p = op[1];
          if (p.length < 4 || !p.every(ok)) break;
          g.beginPath();
          g.moveTo(centre(p[0]), centre(p[1]));
          for (let i = 2; i < p.length; i += 2) g.lineTo(centre(p[i]), centre(p[i + 1]));
          if (op[0] === "polygon") {
            g.closePath();
            g.fillStyle = fill;
            g.fill();
            g.lineWidth = 1;
            g.setLineDash([]);
          } else {
            g.lineWidth = mark;
            g.setLineDash(dash.map((d) => d * mark));
          }
          g.strokeStyle = op[2];
          g.stroke();
          break;
        }
        default:
          break;
      }
    }
    g.setLineDash([]);
  }

  // ---- The page -------------------------------------------------------
  const $ = (id) => document.getElementById(id);
  // look: where the free view (自由) looks, {az, alt, fov} in degrees.
  // The page opens on the free view in the natural sky, looking south.
  const keep = planetariumKeep({
    drawList: (req) => api.drawList(req),
    step: (at, minutes) => {
      const next = call({op: "step", at, minutes});
      return `${next.date} ${next.time}`;
    },
    paint: (canvas, list, scale) => paint(canvas, list, scale),
    twipsPerPixel: () => viewport.twipsPerPixel,
  });
  const furigana = planetariumFurigana((texts, grade) => call({op: "ruby", texts, grade}));
  const state = {dir: "free", timer: null, places: [], figures: [], look: {az: 180, alt: 35, fov: 90}};
  const DIRECTIONS = ["north", "east", "south", "west", "zenith", "free"];
  const STYLES = ["", "natural", "screen"];
  const FURIGANA = ["", "school", "all"];

  function two(n) {
    return String(n).padStart(2, "0");
  }
  // Now in Japan Standard Time, as "YYYY-MM-DD" and "HH:MM", by the core's rule.
  function jstNow() {
    const now = call({op: "now"});
    return [now.date, now.time];
  }

  function pageRequest() {
    const req = {at: `${$("date").value} ${$("time").value}`, dir: state.dir, scale: 1, seed: 1};
    if (state.dir === "free") {
      req.look = {az: state.look.az, alt: state.look.alt};
      req.fov = state.look.fov;
    }
    if ($("style").value) req.style = $("style").value;
    const place = $("place").value;
    if (place === "入力") {
      req.lat = Number($("lat").value);
      req.lon = Number($("lon").value);
    } else {
      req.place = place;
    }
    if ($("trails").value) req.trails = Number($("trails").value);
    req.show = [...document.querySelectorAll("#options input:checked")].map((i) => i.dataset.show);
    const chosen = [...document.querySelectorAll("#figureList input:checked")].map((i) => i.value);
    if (chosen.length) req.constellations = chosen.length === state.figures.length ? "all" : chosen;
    return req;
  }

  // A message that outlasts the redraws after it (the status line is the
  // picture's own): shown over the picture until tapped, or for 15 seconds.
  function notice(text) {
    const n = $("notice");
    n.textContent = text;
    n.hidden = false;
    clearTimeout(state.noticeTimer);
    state.noticeTimer = setTimeout(() => { n.hidden = true; }, 15000);
  }

  function say(text) {
    state.said = text;
    $("status").textContent = text;
  }

  // The picture in words for a screen reader: the moment and place, then
  // the night's sentences (今夜の見どころ), made once the picture has been
  // still for a moment and only when the day or the place changed.
  let describeTimer = null;
  function describeSky(req) {
    clearTimeout(describeTimer);
    describeTimer = setTimeout(() => {
      const key = `${req.at.slice(0, 10)} ${req.place ?? `${req.lat},${req.lon}`}`;
      if (state.described === key) return;
      state.described = key;
      let words = "";
      try {
        words = api.tonightText(req);
      } catch (e) {
        words = "";
      }
      $("skyText").textContent = `${state.said}。${words}`;
    }, 400);
  }

  // The picture as large as fits the space under the controls, its shape kept.
  function fitPicture() {
    const canvas = $("sky");
    const main = document.querySelector("main");
    const box = main.getBoundingClientRect();
    // With 宇宙から見た図 open, the sky has the rest of the room.
    const side = $("orbitSide").hidden ? null : $("orbitSide").getBoundingClientRect();
    const column = side && getComputedStyle(main).flexDirection === "column";
    const room = {width: box.width - (side && !column ? side.width + 6 : 0), height: box.height - (column ? side.height + 6 : 0)};
    const width = Math.max(1, Math.floor(Math.min(room.width, (room.height * 977) / 625)));
    canvas.style.width = `${width}px`;
    canvas.style.height = `${Math.floor((width * 625) / 977)}px`;
  }

  // A sheet over the picture: the answer panels and the menu. Opening one
  // answer panel closes the menu, so the answer is what is seen.
  function openSheet(sheet) {
    if (sheet.id !== "more") setMenu(false);
    sheet.hidden = false;
    sheet.classList.toggle("paper", sheet.querySelector(".paperPage") !== null);
    // A panel of text (こよみ, 数値, 今夜の見どころ, 使い方) prints by itself.
    if (sheet.id === "almanacView" && !sheet.querySelector(":scope > .printPanel")) {
      const print = document.createElement("button");
      print.type = "button";
      print.className = "printPanel close";
      print.textContent = "印刷";
      print.addEventListener("click", () => {
        // Paper pages (the planisphere) print on A4 portrait without margins.
        const page = sheet.classList.contains("paper") ? document.createElement("style") : null;
        if (page) {
          const landscape = sheet.querySelector(".paperPage.landscape") !== null;
          page.textContent = `@media print { @page { size: A4 ${landscape ? "landscape" : "portrait"}; margin: 0; } }`;
          document.head.append(page);
        }
        document.body.classList.add("printingPanel");
        window.print();
        document.body.classList.remove("printingPanel");
        page?.remove();
      });
      sheet.prepend(print);
    }
    // A panel of settings (動画・コマ) has nothing to print.
    const print = sheet.querySelector(":scope > .printPanel");
    if (print) print.hidden = sheet.querySelector(".filmForm") !== null;
    if (!sheet.querySelector(":scope > .close")) {
      const close = document.createElement("button");
      close.type = "button";
      close.className = "close";
      close.textContent = "閉じる";
      close.addEventListener("click", () => { sheet.hidden = true; });
      sheet.prepend(close);
    }
  }
  const playLabel = () => (state.timer ? "一時停止" : "再生");

  function setMenu(open) {
    $("more").hidden = !open;
    $("menu").setAttribute("aria-expanded", String(open));
  }

  // What the next visit starts from: the place, the view and the settings.
  function remember() {
    try {
      localStorage.setItem(STORE, JSON.stringify({place: $("place").value, lat: $("lat").value, lon: $("lon").value,
                                                  dir: state.dir, look: state.look, style: $("style").value,
                                                  furigana: $("furigana").value}));
    } catch (e) {
      // Storage full or refused: the page works on, it only forgets.
    }
  }

  function drawPage() {
    try {
      const req = pageRequest();
      const list = api.drawList(req);
      const canvas = $("sky");
      // The picture fills the canvas's width, whatever the screen.
      const scale = (window.devicePixelRatio || 1) * (canvas.clientWidth / viewport.widthPx || 1);
      paint(canvas, list, scale);
      state.shown = {req, scale};
      $("ring").hidden = true;
      describeSky(req);
      if (!$("orbitSide").hidden) drawOrbits(req);
      say(`${req.at}（日本時間）　${req.place || `北緯 ${req.lat}°、東経 ${req.lon}°`}` +
          (req.trails ? `　軌跡 ${req.trails} 時間` : ""));
      remember();
    } catch (e) {
      say(e.message);
    }
  }

  // One step of the timer by the program's calendar (the core's): the
  // Julian calendar before 1582-10-15 and every year -32768..32767, as the
  // window steps. False, with the reason shown, when it cannot step.
  function stepMinutes(minutes) {
    try {
      const next = call({op: "step", at: `${$("date").value} ${$("time").value}`, minutes});
      $("date").value = next.date;
      $("time").value = next.time;
      return true;
    } catch (e) {
      say(e.message);
      return false;
    }
  }

  // The place remembered from the last visit, when it can still be used: a
  // place of the list, or 入力 with a latitude and longitude in range.
  // Anything else (damaged, too long, from an older page) counts as none.
  // What the last visit stored, read once: an object, or null for nothing,
  // damaged or too long.
  function readStore() {
    try {
      const text = localStorage.getItem(STORE);
      const stored = text && text.length < 4096 ? JSON.parse(text) : null;
      return stored && typeof stored === "object" ? stored : null;
    } catch (e) {
      return null;
    }
  }

  function storedPlace() {
    const stored = readStore();
    if (!stored || typeof stored.place !== "string") return null;
    if (stored.place === "入力") {
      const lat = Number(stored.lat), lon = Number(stored.lon);
      const ok = typeof stored.lat === "string" && typeof stored.lon === "string" && stored.lat.trim() !== "" &&
                 stored.lon.trim() !== "" && Math.abs(lat) <= 90 && Math.abs(lon) <= 180;
      return ok ? {place: "入力", lat: stored.lat, lon: stored.lon} : null;
    }
    return state.places.some((p) => p.name === stored.place) ? {place: stored.place} : null;
  }

  // The view remembered from the last visit: the direction, where the free
  // view looked and the style, each only when it reads as one of the page's.
  function storedView() {
    const stored = readStore();
    if (!stored) return {};
    const out = {};
    if (DIRECTIONS.includes(stored.dir)) out.dir = stored.dir;
    if (STYLES.includes(stored.style)) out.style = stored.style;
    if (FURIGANA.includes(stored.furigana)) out.furigana = stored.furigana;
    const l = stored.look;
    if (l && typeof l === "object" && [l.az, l.alt, l.fov].every((v) => typeof v === "number" && Number.isFinite(v)) &&
        Math.abs(l.alt) <= 90 && l.fov >= MIN_FOV && l.fov <= MAX_FOV) {
      out.look = {az: ((l.az % 360) + 360) % 360, alt: l.alt, fov: l.fov};
    }
    return out;
  }

  // 向き: the free view faces a compass point at the height looked at (a
  // view from the zenith or below the horizon comes to 20°), or the zenith.
  function face(az) {
    const look = {...state.look};
    if (az === "zenith") {
      look.alt = 90;
    } else {
      look.az = Number(az);
      if (!(look.alt >= 0 && look.alt < 89)) look.alt = 20;
    }
    state.dir = "free";
    markDirection();
    setLook(look);
  }

  // Where an answer stands, in the card's own words (「高度 61.7°　方位 181.9°（南）」).
  const whereText = (a) => (a.card || []).find((line) => line.startsWith("高度")) ?? `高度 ${a.alt.toFixed(1)}°　方位 ${a.az.toFixed(1)}°`;

  // The card sheet, filled anew: a heading, lines of text, then any other
  // elements (buttons); `name` is the object it is about ("" for none).
  function fillCard(title, lines, extra, name) {
    const card = $("card");
    card.innerHTML = "";
    const h = document.createElement("h2");
    h.textContent = title;
    card.append(h);
    for (const line of lines) {
      const p = document.createElement("p");
      p.textContent = line;
      card.append(p);
    }
    card.append(...extra);
    openSheet(card);
    card.dataset.name = name;
  }

  // A button of the card that closes it and does `act`.
  function cardButton(text, act) {
    const b = document.createElement("button");
    b.type = "button";
    b.textContent = text;
    b.addEventListener("click", () => {
      $("card").hidden = true;
      act();
    });
    return b;
  }

  // The card of the object at a tap: the window's card, line for line.
  function showCard(answer) {
    if (answer.kind === "none") {
      $("card").hidden = true;
      say(whereText(answer));
      return;
    }
    fillCard(answer.name, (answer.card || []).slice(1), [], answer.name);
  }

  // The pixel of the picture (at the request's scale) under a pointer
  // event: CSS pixels to canvas pixels to the picture's own.
  function picturePixel(event) {
    const canvas = $("sky");
    const rect = canvas.getBoundingClientRect();
    return [((event.clientX - rect.left) / rect.width) * (canvas.width / state.shown.scale),
            ((event.clientY - rect.top) / rect.height) * (canvas.height / state.shown.scale)];
  }

  function identifyAt(event) {
    if (!state.shown) return;
    const [x, y] = picturePixel(event);
    try {
      showCard(api.identify(x, y, state.shown.req));
    } catch (e) {
      say(e.message);
    }
  }

  function showAlmanac() {
    const req = pageRequest();
    const csv = api.almanacMonth(req);
    showTable(`こよみ ${req.at.slice(0, 7)}　${req.place || "入力した場所"}`, csv.trim().split("\n").map((line) => line.split(",")));
  }

  // A table of rows (the first one the heading) in the panel under the picture.
  function showTable(title, rows) {
    const view = panel(title);
    const table = document.createElement("table");
    rows.forEach((row, i) => {
      const tr = table.insertRow();
      for (const cell of row) {
        const td = document.createElement(i === 0 ? "th" : "td");
        td.textContent = cell ?? "--:--";
        tr.append(td);
      }
    });
    view.append(table);
    openSheet(view);
  }

  // 使い方: how the page is worked, in a panel.
  const HELP = [
    ["空を描く", "日付・時刻（日本時間）と場所を選び、方角（北・東・南・西・全天・自由）を押すと、その空が描かれます。「今」で今の時刻になります。"],
    ["自由に見回す", "「自由」では、絵を指でなぞると空が回り、2本の指で広げると拡大します。「向き」のボタンで北・北東…天頂を向きます。2回続けてタップすると元の広さに戻ります。"],
    ["星や惑星を調べる", "絵の中の星や月をタップすると、名前・明るさ・高度と方位・今日の出と入りが出ます。「天体を探す」に名前（ひらがなでも）を入れて「探す」を押すと、その天体に丸がつきます。"],
    ["時間を進める", "メニューで間隔（分）と表示間隔を選び、「再生」を押すと時刻が進みます。もう一度押すと止まります。"],
    ["授業で使う", "メニューの「全画面」で絵だけを大きく映せます。「大きな星名」で教室の後ろからも読めます。「今夜の見どころ」「こよみ」は印刷できます。「印刷」は白黒の星図を印刷します。"],
    ["空の描き方", "「自然な空」では、夕方から夜の空の色と、その明るさで見える星だけが、本当の色で描かれます。"],
    ["ふりがな", "メニューの「ふりがな」で「小学生」を選ぶと、4年生までに習わない漢字の言葉にふりがながつき、いくつかのボタンがやさしい言葉になります。「すべて」ではすべての漢字の言葉につきます。"],
    ["動画・コマ・軌跡", "「動画・コマ」で、入力した日時から間隔ごとの空を動画（WebM など）や、番号つきの PNG 画像（ZIP）にできます。「軌跡」を選ぶと、星が動いた道すじが描かれます。"],
    ["星座早見盤", "「星座早見盤」で、その場所の星図盤と地平盤の 2 枚を A4 に印刷できます。"],
    ["授業の図", "「透明半球」「満ち欠け」「月の観察カード」は A4 の図になり、印刷や PNG での保存ができます。「宇宙から見た図」は空の絵の横に開き、時刻を動かすといっしょに動きます。惑星をタップすると地球からの視線が引かれます。"],
  ];
  function showHelp() {
    const view = panel("使い方");
    for (const [title, text] of HELP) {
      const t = document.createElement("h3");
      t.textContent = title;
      const p = document.createElement("p");
      p.textContent = text;
      view.append(t, p);
    }
    openSheet(view);
  }

  const BODY_NAMES = {Sun: "太陽", Moon: "月", Venus: "金星", Mars: "火星", Jupiter: "木星", Saturn: "土星"};

  // 数値: where the six bodies are (the numbers --json gives).
  function showNumbers() {
    const req = pageRequest();
    const j = api.json(req);
    showTable(`数値　${req.at}（日本時間）`, [["天体", "赤経 (h)", "赤緯 (°)", "高度 (°)", "方位 (°)"],
      ...j.bodies.map((b) => [BODY_NAMES[b.name], b.ra.toFixed(3), b.dec.toFixed(2), b.alt.toFixed(1), b.az.toFixed(1)])]);
  }

  // こよみ その日: the rise, transit and set of the day (--json's almanac).
  function showToday() {
    const req = pageRequest();
    const a = api.json(req).almanac;
    const keys = ["sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune"];
    const names = ["太陽", "月", "水星", "金星", "火星", "木星", "土星", "天王星", "海王星"];
    // The clock in words: 日本時間, a listed place's own (「ロンドン時間」), or 現地時間.
    const zone = a.timeZone === "Asia/Tokyo" ? "日本時間" : req.place ? `${req.place}時間` : "現地時間";
    showTable(`こよみ ${a.date}　${req.place || "入力した場所"}（${zone}）　正午月齢 ${a.moonAge.toFixed(1)}`,
              [["", "出", "南中", "入り"], ...keys.map((k, i) => [names[i], a[k].clock.rise, a[k].clock.transit, a[k].clock.set])]);
  }

  // The panel sheet emptied, under a heading.
  function panel(title) {
    const view = $("almanacView");
    view.innerHTML = "";
    const h = document.createElement("h2");
    h.textContent = title;
    view.append(h);
    return view;
  }

  // 今夜の見どころ: the night's sentences, to copy into a newsletter.
  function showTonight() {
    const view = panel("今夜の見どころ");
    const pre = document.createElement("pre");
    pre.id = "tonightText";
    let text;
    try {
      text = api.tonightText(pageRequest());
    } catch (e) {
      text = e.message;
    }
    pre.textContent = text;
    const copy = document.createElement("button");
    copy.type = "button";
    copy.textContent = "コピー";
    // The sentences as written, without the readings shown over them.
    copy.addEventListener("click", () => navigator.clipboard && navigator.clipboard.writeText(text));
    view.append(copy, pre);
    openSheet(view);
  }

  // A file handed to the browser to keep.
  function download(blob, name) {
    const a = document.createElement("a");
    a.download = name;
    a.href = URL.createObjectURL(blob);
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 60000);
  }
  const fileStem = (req) => `sky-${req.at.replace(" ", "-").replace(":", "")}-${req.dir}`;

  // 動画・コマ: from the moment entered, a picture every interval, as a film
  // (WebM, or MP4 in Safari) or as numbered PNGs in one ZIP; a progress
  // line and 中止 while it is made.
  function showFilm() {
    const view = panel("動画・コマ");
    const form = document.createElement("div");
    form.className = "filmForm";
    form.innerHTML = `<p>入力した日時から、間隔ごとに空の絵を作ります。それぞれの絵に日時と場所が入ります。</p>
      <label>間隔 <select id="filmEvery"><option value="5">5分</option><option value="10">10分</option>
        <option value="15">15分</option><option value="30">30分</option><option value="60">1時間</option>
        <option value="1440">1日</option><option value="1436">1恒星日</option></select></label>
      <label>枚数 <input id="filmFrames" type="number" min="2" max="600" step="1" value="24"></label>
      <label>1秒に <select id="filmFps"><option value="2">2枚</option><option value="4" selected>4枚</option>
        <option value="8">8枚</option><option value="12">12枚</option></select></label>
      <div><button type="button" id="filmMake">動画を作る</button><button type="button" id="filmZip">コマを保存（ZIP）</button>
        <button type="button" id="filmStop" disabled>中止</button></div>
      <p id="filmProgress" role="status"></p>`;
    view.append(form);
    openSheet(view);
    const every = $("step").value;
    if ([...$("filmEvery").options].some((o) => o.value === every)) $("filmEvery").value = every;
    if (!keep.filmType()) {
      $("filmMake").disabled = true;
      $("filmProgress").textContent = "このブラウザでは動画を作れません。「コマを保存（ZIP）」を使ってください。";
    }
    let controller = null;
    const run = async (film) => {
      const frames = Math.round(Number($("filmFrames").value));
      if (!(frames >= 2 && frames <= 600)) {
        $("filmProgress").textContent = "枚数は 2 から 600 までです。";
        return;
      }
      const req = pageRequest();
      const options = {frames, every: Number($("filmEvery").value), fps: Number($("filmFps").value), base: fileStem(req)};
      controller = new AbortController();
      for (const id of ["filmMake", "filmZip"]) $(id).disabled = true;
      $("filmStop").disabled = false;
      const progress = (k, n) => { $("filmProgress").textContent = `${k} / ${n} 枚`; };
      try {
        const blob = await (film ? keep.film(req, options, progress, controller.signal)
                                 : keep.frameZip(req, options, progress, controller.signal));
        download(blob, `${options.base}.${film ? (blob.type === "video/mp4" ? "mp4" : "webm") : "zip"}`);
        $("filmProgress").textContent = `できました（${frames} 枚、${Math.round(blob.size / 1024)} KB）。`;
      } catch (e) {
        $("filmProgress").textContent = e.name === "AbortError" ? "中止しました。何も保存していません。" : e.message;
      } finally {
        controller = null;
        $("filmMake").disabled = !keep.filmType();
        $("filmZip").disabled = false;
        $("filmStop").disabled = true;
      }
    };
    $("filmMake").addEventListener("click", () => run(true));
    $("filmZip").addEventListener("click", () => run(false));
    $("filmStop").addEventListener("click", () => controller?.abort());
  }

  const ECLIPSE_NAMES = {
    solar: {total: "皆既日食", annular: "金環日食", hybrid: "金環皆既日食", partial: "部分日食"},
    lunar: {total: "皆既月食", partial: "部分月食", penumbral: "半影月食"},
  };

  // 日食・月食: this year's and the next ten years' eclipses at the place;
  // one chosen shows its table (the national almanac's manner) and can
  // draw the sky at its greatest phase.
  function showEclipses() {
    const view = panel("日食・月食");
    const req = pageRequest();
    let list;
    try {
      list = api.eclipses(req);
    } catch (e) {
      const p = document.createElement("p");
      p.textContent = e.message;
      view.append(p);
      openSheet(view);
      return;
    }
    const table = document.createElement("table");
    table.className = "eclipseList";
    const head = table.insertRow();
    for (const h of ["日付", "種類", "ここでは"]) {
      const th = document.createElement("th");
      th.textContent = h;
      head.append(th);
    }
    const detail = document.createElement("div");
    for (const e of list) {
      const tr = table.insertRow();
      const pick = document.createElement("button");
      pick.type = "button";
      pick.textContent = e.date;
      pick.addEventListener("click", () => showEclipse(e.date, detail));
      const kind = tr.insertCell();
      kind.textContent = ECLIPSE_NAMES[e.kind][e.type];
      const here = tr.insertCell();
      here.textContent = !e.local.seen ? "見られない" : e.kind === "solar"
        ? `${ECLIPSE_NAMES.solar[e.local.type]}（食分 ${e.local.magnitude.toFixed(3)}）`
        : e.type === "penumbral" ? "見られる" : `見られる（食分 ${e.local.magnitude.toFixed(3)}）`;
      tr.insertCell(0).append(pick);
    }
    view.append(table, detail);
    openSheet(view);
  }

  function showEclipse(date, into) {
    into.innerHTML = "";
    try {
      const e = api.eclipse(date, pageRequest());
      const pre = document.createElement("pre");
      pre.className = "eclipseTable";
      pre.textContent = e.text;
      const draw = document.createElement("button");
      draw.type = "button";
      draw.textContent = "食の最大の空を描く";
      const max = e.events.find((m) => m.event === "max");
      // The eclipse at its greatest phase here, zenith up.
      const canvas = document.createElement("canvas");
      canvas.className = "eclipsePicture";
      paint(canvas, e.picture, 1);
      draw.addEventListener("click", () => {
        const [d, t] = max.time.split("T");
        $("date").value = d;
        $("time").value = t.slice(0, 5);
        drawPage();
      });
      into.append(canvas, pre, draw);
    } catch (err) {
      into.textContent = err.message;
    }
  }

  // 星座早見盤: the place's two A4 pages (the star disc, the horizon mask)
  // to print on card, or to keep as PNGs.
  // A paper page shown in a panel as an image (the canvas painted at 200
  // dpi), with a button that saves it as a PNG named `file`.
  function appendPaperPage(view, canvas, alt, file, className = "paperPage", label = "PNG で保存") {
    const img = document.createElement("img");
    img.className = className;
    img.alt = alt;
    img.src = canvas.toDataURL("image/png");
    const save = document.createElement("button");
    save.type = "button";
    save.textContent = label;
    save.addEventListener("click", () => canvas.toBlob((b) => download(b, file), "image/png"));
    view.append(save, img);
  }
  // A lesson's draw list painted at 200 dpi.
  function paperCanvas(list) {
    const canvas = document.createElement("canvas");
    paint(canvas, list, (200 / 1440) * viewport.twipsPerPixel);
    return canvas;
  }

  function showPlanisphere() {
    const view = panel("星座早見盤");
    try {
      const answer = api.planisphere(pageRequest());
      const note = document.createElement("p");
      note.textContent = "2 枚を A4 の厚紙に印刷し、星図盤を切り抜いて地平盤の下に重ね、中心をとめて使います。";
      view.append(note);
      const stem = answer.fileName.replace(/\.pdf$/i, "");
      keep.planispherePages(answer, 200).forEach((canvas, i) => {
        const alt = i === 0 ? "星図盤" : "地平盤";
        appendPaperPage(view, canvas, alt, `${stem}-${i + 1}.png`, "paperPage", `${alt}を PNG で保存`);
      });
    } catch (e) {
      const p = document.createElement("p");
      p.textContent = e.message;
      view.append(p);
    }
    openSheet(view);
  }

  // 透明半球: the Sun's path of the date at the place, the solstices and
  // equinoxes together, or the pupils' record sheet, on the textbook's
  // hemisphere: an A4 landscape page to print or keep as a PNG.
  function showSunPath(kind = "day") {
    const view = panel("透明半球");
    const kinds = document.createElement("div");
    kinds.className = "sunPathKinds";
    for (const [k, label] of [["day", "その日の道すじ"], ["seasons", "夏至・春分・秋分・冬至"], ["worksheet", "記録用紙"]]) {
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = label;
      b.setAttribute("aria-pressed", String(k === kind));
      b.addEventListener("click", () => showSunPath(k));
      kinds.append(b);
    }
    view.append(kinds);
    try {
      const answer = api.sunPath({...pageRequest(), seasons: kind === "seasons", worksheet: kind === "worksheet"});
      appendPaperPage(view, paperCanvas(answer.picture), kind === "worksheet" ? "透明半球の記録用紙" : "透明半球の太陽の通り道",
                      `sunpath-${kind}-${$("date").value}.png`, "paperPage landscape");
    } catch (e) {
      const p = document.createElement("p");
      p.textContent = e.message;
      view.append(p);
    }
    openSheet(view);
  }

  // 満ち欠け: Venus's (Mercury's, the Moon's) discs from the date, every two
  // weeks, to one scale and tilted as in the twilight sky.
  function showPhases(body = "金星") {
    const view = panel("満ち欠け");
    const bodies = document.createElement("div");
    bodies.className = "sunPathKinds";
    for (const b of ["金星", "水星", "月"]) {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = b;
      button.setAttribute("aria-pressed", String(b === body));
      button.addEventListener("click", () => showPhases(b));
      bodies.append(button);
    }
    view.append(bodies);
    try {
      const answer = api.phases({...pageRequest(), body});
      appendPaperPage(view, paperCanvas(answer.picture), `${body}の満ち欠け`, `phases-${$("date").value}.png`,
                      "paperPage landscape");
    } catch (e) {
      const p = document.createElement("p");
      p.textContent = e.message;
      view.append(p);
    }
    openSheet(view);
  }

  // 宇宙から見た図 of the picture's moment and place, facing where the sky
  // view faces (or the chosen planet, with the line of sight).
  function drawOrbits(req = pageRequest()) {
    const facing = {north: 0, east: 90, south: 180, west: 270, zenith: 180}[state.dir] ?? state.look.az;
    try {
      const answer = api.orbits({...req, facing, extent: $("orbitExtent").value,
                                 ...($("orbitTarget").value ? {target: $("orbitTarget").value} : {})});
      // As large as the panel holds, its shape kept.
      const canvas = $("orbitCanvas");
      const side = $("orbitSide");
      const room = side.clientHeight - side.querySelector(".orbitBar").offsetHeight - 4;
      const width = Math.max(200, Math.floor(Math.min(side.clientWidth, room > 0 ? (room * 1123) / 794 : side.clientWidth)));
      canvas.style.width = `${width}px`;
      canvas.style.height = `${Math.floor((width * 794) / 1123)}px`;
      paint(canvas, answer.picture, Math.max(0.5, (width * (window.devicePixelRatio || 1)) / 1123));
      state.orbits = answer;
    } catch (e) {
      say(e.message);
    }
  }

  function showOrbits(open) {
    $("orbitSide").hidden = !open;
    document.querySelector("main").classList.toggle("split", open);
    setMenu(false);
    fitPicture();
    drawPage();
  }

  // A tap on a planet of 宇宙から見た図 draws the line of sight to it.
  function tapOrbits(e) {
    const a = state.orbits;
    if (!a) return;
    const r = $("orbitCanvas").getBoundingClientRect();
    const x = ((e.clientX - r.left) / r.width) * a.frame.width, y = ((e.clientY - r.top) / r.height) * a.frame.height;
    let best = null;
    for (const b of a.bodies)
      if (b.inside && b.name !== "地球" && Math.hypot(b.x - x, b.y - y) <= 14 && (!best || Math.hypot(b.x - x, b.y - y) < Math.hypot(best.x - x, best.y - y))) best = b;
    if (!best) return;
    $("orbitTarget").value = best.name;
    drawOrbits();
    say(`${best.name}：太陽から ${best.distanceAu.toFixed(2)} au`);
  }

  // 月の観察カード: the Moon toward one direction at three times an hour
  // apart from the entered moment, or at that time on five days, or the
  // pupils' card; A4 portrait.
  function showMoonCard(choice = {face: "南", days: false, blank: false}) {
    const view = panel("月の観察カード");
    const row = document.createElement("div");
    row.className = "sunPathKinds";
    const face = document.createElement("select");
    face.setAttribute("aria-label", "向き");
    for (const d of ["北", "北東", "東", "南東", "南", "南西", "西", "北西"]) face.append(new Option(`${d}の空`, d, false, d === choice.face));
    face.addEventListener("change", () => showMoonCard({...choice, face: face.value}));
    row.append(face);
    for (const [label, next] of [["1時間ごと", {days: false, blank: false}], ["1日ごと", {days: true, blank: false}], ["記録用", {blank: true}]]) {
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = label;
      const pressed = next.blank ? choice.blank : !choice.blank && choice.days === next.days;
      b.setAttribute("aria-pressed", String(pressed));
      b.addEventListener("click", () => showMoonCard({...choice, ...next}));
      row.append(b);
    }
    view.append(row);
    try {
      const answer = api.moonCard({...pageRequest(), face: choice.face, every: choice.days ? 1440 : 60,
                                   count: choice.days ? 5 : 3, blank: choice.blank});
      appendPaperPage(view, paperCanvas(answer.picture), "月の観察カード", `moon-card-${$("date").value}.png`);
    } catch (e) {
      const p = document.createElement("p");
      p.textContent = e.message;
      view.append(p);
    }
    openSheet(view);
  }

  // 探す: the picture that shows the object is drawn and the object ringed;
  // one below the horizon gets its rise and an offer to draw that moment.
  function findOnPage() {
    const name = $("findName").value.trim();
    if (!name) return;
    let found;
    try {
      found = api.find(name, pageRequest());
    } catch (e) {
      say(`「${name}」という天体は見つかりません`);
      if (e.candidates && e.candidates.length) offerNames(name, e.candidates);
      return;
    }
    if (found.visible && found.direction === "free") {
      // The free view turns to put it in the middle.
      state.look = {...state.look, az: found.frame.look.az, alt: found.frame.look.alt};
      drawPage();
    } else if (found.visible && found.direction) {
      state.dir = found.direction;
      markDirection();
      drawPage();
    }
    say(found.sentence);
    if (found.visible) ringAt(api.find(name, pageRequest()));
    else if (found.nextRise) offerRise(name, found);
  }

  // A part of a name: the names it begins, each a button that finds it.
  function offerNames(name, names) {
    const buttons = names.slice(0, 12).map((n) => {
      const b = cardButton(n, () => {
        $("findName").value = n;
        findOnPage();
      });
      b.className = "candidate";
      return b;
    });
    fillCard(`「${name}」で始まる名前`, [], buttons, "");
  }

  // A ring round the found object, over the picture, until the next draw.
  function ringAt(found) {
    const ring = $("ring");
    if (!found.visible || found.x === undefined) return;
    const sky = $("sky").getBoundingClientRect(), room = document.querySelector("main").getBoundingClientRect();
    const k = sky.width / 977;
    ring.style.left = `${sky.left - room.left + found.x * k}px`;
    ring.style.top = `${sky.top - room.top + found.y * k}px`;
    ring.hidden = false;
  }

  // Below the horizon: when it rises, and a button that draws that moment.
  function offerRise(name, found) {
    const go = cardButton("昇るときの空を描く", () => {
      // The minute after the rise ("2026-12-12T04:35:08+09:00", the
      // place's clock), in Japan Standard Time as the fields take it.
      const ms = Date.parse(found.nextRise);
      if (Number.isFinite(ms)) {
        const jst = new Date(ms + 60000 + 9 * 3600000);
        $("date").value = `${String(jst.getUTCFullYear()).padStart(4, "0")}-${two(jst.getUTCMonth() + 1)}-${two(jst.getUTCDate())}`;
        $("time").value = `${two(jst.getUTCHours())}:${two(jst.getUTCMinutes())}`;
      } else {
        $("date").value = found.nextRise.slice(0, 10);
        $("time").value = found.nextRise.slice(11, 16);
      }
      findOnPage();
    });
    go.id = "drawRise";
    fillCard(found.name, [found.sentence], [go], found.name);
  }

  function markDirection() {
    for (const b of document.querySelectorAll("#directions button")) b.classList.toggle("on", b.dataset.dir === state.dir);
    $("facing").classList.toggle("off", state.dir !== "free");
  }

  function buildPage() {
    // Once someone works in the page, an update waits for the next start.
    for (const type of ["pointerdown", "keydown", "input"])
      document.addEventListener(type, () => { state.touched = true; }, {capture: true, once: true});
    const [d, t] = jstNow();
    $("date").value = d;
    $("time").value = t;
    state.places = call({op: "places"});
    for (const p of state.places) $("place").add(new Option(p.name, p.name));
    $("place").add(new Option("入力（緯度・経度）", "入力"));
    state.figures = call({op: "constellations"});
    for (const name of state.figures) {
      const label = document.createElement("label");
      const box = document.createElement("input");
      box.type = "checkbox";
      box.value = name;
      label.append(box, name);
      $("figureList").append(label);
    }
    const stored = storedPlace();
    $("place").value = stored ? stored.place : "東京";
    if (stored && stored.place === "入力") {
      $("lat").value = stored.lat;
      $("lon").value = stored.lon;
    }
    $("typed").hidden = $("place").value !== "入力";
    const view = storedView();
    if (view.dir) state.dir = view.dir;
    if (view.look) state.look = view.look;
    if (view.style !== undefined) $("style").value = view.style;
    if (view.furigana !== undefined) $("furigana").value = view.furigana;
    furigana.set($("furigana").value);
    $("furigana").addEventListener("change", () => {
      furigana.set($("furigana").value);
      remember();
    });
    markDirection();
    $("style").addEventListener("change", drawPage);
    for (const b of document.querySelectorAll("#facing button")) b.addEventListener("click", () => face(b.dataset.az));
    // The number keys on the picture, as a keypad compass: 8 北 ... 5 天頂.
    const KEYPAD = {8: 0, 9: 45, 6: 90, 3: 135, 2: 180, 1: 225, 4: 270, 7: 315, 5: "zenith"};
    $("sky").tabIndex = 0;
    $("sky").addEventListener("keydown", (e) => {
      if (e.key in KEYPAD) face(KEYPAD[e.key]);
      else if (state.dir !== "free") return;
      else if (e.key === "ArrowLeft") setLook({...state.look, az: state.look.az - 5});
      else if (e.key === "ArrowRight") setLook({...state.look, az: state.look.az + 5});
      else if (e.key === "ArrowUp") setLook({...state.look, alt: state.look.alt + 5});
      else if (e.key === "ArrowDown") setLook({...state.look, alt: state.look.alt - 5});
      else if (e.key === "+" || e.key === "=") setLook({...state.look, fov: state.look.fov / 1.25});
      else if (e.key === "-") setLook({...state.look, fov: state.look.fov * 1.25});
      else return;
      e.preventDefault();
    });
    $("place").addEventListener("change", () => {
      $("typed").hidden = $("place").value !== "入力";
      drawPage();
    });
    $("now").addEventListener("click", () => {
      const [nd, nt] = jstNow();
      $("date").value = nd;
      $("time").value = nt;
      drawPage();
    });
    for (const b of document.querySelectorAll("#directions button")) {
      b.addEventListener("click", () => {
        state.dir = b.dataset.dir;
        markDirection();
        drawPage();
      });
    }
    // Choosing figures shows them: 星座 comes on, and the picture is drawn.
    const showFigures = () => {
      const any = document.querySelector("#figureList input:checked");
      if (any) document.querySelector('#options input[data-show="constellations"]').checked = true;
      if (state.shown) drawPage();
    };
    $("all").addEventListener("click", () => {
      document.querySelectorAll("#figureList input").forEach((i) => (i.checked = true));
      showFigures();
    });
    $("none").addEventListener("click", () => {
      document.querySelectorAll("#figureList input").forEach((i) => (i.checked = false));
      showFigures();
    });
    $("figureList").addEventListener("change", showFigures);
    $("menu").addEventListener("click", () => setMenu($("more").hidden));
    document.querySelector('#more > .close').addEventListener("click", () => setMenu(false));
    for (const id of ["full", "print", "save"]) $(id).addEventListener("click", () => setMenu(false));
    $("draw").addEventListener("click", drawPage);
    $("notice").addEventListener("click", () => { $("notice").hidden = true; });
    $("play").addEventListener("click", () => {
      if (state.timer) {
        clearInterval(state.timer);
        state.timer = null;
        $("play").textContent = playLabel();
        return;
      }
      state.timer = setInterval(() => {
        if (stepMinutes(Number($("step").value))) {
          drawPage();
        } else {
          $("play").click();  // stops, and the reason stays shown
        }
      }, 1000 * Number($("every").value));
      $("play").textContent = playLabel();
    });
    $("find").addEventListener("click", findOnPage);
    $("findName").addEventListener("keydown", (e) => e.key === "Enter" && findOnPage());
    $("almanac").addEventListener("click", showAlmanac);
    $("today").addEventListener("click", showToday);
    $("table").addEventListener("click", showNumbers);
    $("tonight").addEventListener("click", showTonight);
    $("help").addEventListener("click", showHelp);
    $("film").addEventListener("click", showFilm);
    $("eclipses").addEventListener("click", showEclipses);
    $("planisphere").addEventListener("click", showPlanisphere);
    $("sunPath").addEventListener("click", () => showSunPath());
    $("phases").addEventListener("click", () => showPhases());
    $("moonCard").addEventListener("click", () => showMoonCard());
    $("orbits").addEventListener("click", () => showOrbits(true));
    $("orbitClose").addEventListener("click", () => showOrbits(false));
    $("orbitExtent").addEventListener("change", () => drawOrbits());
    $("orbitTarget").addEventListener("change", () => drawOrbits());
    $("orbitCanvas").addEventListener("click", tapOrbits);
    $("trails").addEventListener("change", drawPage);
    // 全画面: the picture alone; the large names come on with it.
    $("full").addEventListener("click", () => {
      const big = document.querySelector('#options input[data-show="bignames"]');
      state.namesBeforeFull = big.checked;
      big.checked = true;
      const main = document.querySelector("main");
      (main.requestFullscreen ? main.requestFullscreen() : Promise.reject()).catch(() => {
        big.checked = state.namesBeforeFull;
      });
    });
    // The full-screen bar: the same actions as the controls it stands for.
    for (const b of document.querySelectorAll("#fullBar button")) {
      b.addEventListener("click", () => {
        const what = b.dataset.full;
        if (what === "play") $("play").click();
        else if (what === "in" || what === "out") {
          freeFromHere();
          setLook({...state.look, fov: state.look.fov * (what === "in" ? 1 / 1.25 : 1.25)});
        }
        else if (what === "exit") document.exitFullscreen?.();
        else document.querySelector(`#directions button[data-dir="${what}"]`).click();
        if (what === "play") b.textContent = playLabel();
      });
    }
    // Keys anywhere in full screen: the picture's own keys (arrows, + and -,
    // the keypad compass).
    document.addEventListener("keydown", (e) => {
      if (document.fullscreenElement && e.target === document.body) $("sky").dispatchEvent(new KeyboardEvent("keydown", {key: e.key}));
    });
    document.addEventListener("fullscreenchange", () => {
      document.body.classList.toggle("full", Boolean(document.fullscreenElement));
      fitPicture();
      if (!document.fullscreenElement && state.namesBeforeFull !== undefined) {
        document.querySelector('#options input[data-show="bignames"]').checked = state.namesBeforeFull;
        state.namesBeforeFull = undefined;
      }
      drawPage();
    });
    // A new size of the page draws the picture anew at the size it is shown.
    let resizeTimer = null;
    // The space for the picture changes with the window, the bar's rows
    // and full screen: fit at once, redraw at the new size shortly after.
    new ResizeObserver(() => {
      fitPicture();
      clearTimeout(resizeTimer);
      resizeTimer = setTimeout(() => state.shown && !state.shown.fixed && drawPage(), 150);
    }).observe(document.querySelector("main"));
    for (const box of document.querySelectorAll("#options input")) box.addEventListener("change", () => state.shown && drawPage());
    // The paper chart (title line, legend, black on white) at twice the
    // picture's pixels, printed alone on one landscape page.
    $("print").addEventListener("click", () => {
      paint($("printChart"), api.chartList(pageRequest()), 2);
      window.print();
    });
    $("save").addEventListener("click", () => {
      const a = document.createElement("a");
      a.download = `sky-${$("date").value}-${$("time").value.replace(":", "")}-${state.dir}.png`;
      a.href = $("sky").toDataURL("image/png");
      a.click();
    });
    $("sky").addEventListener("click", (event) => {
      if (state.dragged) {
        state.dragged = false;  // a drag is no tap
        return;
      }
      identifyAt(event);
    });
    freeViewGestures($("sky"));
    fitPicture();
    // Hovering names what is under the pointer in the status line.
    let hoverPending = false;
    $("sky").addEventListener("mousemove", (event) => {
      if (hoverPending || !state.shown) return;
      hoverPending = true;
      requestAnimationFrame(() => {
        hoverPending = false;
        const [x, y] = picturePixel(event);
        try {
          const a = api.identify(x, y, state.shown.req);
          say(a.kind === "none" ? whereText(a) : `${a.name}　${whereText(a)}`);
        } catch (e) {
          say(e.message);
        }
      });
    });
    drawPage();
  }

  // The free view turned and zoomed on the picture itself: one finger or
  // the mouse drags (the sky follows it), two fingers pinch, the wheel
  // zooms. Redraws are one per animation frame however fast the events come.
  const MIN_FOV = 5, MAX_FOV = 180;
  function setLook(look) {
    const az = ((look.az % 360) + 360) % 360;
    state.look = {az, alt: Math.max(-90, Math.min(90, look.alt)), fov: Math.max(MIN_FOV, Math.min(MAX_FOV, look.fov))};
    if (state.dir !== "free" || state.redrawPending) return;
    state.redrawPending = true;
    requestAnimationFrame(() => {
      state.redrawPending = false;
      drawPage();
    });
  }
  // A drag or a pinch on one of the four quarters or 全天 turns it into the
  // free view looking the same way; a tap still opens the card.
  const LOOK_OF = {north: {az: 0, alt: 35}, east: {az: 90, alt: 35}, south: {az: 180, alt: 35}, west: {az: 270, alt: 35},
                   zenith: {az: 180, alt: 90}};
  function freeFromHere() {
    if (state.dir === "free") return;
    state.look = {...state.look, ...LOOK_OF[state.dir], fov: state.dir === "zenith" ? 180 : 90};
    state.dir = "free";
    markDirection();
  }
  function freeViewGestures(canvas) {
    const pointers = new Map();
    let pinchFrom = null;
    canvas.style.touchAction = "none";
    // A double tap brings the free view back to its usual height and field.
    canvas.addEventListener("dblclick", () => {
      if (state.dir === "free") setLook({...state.look, alt: 35, fov: 90});
    });
    canvas.addEventListener("pointerdown", (e) => {
      pointers.set(e.pointerId, {x: e.clientX, y: e.clientY, startX: e.clientX, startY: e.clientY});
      canvas.setPointerCapture?.(e.pointerId);
      if (pointers.size === 2) {
        const [a, b] = [...pointers.values()];
        pinchFrom = {distance: Math.hypot(a.x - b.x, a.y - b.y), fov: state.look.fov};
      }
    });
    canvas.addEventListener("pointermove", (e) => {
      const p = pointers.get(e.pointerId);
      if (!p) return;
      const dx = e.clientX - p.x, dy = e.clientY - p.y;
      p.x = e.clientX;
      p.y = e.clientY;
      if (pointers.size >= 2 && pinchFrom) {
        freeFromHere();
        const [a, b] = [...pointers.values()];
        const distance = Math.hypot(a.x - b.x, a.y - b.y);
        if (distance > 0) setLook({...state.look, fov: pinchFrom.fov * (pinchFrom.distance / distance)});
        state.dragged = true;
        return;
      }
      if (!state.dragged && Math.hypot(e.clientX - p.startX, e.clientY - p.startY) < 4) return;
      state.dragged = true;
      freeFromHere();
      const perPx = state.look.fov / canvas.getBoundingClientRect().width;
      setLook({...state.look, az: state.look.az - dx * perPx, alt: state.look.alt + dy * perPx});
    });
    const end = (e) => {
      pointers.delete(e.pointerId);
      if (pointers.size < 2) pinchFrom = null;
    };
    canvas.addEventListener("pointerup", end);
    canvas.addEventListener("pointercancel", end);
    canvas.addEventListener("wheel", (e) => {
      if (state.dir !== "free") return;
      e.preventDefault();
      setLook({...state.look, fov: state.look.fov * Math.pow(1.25, e.deltaY / 100)});
    }, {passive: false});
  }

  // ---- window.planetarium ----------------------------------------------
  const api = {
    json: (req) => call({op: "json", ...momentAndPlace(req)}),
    // In the free view without a look: where it stands in a view centred on it.
    find: (name, req) => call({op: "find", name, ...momentAndPlace(req), ...(req.dir === "zenith" ? {dir: "zenith"} : {}),
                               ...(req.dir === "free" ? {dir: "free", ...(req.fov ? {fov: Number(req.fov)} : {})} : {}),
                               ...(req.scale ? {scale: Number(req.scale)} : {})}),
    identify: (x, y, req) => call({op: "identify", x: Number(x), y: Number(y), ...pictureQuery(req)}),
    drawList: (req) => call({op: "drawList", ...pictureQuery(req)}),
    // Bytes of the WebAssembly core's memory.
    coreMemoryBytes: () => core.HEAP8.length,
    // The paper chart the program prints, as a draw list.
    chartList: (req) => call({op: "chartList", ...pictureQuery(req)}),
    // 今夜の見どころ: the JSON, and the sentences.
    tonight: (req) => call({op: "tonight", json: true, ...momentAndPlace(req)}),
    tonightText: (req) => call({op: "tonight", ...momentAndPlace(req)}),
    almanacMonth: (req) => call({op: "almanac", month: (req.at || jstNow()[0]).slice(0, 7), ...momentAndPlace({...req, at: undefined})}),
    // Draws the request on the page's canvas at its scale (1 by default);
    // resolves once painted.
    // Where the free view looks now: {az, alt, fov}.
    view: () => ({...state.look}),
    // The build's version (16 hex digits of the page's hash).
    version: () => pageVersion(),
    // ふりがな: for each text its pieces, plain ones as strings and ones with
    // ruby as [text, reading]; grade 4 for a 4th grader, 0 for every kanji word.
    // 日食・月食: the eclipses from req.from to req.to (years "2026" or dates;
    // by default this year and the next ten) at the request's place, and
    // one eclipse's circumstances there (the JSON of --eclipse, with "text",
    // its table).
    eclipses: (req) => {
      const year = Number((req.at || jstNow()[0]).slice(0, 4));
      return call({op: "eclipses", from: String(req.from ?? year), to: String(req.to ?? year + 10),
                   ...momentAndPlace({...req, at: undefined})});
    },
    eclipse: (date, req) => call({op: "eclipse", date: String(date), ...momentAndPlace({...req, at: undefined})}),
    // The planisphere's two A4 pages: {fileName, pages: [draw list, draw list]}.
    planisphere: (req) => call({op: "planisphere", ...momentAndPlace(req)}),
    // 透明半球: the date's Sun path at the place (seasons: true for the
    // solstices and equinoxes, worksheet: true for the empty sheet), the JSON
    // of --view sunpath with the page as a draw list ("picture").
    // 満ち欠け: {body: "金星"|"水星"|"月", every: days, count} from req.at,
    // the JSON of --view phases with the page as a draw list ("picture").
    phases: (req = {}) => call({op: "phases", ...momentAndPlace(req), ...(req.body ? {body: String(req.body)} : {}),
                                ...(req.every !== undefined ? {every: Number(req.every)} : {}),
                                ...(req.count !== undefined ? {count: Number(req.count)} : {})}),
    // 月の観察カード: {face: "南西", every: minutes, count, blank} from req.at,
    // the JSON of --view moonlog with the card as a draw list ("picture").
    moonCard: (req = {}) => call({op: "moonCard", ...momentAndPlace(req), ...(req.face ? {face: String(req.face)} : {}),
                                  ...(req.every !== undefined ? {every: Number(req.every)} : {}),
                                  ...(req.count !== undefined ? {count: Number(req.count)} : {}), blank: !!req.blank}),
    // 宇宙から見た図: {facing (azimuth), target (a planet), extent (mars,
    // saturn, neptune)}, the JSON of --view orbits with the page as a draw
    // list ("picture"); find: a body's pixel on it (--find NAME --view orbits).
    orbits: (req = {}) => call({op: "orbits", ...momentAndPlace(req), ...(req.facing !== undefined ? {facing: Number(req.facing)} : {}),
                                ...(req.target ? {target: String(req.target)} : {}), ...(req.extent ? {extent: String(req.extent)} : {}),
                                ...(req.find ? {find: String(req.find)} : {})}),
    sunPath: (req = {}) => call({op: "sunPath", ...momentAndPlace(req), seasons: !!req.seasons, worksheet: !!req.worksheet}),
    // A film and a frame series from req's moment: {frames, every (minutes),
    // fps}, resolving to a Blob; filmType() is the film's kind, null where
    // the browser cannot make one.
    film: (req, options, progress, signal) => keep.film(req, options, progress, signal),
    frameZip: (req, options, progress, signal) => keep.frameZip(req, {base: "frame", ...options}, progress, signal),
    filmType: () => keep.filmType(),
    ruby: (texts, grade) => call({op: "ruby", texts: [].concat(texts), grade: Number(grade)}),
    draw: (req) =>
      new Promise((resolve) => {
        const list = api.drawList(req);
        paint($("sky"), list, req.scale || 1);
        state.shown = {req, scale: req.scale || 1, fixed: true};
        requestAnimationFrame(() => resolve(list.ops.length));
      }),
  };

  // Served over HTTP the page is an installable app that works offline (its
  // manifest and service worker sit beside it); opened from disk it needs
  // neither.
  if (location.protocol === "http:" || location.protocol === "https:") {
    const link = document.createElement("link");
    link.rel = "manifest";
    link.href = "manifest.webmanifest";
    document.head.append(link);
    if ("serviceWorker" in navigator) {
      // A new build's worker taking over a page an older one served: the
      // page starts again from the new build, unless someone is already
      // working in it; either way it says so.
      const older = navigator.serviceWorker.controller;
      navigator.serviceWorker.addEventListener("controllerchange", () => {
        if (!older) return;  // the first visit: nothing was older
        if (!state.touched) {
          sessionStorage.setItem(UPDATED, "1");
          location.reload();
        } else {
          notice("新しい版を用意しました。ページを開き直すと新しい版になります。");
        }
      });
      navigator.serviceWorker.register("sw.js").catch(() => {});
    }
  }
  const pageVersion = () => document.querySelector('meta[name="planetarium-version"]')?.content ?? "";

  window.planetarium = {
    ready: createPlanetariumCore().then((module) => {
      core = module;
      viewport = call({op: "viewport"});
      buildPage();
      if (sessionStorage.getItem(UPDATED)) {
        sessionStorage.removeItem(UPDATED);
        notice(`新しい版（${pageVersion().slice(0, 8)}）に更新しました。`);
      }
      return true;
    }),
    ...api,
  };
})();
