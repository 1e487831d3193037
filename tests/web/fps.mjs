// The page's frames per second, for the record: each query in turn, its
// first frame's time, then its frames counted over SECONDS, with the
// console's performance warnings.
//   node fps.mjs BASE_URL SECONDS QUERY...
import puppeteer from 'puppeteer-core';

const [base, seconds, ...queries] = process.argv.slice(2);
const args = ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'];
if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args });
const frames = (page) => page.evaluate(() => window.emberwight.frames);
try {
  for (const query of queries) {
    const page = await browser.newPage();
    await page.setViewport({ width: 640, height: 480 });
    const warnings = [];
    page.on('console', (message) => {
      if (/performance|READ-usage|GPU stall/i.test(message.text())) warnings.push(message.text());
    });
    await page.goto(base + query);
    await page.waitForFunction(() => window.emberwight && window.emberwight.frames >= 5,
      { timeout: 120000, polling: 100 });
    const start = await frames(page);
    const t0 = Date.now();
    await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
    const counted = (await frames(page)) - start;
    const fps = counted / ((Date.now() - t0) / 1000);
    const first = await page.evaluate(() => window.emberwight.firstFrameMs);
    console.log(`${query}: first frame at ${Math.round(first)} ms, ${fps.toFixed(2)} frames a ` +
      `second (${counted} frames), ${warnings.length} performance warnings`);
    await page.close();
  }
} finally {
  await browser.close();
}
