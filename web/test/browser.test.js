// The web page in Debian's Chromium (puppeteer-core, no browser download),
// served from build-web/site by a static server on 127.0.0.1: dates,
// calendars, holidays, the sky of a month and both searches entered through
// the page, every shown value compared with the native tool `varizav batch`;
// bad values in the address, a search that runs for seconds, a phone's width.
// Leaves screenshots in docs/img/web.png and docs/img/web-phone.png.
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from './static_server.js';
import { holidayNames } from '../../bindings/js/varizav.js';

const root = fileURLToPath(new URL('../../', import.meta.url));
const site = process.env.VARIZAV_SITE ?? `${root}build-web/site`;
const native = process.env.VARIZAV_NATIVE ?? `${root}build/tools/varizav/varizav`;
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const screenshot = `${root}docs/img/web.png`;
const phoneScreenshot = `${root}docs/img/web-phone.png`;

let server;
let browser;
let base;
let compared = 0;
// How long the page may take to answer an input while a search runs: 100 ms
// is the aim; the margin is for a busy test machine.
const LATENCY_BOUND_MS = 300;
// The astronomical events by their English names (the package's table).
const astronomicalEvents = holidayNames('astronomical', 'en').map((h) => h.name);

// One result line per call from the native tool.
function nativeBatch(lines, language, timezoneSeconds = 0) {
  const run = spawnSync(native, ['--lang', language, 'batch'], {
    input: `${lines.join('\n')}\n`,
    env: { LANG: 'C.UTF-8', VARIZAV_TIMEZONE: String(timezoneSeconds) },
  });
  assert.equal(run.status, 0, run.stdout.toString() + run.stderr.toString());
  return run.stdout.toString('utf8').split('\n').slice(0, -1);
}

function same(got, want, what) {
  assert.deepEqual(got, want, what);
  compared += Array.isArray(want) ? want.length : 1;
}

async function open(query, viewport = { width: 1200, height: 900 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on('pageerror', (error) => assert.fail(`page error: ${error.message}`));
  await page.goto(`${base}/?${query}`);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 30000 });
  return page;
}

// The result of a search form once its worker has answered.
async function searchResult(page, id) {
  await page.waitForSelector(`#${id}-result[data-state="done"]`, { timeout: 30000 });
  return page.$eval(`#${id}-result`, (e) => e.dataset.serial);
}

const tableCells = (page, id) => page.$$eval(`#${id} tbody tr`, (rows) =>
  rows.map((row) => [...row.children].map((c) => c.textContent)));

before(async () => {
  server = await serve(site);
  base = `http://127.0.0.1:${server.address().port}`;
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

test('a date in all 25 calendars, in English and German', async () => {
  const page = await open('lang=en&tz=0&mode=iso&in=2024-03-31');
  const check = async (iso, language) => {
    const rows = await tableCells(page, 'calendars');
    assert.equal(rows.length, 25);
    const lines = [];
    for (let k = 1; k <= 25; ++k) lines.push(`SC_calendar\t${k}\t${iso}\t1`, `SC_calendar\t${k}\t${iso}\t0`);
    const want = nativeBatch(lines, language);
    same(rows.map((r) => [r[1], r[2]]), rows.map((_, k) => [want[2 * k], want[2 * k + 1]]), `${iso} ${language}`);
  };
  await check('2024-03-31', 'en');
  // Typed into the field and sent with the Enter key.
  await page.click('#date-in', { clickCount: 3 });
  await page.keyboard.type('1582-10-15T18:30');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => location.search.includes('in=1582-10-15T18'));
  await check('1582-10-15T18:30', 'en');
  await page.select('#lang', 'de');
  await page.waitForFunction(() => document.documentElement.lang === 'de');
  await check('1582-10-15T18:30', 'de');
  await page.close();
});

test('a date entered through a calendar converter, a serial date and a Julian Day', async () => {
  const page = await open('lang=en&tz=0');
  await page.select('#mode', 'cal');
  await page.select('#converter', 'SC_hebrew');
  for (const [i, value] of ['5784', 'Nisan', '15'].entries()) {
    await page.click(`#c${i}`, { clickCount: 3 });
    await page.keyboard.type(value);
  }
  await page.click('#convert-button');
  await page.waitForFunction(() => location.search.includes('c1=Nisan'));
  const [serial] = nativeBatch(['SC_hebrew\t5784\tNisan\t15'], 'en');
  const summary = await page.$eval('#convert-summary', (e) => e.textContent);
  assert.ok(summary.includes(`serial date ${serial} `), summary);
  compared += 1;
  const rows = await tableCells(page, 'calendars');
  same(rows[11][1], nativeBatch([`SC_calendar\thebrew\t${serial}\t1`], 'en')[0], 'Hebrew text');

  for (const [mode, input, call] of [['serial', '45404.75', null], ['jd', '2460423.25', 'SC_astronomy\t2460423.25']]) {
    await page.select('#mode', mode);
    await page.click('#date-in', { clickCount: 3 });
    await page.keyboard.type(input);
    await page.keyboard.press('Enter');
    await page.waitForFunction((m) => location.search.includes(`mode=${m}`), {}, mode);
    const want = call === null ? input : nativeBatch([call], 'en')[0];
    const text = await page.$eval('#convert-summary', (e) => e.textContent);
    assert.ok(text.includes(`serial date ${want} `), text);
    compared += 1;
  }
  await page.close();
});

test('holidays of a year, sorted by date, with weekday and time of day', async () => {
  const page = await open('lang=en&tz=0&hcal=11&hyear=5784');
  const rows = await tableCells(page, 'holidays');
  const names = await page.$$eval('#holidays tbody th', (cells) => cells.map((c) => c.textContent));
  const want = nativeBatch(names.map((name) => `SC_holiday\thebrew\t${name}\t5784`), 'en');
  same(rows.map((r) => r[4]), want, 'serial dates');
  const serials = want.map(Number);
  assert.deepEqual(serials, [...serials].sort((a, b) => a - b), 'sorted by date');
  // Hebrew feasts begin at 18:00 of the evening before.
  const passover = rows.find((r) => r[0] === 'Passover');
  assert.deepEqual(passover.slice(1, 4), ['2024-04-22', 'Monday', '18:00']);
  compared += 1;
  await page.close();
});

test('the sky of a month in the chosen time zone', async () => {
  const page = await open('lang=en&tz=120&month=2024-04');
  const rows = await tableCells(page, 'sky');
  assert.ok(rows.length >= 10, `${rows.length} events`);
  const eclipse = rows.find((r) => r[1].includes('Solar Eclipse'));
  assert.ok(eclipse && eclipse[0].startsWith('2024-04-08 '), 'the total solar eclipse of 8 April 2024');
  // The page searches each event from the first of the month, then from one
  // second after each occurrence, until the month ends (serial 45413). The
  // same searches through the native tool must give the shown instants and
  // nothing more in the month.
  const monthStart = 45383;
  const monthEnd = 45413;
  const shown = new Map();
  for (const [, names, serial] of rows) {
    for (const name of names.split(' / ')) shown.set(name, [...(shown.get(name) ?? []), serial]);
  }
  const calls = [];
  const wanted = [];
  for (const name of astronomicalEvents) {
    const occurrences = shown.get(name) ?? [];
    let from = monthStart;
    for (const serial of occurrences) {
      calls.push(`SC_holiday2\tastronomical\t${name}\t${from}`);
      wanted.push(serial);
      from = Number(serial) + 1 / 86400;
    }
    calls.push(`SC_holiday2\tastronomical\t${name}\t${from}`);
    wanted.push(null);
  }
  const got = nativeBatch(calls, 'en', -7200);
  const next = got.filter((_, i) => wanted[i] === null);
  assert.ok(next.every((text) => text === 'NaN' || Number(text) >= monthEnd), 'no event of the month left out');
  same(got.filter((_, i) => wanted[i] !== null), wanted.filter((w) => w !== null), 'event instants');
  await page.close();
});

test('WHEN and WHEN2 as forms; the state in the address restores the page', async () => {
  const page = await open('lang=en&tz=0&w5=36526&x4=36526');
  const want = nativeBatch(['SC_when\tastronomical\tFull Moon\tFriday\t13\t\t36526',
    'SC_when2\tgregorian\tEaster\thebrew\tPassover\t36526'], 'en');
  same([await searchResult(page, 'when'), await searchResult(page, 'when2')], want, 'search results');

  await page.click('#w2', { clickCount: 3 });
  await page.keyboard.type('Tuesday');
  await page.click('#when-button');
  await page.waitForFunction(() => location.search.includes('w2=Tuesday'));
  const [tuesday] = nativeBatch(['SC_when\tastronomical\tFull Moon\tTuesday\t13\t\t36526'], 'en');
  same(await searchResult(page, 'when'), tuesday, 'WHEN after editing');

  const shared = await open(new URL(page.url()).search.slice(1));
  same(await searchResult(shared, 'when'), tuesday, 'restored from the address');
  await shared.close();
  await page.close();
});

test('a long search runs beside the page: the page answers at once, Cancel ends the search', async () => {
  // An eclipse on 31 February never comes: WHEN tries the whole loop limit of
  // eclipses, seconds of work.
  const page = await open('lang=en&tz=0&w0=astronomical&w1=Eclipse&w3=31&w4=February&w5=-79130000');
  await page.waitForSelector('#when-result[data-state="searching"]');
  assert.equal(await page.$eval('#when-result', (e) => e.textContent), 'Searching…');
  assert.ok(await page.$eval('#when-cancel', (e) => e.checkVisibility()), 'Cancel shown');
  // From the Enter key's event to the new conversion on the page, by the page's own clock.
  await page.evaluate(() => {
    document.addEventListener('keydown', (e) => { window.keyAt = e.timeStamp; }, true);
    new MutationObserver(() => { window.answeredAt ??= performance.now(); })
      .observe(document.getElementById('convert-summary'), { childList: true, characterData: true, subtree: true });
  });
  await page.click('#date-in', { clickCount: 3 });
  await page.keyboard.type('2000-01-01');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.answeredAt !== undefined);
  const latency = await page.evaluate(() => window.answeredAt - window.keyAt);
  assert.equal(await page.$eval('#when-result', (e) => e.dataset.state), 'searching', 'measured while searching');
  console.log(`# the page answered a conversion in ${latency.toFixed(1)} ms during a search`);
  assert.ok(latency < LATENCY_BOUND_MS, `${latency} ms`);

  await page.click('#when-cancel');
  assert.equal(await page.$eval('#when-result', (e) => e.dataset.state), 'cancelled');
  assert.equal(await page.$eval('#when-result', (e) => e.textContent), 'Search cancelled.');
  assert.ok(!(await page.$eval('#when-cancel', (e) => e.checkVisibility())), 'Cancel gone');
  // A fresh worker answers the next search.
  for (const [field, value] of [['w1', 'Full Moon'], ['w2', 'Friday'], ['w3', '13'], ['w4', ''], ['w5', '36526']]) {
    await page.click(`#${field}`, { clickCount: 3 });
    await page.keyboard.press('Backspace');
    await page.keyboard.type(value);
  }
  await page.click('#when-button');
  const [want] = nativeBatch(['SC_when\tastronomical\tFull Moon\tFriday\t13\t\t36526'], 'en');
  same(await searchResult(page, 'when'), want, 'a search after Cancel');
  await page.close();
});

// A bad value in the address: the message the page shows for it, and a table
// that still fills. The first four come from the report of issue 22; the
// others try every other field the page reads, several with markup.
const BAD_ADDRESSES = [
  ['tz=1e400', '#notices', 'The time zone “1e400” is not whole minutes east of UT', 'calendars'],
  ['mode=serial&in=1e300', '#convert-summary', 'Not a valid date', 'holidays'],
  ['month=2024-4', '#sky-caption', '(UT+00:00): 2024-04', 'sky'],
  ['hyear=abc', '#holidays-caption', '“abc” is not a year', 'calendars'],
  ['lang=<b>x</b>', '#notices', 'The language “<b>x</b>” is not offered', 'calendars'],
  ['tz=90000', '#notices', 'The time zone “90000”', 'sky'],
  ['mode=<img src=x onerror=alert(1)>', '#notices', 'The kind of date “<img src=x', 'calendars'],
  ['mode=cal&conv=<script>alert(1)</script>', '#notices', 'There is no calendar converter “<script>', 'holidays'],
  ['hcal=99', '#notices', 'There is no calendar “99”', 'holidays'],
  ['in=2024-02-30', '#convert-summary', '“2024-02-30” is not a date', 'holidays'],
  // The page reads numbers as the tool does: 1e400 is beyond a double, no number.
  ['mode=jd&in=1e400', '#convert-summary', '“1e400” is not a date', 'holidays'],
  ['mode=cal&conv=SC_gregorian&c0=<i>2024</i>', '#convert-summary', 'year: “<i>2024</i>” is not a number', 'holidays'],
  ['month=2024-13', '#sky-caption', '“2024-13” is not a month', 'calendars'],
  ['hcal=4&hyear=2024', '#holidays-caption', '“2024” is not a Chinese year', 'calendars'],
  ['hyear=99999999999', '#holidays-caption', '“99999999999” is not a year', 'calendars'],
  [`w0=${'x'.repeat(300)}`, '#when-result', 'calendar: the text is longer than 255 bytes', 'calendars'],
  ['w3=thirteen', '#when-result', 'day: “thirteen” is not a number', 'calendars'],
  ['x1=<svg onload=alert(1)>', '#when2-result', 'No date found', 'calendars'],
  ['lang=de&tz=abc', '#notices', 'Die Zeitzone „abc“ ist keine ganze Minutenzahl', 'calendars'],
];

test('a bad value in the address is named on the page, and the page still works', async () => {
  for (const [query, where, message, table] of BAD_ADDRESSES) {
    const page = await open(`${query}&lang=en&tz=0&in=2024-03-31&month=2024-04`);
    await page.waitForFunction((w, m) => document.querySelector(w).textContent.includes(m), { timeout: 10000 },
      where, message).catch(async () => {
      assert.fail(`${query}: ${where} shows "${await page.$eval(where, (e) => e.textContent)}"`);
    });
    assert.ok((await tableCells(page, table)).length > 0, `${query}: table ${table} still filled`);
    assert.equal(await page.$$eval('body img, body script, body svg, body b, body i', (e) => e.length), 0,
      `${query}: markup from the address stays text`);
    await page.close();
  }
});

test('the page\'s labels are spelled right; the tables\' placeholders are no holidays', async () => {
  for (const query of ['lang=en&tz=0&hcal=10&hyear=2024', 'lang=de&tz=0&mode=cal&conv=SC_latin']) {
    const page = await open(query);
    const shown = await page.evaluate(() => [document.body.innerText,
      ...[...document.querySelectorAll('[title]')].map((e) => e.title)].join('\n'));
    assert.doesNotMatch(shown, /\b2st\b|occurence|Names des/, query);
    await page.close();
  }
  const page = await open('lang=en&tz=0&hcal=10&hyear=2024');
  assert.equal(await page.$eval('label[for="x3"]', (e) => e.textContent), '2nd event');
  const names = await page.$$eval('#holidays tbody th', (cells) => cells.map((c) => c.textContent));
  // The Gregorian table's 50 entries, less its one placeholder, each once a year.
  assert.equal(names.length, 49);
  assert.ok(!names.includes('nil'));
  await page.close();
});

test('every field has a label; the page fits a phone', async () => {
  const page = await open('lang=de&tz=60', { width: 390, height: 844, isMobile: true });
  const unlabelled = await page.$$eval('input, select', (fields) =>
    fields.filter((f) => f.labels.length === 0).map((f) => f.id));
  assert.deepEqual(unlabelled, []);
  const width = await page.evaluate(() => document.documentElement.scrollWidth);
  assert.ok(width <= 390, `page is ${width} px wide`);
  // The keyboard reaches the first field from the top of the page.
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'lang');
  await page.close();
});

test('every table reads on a phone: it fits, or scrolls in its box under a hint', async () => {
  const page = await open('lang=en&tz=0&mode=iso&in=2024-04-08T18:18&hcal=11&hyear=5784&month=2024-04',
    { width: 390, height: 844, isMobile: true });
  const boxes = await page.$$eval('table', (tables) => tables.map((table) => {
    const box = table.parentElement;
    const hint = box.previousElementSibling;
    return {
      id: table.id,
      scrolls: ['auto', 'scroll'].includes(getComputedStyle(box).overflowX),
      overflowing: box.scrollWidth > box.clientWidth + 1,
      hinted: hint.classList.contains('scroll-hint') && hint.checkVisibility(),
    };
  }));
  for (const box of boxes) {
    assert.ok(box.scrolls, `${box.id} scrolls in its box`);
    assert.equal(box.hinted, box.overflowing, `${box.id}: a hint exactly when wider than the screen`);
  }
  assert.ok(boxes.some((box) => box.overflowing), 'a table wider than a phone');
  await page.$eval('#holiday-heading', (e) => e.scrollIntoView());
  await page.screenshot({ path: phoneScreenshot });
  await page.close();
});

test('screenshot', async () => {
  const page = await open('lang=en&tz=0&mode=iso&in=2024-04-08T18:18&hcal=11&hyear=5784&month=2024-04&w5=45292&x4=45292',
    { width: 1200, height: 1500 });
  await searchResult(page, 'when');
  await searchResult(page, 'when2');
  mkdirSync(`${root}docs/img`, { recursive: true });
  await page.screenshot({ path: screenshot });
  await page.close();
});

test('values compared', () => {
  assert.ok(compared >= 100, `${compared}`);
  console.log(`# browser test: ${compared} shown values compared with the native tool`);
});
