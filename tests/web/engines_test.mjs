// The browser edition in the engines of the other school devices: Firefox
// ESR (driven by puppeteer-core over WebDriver BiDi, headless) and WebKitGTK,
// Safari's engine (Debian's WebKitWebDriver and its MiniBrowser, driven by
// selenium-webdriver; it needs a display, so `make web-test` runs this under
// xvfb-run). Each engine opens the page from disk and must give the
// desktop's answers and picture (engine_suite.mjs), open Sirius's card at a
// tap, ask nothing of the network, raise no error, and, served over
// 127.0.0.1, reload and answer once the server is gone and take a new build
// at the next start.
//
//   node engines_test.mjs PAGE.html PROGRAM [firefox|webkit ...]
//
// Prints one line per check, prefixed with the engine, and the timings;
// exits 1 if any check failed.
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import puppeteer from "puppeteer-core";
import { Builder, By, Origin } from "selenium-webdriver";
import { desktopRunner, reporter, requests, serveFolder } from "./common.mjs";
import { answerChecks, keepChecks, updateCheck } from "./engine_suite.mjs";

const [pagePath, program, ...asked] = process.argv.slice(2);
const engines = asked.length ? asked : ["firefox", "webkit"];
const work = mkdtempSync(join(tmpdir(), "planetarium-engines-"));
const desktop = desktopRunner(program, work);
const WIDTH = 1100, HEIGHT = 1000;

// Firefox through puppeteer: the same page interface as Chromium's.
async function firefox() {
  const browser = await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true });
  const page = await browser.newPage();
  await page.setViewport({ width: WIDTH, height: HEIGHT, deviceScaleFactor: 1 });
  const problems = [];
  page.on("console", (m) => m.type() === "error" && problems.push(`console: ${m.text()}`));
  page.on("pageerror", (e) => problems.push(`page error: ${e.message}`));
  return {
    name: "firefox",
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    goto: (url) => page.goto(url, { waitUntil: "load" }),
    reload: () => page.reload({ waitUntil: "load" }),
    clickAt: (x, y) => page.mouse.click(x, y),
    screenshot: async (selector, path) => (await page.$(selector)).screenshot({ path }),
    problems: async () => problems,
    close: () => browser.close(),
  };
}

const freePort = () =>
  new Promise((resolve) => {
    const s = createServer().listen(0, "127.0.0.1", () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });

// WebKitGTK through WebDriver classic. WebKitWebDriver has no log
// endpoint, so errors are caught by a hook put into the page after each
// load (an error during the load itself shows as `ready` failing).
async function webkit() {
  const port = await freePort();
  const server = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore" });
  await new Promise((r) => setTimeout(r, 500));
  const driver = await new Builder()
    .usingServer(`http://127.0.0.1:${port}`)
    .withCapabilities({
      browserName: "MiniBrowser",
      "webkitgtk:browserOptions": { binary: "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser", args: ["--automation"] },
    })
    .build();
  await driver.manage().window().setRect({ width: WIDTH, height: HEIGHT });
  const hook = () =>
    driver.executeScript(`
      if (!window.__problems) {
        window.__problems = [];
        window.addEventListener("error", (e) => window.__problems.push("page error: " + e.message));
        window.addEventListener("unhandledrejection", (e) => window.__problems.push("rejection: " + e.reason));
        const error = console.error;
        console.error = (...a) => { window.__problems.push("console: " + a.join(" ")); error.apply(console, a); };
      }`);
  const problems = [];
  // A function of the page's, run with JSON arguments; its result (or the
  // promise's) comes back, its exception is thrown here. The result
  // travels as JSON text: WebDriver's own serialisation of an object does
  // not keep the order of its members, which the comparisons check.
  const evaluate = async (fn, ...args) => {
    const out = await driver.executeAsyncScript(
      `const done = arguments[arguments.length - 1];
       const args = Array.prototype.slice.call(arguments, 0, -1);
       Promise.resolve().then(() => (${fn.toString()})(...args))
         .then((v) => done(JSON.stringify({ value: v === undefined ? null : v })),
               (e) => done(JSON.stringify({ error: String((e && e.message) || e) })));`,
      ...args);
    const parsed = JSON.parse(out);
    if (parsed.error !== undefined) throw new Error(parsed.error);
    return parsed.value;
  };
  const collect = async () => problems.push(...((await driver.executeScript("return window.__problems || []")) ?? []));
  return {
    name: "webkit",
    evaluate,
    // WebKitGTK draws canvas text with harder glyph edges than Qt and the
    // other engines (the same font, more pixels near the text colour): a
    // text-heavy picture differs in half a per cent more pixels and its
    // large names count about 30 % more ink. Everything else is held alike.
    rasterSlack: { pixels: 0.005, ink: 0.2 },
    goto: async (url) => {
      await driver.get(url);
      await hook();
    },
    reload: async () => {
      await collect();
      await driver.navigate().refresh();
      await hook();
    },
    clickAt: (x, y) =>
      driver.actions().move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT }).click().perform(),
    screenshot: async (selector, path) =>
      writeFileSync(path, Buffer.from(await driver.findElement(By.css(selector)).takeScreenshot(), "base64")),
    problems: async () => {
      await collect();
      return problems;
    },
    close: async () => {
      await driver.quit();
      server.kill();
    },
  };
}

async function run(name, check) {
  const engine = await (name === "firefox" ? firefox() : webkit());
  try {
    const started = Date.now();
    await engine.goto(`file://${pagePath}`);
    await engine.evaluate(() => window.planetarium.ready);
    const firstPaint = Date.now() - started;
    const { sirius } = await answerChecks(engine, { desktop, check, work });
    await keepChecks(engine, { check, desktop, work });

    // A tap on Sirius's pixel of the page's own picture opens its card.
    const at = await engine.evaluate((r) => {
      document.getElementById("date").value = r.at.slice(0, 10);
      document.getElementById("time").value = r.at.slice(11);
      document.getElementById("place").value = r.place;
      for (const box of document.querySelectorAll("#options input, #figureList input")) box.checked = false;
      document.querySelector('#directions button[data-dir="south"]').click();
      const canvas = document.getElementById("sky");
      canvas.scrollIntoView({ block: "center" });
      const box = canvas.getBoundingClientRect();
      return { x: box.x, y: box.y, css: box.width / canvas.width, scale: canvas.width / 977 };
    }, requests[0]);
    await engine.clickAt(at.x + sirius.x * at.scale * at.css, at.y + sirius.y * at.scale * at.css);
    const card = await engine.evaluate(() => !document.getElementById("card").hidden && document.getElementById("card").dataset.name);
    check(card === "シリウス", "a tap on Sirius's pixel opens its card", String(card));

    // Opened from disk, the page loads nothing else.
    const fetched = await engine.evaluate(() =>
      performance.getEntriesByType("resource").map((e) => e.name).filter((u) => !/^(file|data|blob):/.test(u)));
    check(fetched.length === 0, "the page asked for nothing from the network", fetched.join(", "));

    // Served: once its service worker holds it, the page reloads and
    // answers with the server gone.
    const { server, url } = await serveFolder(dirname(pagePath), "planetarium.html");
    let offline = "";
    try {
      await engine.goto(url);
      const worker = await engine.evaluate(async () => {
        await window.planetarium.ready;
        if (!("serviceWorker" in navigator)) return "this engine has no service workers for the page";
        await navigator.serviceWorker.ready;
        return "";
      });
      await new Promise((resolve) => server.close(resolve));
      if (worker) {
        offline = worker;
      } else {
        await engine.reload();
        const answered = await engine.evaluate(async () => {
          await window.planetarium.ready;
          return window.planetarium.json({ at: "2026-01-15 22:00", place: "東京" }).bodies.length === 6;
        });
        offline = answered ? "ok" : "no answer";
      }
    } catch (e) {
      offline = e.message;
      server.close();
    }
    check(offline === "ok", "served over 127.0.0.1, the page reloads and answers with the server gone", offline);
    await updateCheck(engine, { check, pagePath });

    const problems = await engine.problems();
    check(problems.length === 0, "no console error or unhandled error", problems.join("; "));
    console.log(`timing: ${name}: first painted sky ${firstPaint} ms after navigation`);
  } finally {
    await engine.close();
  }
}

let failed = 0;
try {
  for (const name of engines) {
    const { check, failures } = reporter(`${name}: `);
    try {
      await run(name, check);
    } catch (e) {
      check(false, "the suite ran to its end", e.message);
    }
    failed += failures();
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
if (failed) {
  console.log(`${failed} check(s) failed`);
  process.exit(1);
}
console.log("all engine checks passed");
