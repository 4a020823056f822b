// The month and year pages, the GEDCOM date and the .ics download of the web
// page in Debian's Chromium, every shown day, date and holiday compared with
// the native tool; the pages printed to PDF on A4 and Letter and rendered to
// PNG (pdftoppm) into docs/img/print-*.png.
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from './static_server.js';
import { holidayNames } from '../../bindings/js/varizav.js';

const root = fileURLToPath(new URL('../../', import.meta.url));
const site = process.env.VARIZAV_SITE ?? `${root}build-web/site`;
const native = process.env.VARIZAV_NATIVE ?? `${root}build/tools/varizav/varizav`;
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';

let server;
let browser;
let base;

function nativeBatch(lines) {
  const run = spawnSync(native, ['--lang', 'en', 'batch'], {
    input: `${lines.join('\n')}\n`,
    env: { LANG: 'C.UTF-8', VARIZAV_TIMEZONE: '0' },
  });
  assert.equal(run.status, 0, run.stderr.toString());
  return run.stdout.toString('utf8').split('\n').slice(0, -1).map((line) => line.split('\t')[0]);
}

async function open(query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 900 });
  page.on('pageerror', (error) => assert.fail(`page error: ${error.message}`));
  await page.goto(`${base}/?${query}`);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 30000 });
  return page;
}

// Each shown day: its serial, the day number, the second date, the holidays
// and the Moon pictures' labels.
const daysOf = (page) => page.$$eval('#view-out td[data-serial]', (cells) => cells.map((td) => ({
  serial: Number(td.dataset.serial),
  day: td.querySelector('.day').textContent,
  second: td.querySelector('.second')?.textContent ?? null,
  feasts: [...td.querySelectorAll('.feast')].map((li) => li.textContent),
  moons: [...td.querySelectorAll('span.moon')].map((moon) => moon.getAttribute('aria-label')),
})));

// Pages of a PDF (pdfinfo) and its text (pdftotext), from poppler-utils.
function pdfPages(path) {
  const info = spawnSync('pdfinfo', [path]).stdout.toString();
  return Number(/Pages:\s+(\d+)/.exec(info)[1]);
}

before(async () => {
  server = await serve(site);
  base = `http://127.0.0.1:${server.address().port}`;
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

test('a Hebrew month: its days, Gregorian dates, holidays and the Moon, as the native tool has them', async () => {
  const page = await open('lang=en&tz=0&view=month&calendar=hebrew&date=2024-04-23');
  const title = await page.$eval('#view-out .title-main', (e) => e.textContent);
  assert.equal(title, 'Nisan 5784');
  const days = await daysOf(page);
  // independent: 1 Nisan 5784 was 9 April 2024 (serial 45391); Nisan has 30 days.
  assert.equal(days.length, 30);
  assert.equal(days[0].serial, 45391);
  assert.deepEqual(days.map((d) => d.day), days.map((_, i) => String(i + 1)));
  const gregorian = nativeBatch(days.map((d) => `SC_calendar\tgregorian\t${d.serial}\t1`));
  assert.deepEqual(days.map((d) => d.second), gregorian.map((t) => t.replace(/^[^,]*, /, '').replace(/ \d+$/, '')));
  // The holidays of the Hebrew and Gregorian tables whose civil day lies in the month.
  const want = new Map();
  for (const calendar of ['hebrew', 'gregorian']) {
    const entries = holidayNames(calendar, 'en');
    const found = nativeBatch(entries.map((h) => `SC_holiday2\t${calendar}\t${h.number}\t${days[0].serial - 0.5}`));
    entries.forEach((h, i) => {
      const day = Math.floor(Number(found[i]) + 0.25);
      if (day <= days.at(-1).serial) want.set(day, [...(want.get(day) ?? []), h.name]);
    });
  }
  for (const d of days) {
    const shown = d.feasts.flatMap((f) => f.split(', ')).sort();
    assert.deepEqual(shown, (want.get(d.serial) ?? []).sort(), `feasts of ${d.serial}`);
  }
  assert.ok(days.find((d) => d.serial === 45405).feasts.includes('Passover'));
  // independent: the quarters from 9 April to 8 May 2024 (UT): 15, 23 April, 1, 8 May.
  assert.deepEqual(days.filter((d) => d.moons.length > 0).map((d) => d.serial), [45397, 45405, 45413, 45420]);
  assert.match(days.find((d) => d.serial === 45405).moons[0], /^Full Moon at 23:49$/);

  // Next and previous month; the address keeps the state.
  await page.click('#view-next');
  assert.equal(await page.$eval('#view-out .title-main', (e) => e.textContent), 'Iyyar 5784');
  assert.match(page.url(), /view=month&calendar=hebrew&second=gregorian&date=2024-05-09/);
  await page.click('#view-prev');
  await page.click('#view-prev');
  assert.equal(await page.$eval('#view-out .title-main', (e) => e.textContent), 'Adar II 5784');
  await page.close();
});

test('a year of months, in the Gregorian and the Islamic calendar', async () => {
  const page = await open('lang=en&tz=0&view=year&calendar=gregorian&year=2024');
  const titles = await page.$$eval('#view-out .month-grid caption', (c) => c.map((e) => e.textContent));
  assert.deepEqual(titles.slice(0, 2), ['January 2024', 'February 2024']);
  assert.equal(titles.length, 12);
  assert.equal((await daysOf(page)).length, 366);
  assert.equal((await daysOf(page)).filter((d) => d.moons.length > 0).length, 50);  // independent: 50 quarters in 2024
  await page.click('#view-next');
  assert.equal(await page.$eval('#vyear', (e) => e.value), '2025');

  const islamic = await open('lang=en&tz=0&view=year&calendar=islamic&year=1445');
  const days = await daysOf(islamic);
  // independent: 1 Muharram 1445 was 19 July 2023 (serial 45126); 1445 is year 5 of the
  // 30-year cycle, a leap year of 355 days in the arithmetic calendar.
  assert.equal(days[0].serial, 45126);
  assert.equal(days.length, 355);
  await islamic.close();
  await page.close();
});

test('printed on A4 and Letter: one page per month, a year on one or two, no forms', async () => {
  const out = `${root}docs/img`;
  mkdirSync(out, { recursive: true });
  const dir = mkdtempSync(`${tmpdir()}/varizav-print-`);
  const pages = [['month', 'lang=en&tz=0&view=month&calendar=hebrew&date=2024-04-23', 1],
    ['year', 'lang=en&tz=0&view=year&calendar=gregorian&year=2024', 2]];
  for (const [name, query, most] of pages) {
    const page = await open(query);
    for (const format of ['A4', 'Letter']) {
      const pdf = `${dir}/${name}-${format}.pdf`;
      writeFileSync(pdf, await page.pdf({ format, landscape: true, printBackground: true }));
      const count = pdfPages(pdf);
      assert.ok(count >= 1 && count <= most, `${name} on ${format}: ${count} pages`);
      const text = spawnSync('pdftotext', [pdf, '-']).stdout.toString();
      assert.ok(!text.includes('Download .ics') && !text.includes('Convert'), `${name} on ${format}: no forms`);
      assert.ok(text.includes(name === 'month' ? 'Passover' : 'December 2024'), `${name} on ${format}`);
      const png = `${out}/print-${name}-${format.toLowerCase()}`;
      const run = spawnSync('pdftoppm', ['-png', '-r', '60', '-f', '1', '-l', '1', '-singlefile', pdf, png]);
      assert.equal(run.status, 0, run.stderr.toString());
    }
    await page.close();
  }
  rmSync(dir, { recursive: true });
});

test('a GEDCOM date in all calendars', async () => {
  const page = await open(`lang=en&tz=0&ged=${encodeURIComponent('@#DJULIAN@ 11 FEB 1731/32')}`);
  assert.equal(await page.$eval('#ged-summary', (e) => e.textContent),
    'exact: 1732-02-22 to 1732-02-22 (serial dates -61307 to -61307)');
  const rows = await page.$$eval('#ged-table tbody tr', (r) => r.map((row) => [...row.cells].map((c) => c.textContent)));
  assert.equal(rows.length, 25);
  const want = nativeBatch(rows.map((_, k) => `SC_calendar\t${k + 1}\t-61307\t1`));
  assert.deepEqual(rows.map((r) => r[1]), want);
  await page.type('#ged', '', {});
  await page.$eval('#ged', (e) => { e.value = '@#DHEBREW@ 1 ADS 5783'; });
  await page.click('#ged-button');
  assert.match(await page.$eval('#ged-summary', (e) => e.textContent), /^Not a valid date: ADS \(Adar II\) exists only in leap years/);
  await page.close();
});

test('the shown month as .ics: one event per holiday and Moon quarter, lines of the tool', async () => {
  const page = await open('lang=en&tz=0&view=month&calendar=hebrew&date=2024-04-23');
  const dir = mkdtempSync(`${tmpdir()}/varizav-ics-`);
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
  await page.click('#view-ics');
  let files = [];
  for (let i = 0; i < 100 && files.length === 0; ++i) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    files = readdirSync(dir).filter((f) => f.endsWith('.ics'));
  }
  assert.deepEqual(files, ['varizav-hebrew-2024-04.ics']);
  const text = readFileSync(`${dir}/${files[0]}`, 'utf8');
  const days = await daysOf(page);
  const shown = days.reduce((n, d) => n + d.feasts.length + d.moons.length, 0);
  assert.equal(text.split('BEGIN:VEVENT').length - 1, shown);
  assert.ok(text.endsWith('END:VCALENDAR\r\n'));
  assert.ok(text.split('\r\n').every((line) => Buffer.byteLength(line) <= 75));
  // Passover: the civil day of 15 Nisan, its eve in the description, the tool's UID.
  assert.match(text, /UID:hebrew-passover-2024-1@varizav\r\nDTSTAMP:\d{8}T\d{6}Z\r\nDTSTART;VALUE=DATE:20240423\r\n/);
  // The Full Moon's line as the native tool writes it.
  const tool = spawnSync(native, ['--lang', 'en', 'ics', '--events', 'Full Moon', '--from', '2024', '--to', '2024'],
    { env: { LANG: 'C.UTF-8' } }).stdout.toString();
  const fullMoon = /DTSTART:20240423T\d{6}Z\r\n/.exec(tool);
  assert.ok(fullMoon && text.includes(fullMoon[0]), fullMoon?.[0]);
  rmSync(dir, { recursive: true });
  await page.close();
});
