import puppeteer from "puppeteer-core";
const page_ = process.argv[2];
const browser = await puppeteer.launch({executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox"]});
const page = await browser.newPage();
await page.setViewport({width: 1180, height: 820, deviceScaleFactor: 1, hasTouch: true, isMobile: true});
await page.goto(`file://${page_}`);
await page.evaluate(() => window.planetarium.ready);
await page.evaluate(async () => {
  const s = document.getElementById("furigana"); s.value = "school"; s.dispatchEvent(new Event("change"));
  document.getElementById("menu").click();
});
await new Promise(r => setTimeout(r, 300));
await page.screenshot({path: "/tmp/shots/ipad-school-menu.png"});
await page.evaluate(async () => {
  const s = document.getElementById("furigana"); s.value = "all"; s.dispatchEvent(new Event("change"));
  document.getElementById("tonight").click();
});
await new Promise(r => setTimeout(r, 300));
await page.screenshot({path: "/tmp/shots/ipad-all-tonight.png"});
await page.evaluate(async () => { document.getElementById("planisphere").click(); });
await new Promise(r => setTimeout(r, 500));
await page.screenshot({path: "/tmp/shots/ipad-planisphere.png"});
await page.evaluate(async () => { document.getElementById("film").click(); });
await new Promise(r => setTimeout(r, 300));
await page.screenshot({path: "/tmp/shots/ipad-film.png"});
await browser.close();
