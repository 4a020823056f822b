// How close varizav's astronomical events come to an independent ephemeris:
// astronomy-engine (npm), which models the Sun, the Moon and the planets from
// VSOP87 and a lunar theory of its own. For every event family over a span of
// years, each event of astronomy-engine is paired with the first varizav event
// of the same kind from a few days before it (HOLIDAY2 through `varizav
// batch`), and the differences are summarised as a Markdown table.
//
//   node docs/accuracy/accuracy.mjs TOOL [--from 1800] [--to 2200] [--check]
//
// Both sides are compared in dynamical time (TT), so that the tables of
// Delta T (TT - UT) of the two programs do not enter: varizav runs with a
// fixed Delta T of 1 s (VARIZAV_DELTA_T=1) in Universal Time (TZ=UTC), and its
// results plus 1 s are its TT instants. --check exits with 1 when a family's
// largest difference exceeds its bound (the test of `make test`), and with 77
// (skipped) when astronomy-engine is not installed (npm ci in docs/accuracy),
// unless VARIZAV_REQUIRE_HOSTS=1.
import { spawnSync } from 'node:child_process';

let A;
try {
  A = await import('astronomy-engine');
} catch {
  console.error('astronomy-engine is not installed: run npm ci in docs/accuracy');
  process.exit(process.env.VARIZAV_REQUIRE_HOSTS === '1' ? 1 : 77);
}

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(name);
  return i >= 0 ? Number(args[i + 1]) : fallback;
};
const tool = args.find((a, i) => !a.startsWith('--') && !['--from', '--to'].includes(args[i - 1]));
const fromYear = option('--from', 1800);
const toYear = option('--to', 2200);
const check = args.includes('--check');
if (!tool) {
  console.error('usage: node accuracy.mjs TOOL [--from YEAR] [--to YEAR] [--check]');
  process.exit(2);
}

const kSerialOfJ2000 = 36526.5;  // serial date of JD 2451545.0 (2000-01-01 12:00)
const kFixedDeltaTSeconds = 1;
const start = A.MakeTime(new Date(Date.UTC(fromYear, 0, 1)));
const end = A.MakeTime(new Date(Date.UTC(toYear, 0, 1)));
const serialTT = (time) => time.tt + kSerialOfJ2000;
const inSpan = (time) => time.ut >= start.ut && time.ut < end.ut;

// Every event of a search that goes on from one event to the next.
function chain(first, next, timeOf = (e) => e.time) {
  const events = [];
  for (let e = first; inSpan(timeOf(e)); e = next(e)) events.push(e);
  return events;
}

// Moon's geocentric declination of date (degrees), for the extreme declinations.
function moonDeclination(time) {
  const vector = A.RotateVector(A.Rotation_EQJ_EQD(time), A.GeoMoon(time));
  return A.EquatorFromVector(vector).dec;
}

// The instant of the Moon's extreme declination between two times: golden-
// section search (to a second) for the maximum of sign * declination.
function extremeDeclination(a, b, sign) {
  const ratio = (Math.sqrt(5) - 1) / 2;
  const f = (t) => sign * moonDeclination(t);
  while ((b.ut - a.ut) * 86400 > 1) {
    const c = b.AddDays(-(b.ut - a.ut) * ratio);
    const d = a.AddDays((b.ut - a.ut) * ratio);
    if (f(c) > f(d)) b = d; else a = c;
  }
  return a.AddDays((b.ut - a.ut) / 2);
}

// Every extreme declination in the span: the declination sampled every six
// hours, each local extreme refined between its neighbouring samples.
function declinationExtremes() {
  const step = 0.25;
  const events = [];
  let before = start, at = start.AddDays(step);
  let decBefore = moonDeclination(before), decAt = moonDeclination(at);
  while (at.ut < end.ut) {
    const after = at.AddDays(step);
    const decAfter = moonDeclination(after);
    for (const [north, sign] of [[true, 1], [false, -1]]) {
      if (sign * decAt > sign * decBefore && sign * decAt >= sign * decAfter) {
        const time = extremeDeclination(before, after, sign);
        if (inSpan(time)) events.push({ north, time });
      }
    }
    [before, at, decBefore, decAt] = [at, after, decAt, decAfter];
  }
  return events;
}

// Families: the astronomical event entries of varizav (1-based, as `varizav
// names events` numbers them), the events of astronomy-engine, how many days
// before each of them the varizav search starts, and the largest difference
// that --check accepts, in minutes.
const quarters = chain(A.SearchMoonQuarter(start), (q) => A.NextMoonQuarter(q));
const apsides = chain(A.SearchLunarApsis(start), (p) => A.NextLunarApsis(p));
const nodes = chain(A.SearchMoonNode(start), (n) => A.NextMoonNode(n));
const solar = chain(A.SearchGlobalSolarEclipse(start), (e) => A.NextGlobalSolarEclipse(e.peak), (e) => e.peak);
const lunar = chain(A.SearchLunarEclipse(start), (e) => A.NextLunarEclipse(e.peak), (e) => e.peak);
const seasons = [];
const signs = [];
for (let year = fromYear; year < toYear; ++year) {
  const s = A.Seasons(year);
  seasons.push(s.mar_equinox, s.jun_solstice, s.sep_equinox, s.dec_solstice);
  for (let sign = 0; sign < 12; ++sign) {
    const t = A.SearchSunLongitude(30 * sign, A.MakeTime(new Date(Date.UTC(year, 2, 1) + (sign * 30.4 - 20) * 86400e3)), 60);
    if (t && inSpan(t)) signs.push({ sign, time: t });
  }
}
function planetEvents(body, relativeLongitude) {
  const events = [];
  for (let t = A.SearchRelativeLongitude(body, relativeLongitude, start); inSpan(t);
       t = A.SearchRelativeLongitude(body, relativeLongitude, t.AddDays(1))) {
    events.push(t);
  }
  return events;
}
function elongations(body, visibility) {
  const events = [];
  for (let e = A.SearchMaxElongation(body, start); inSpan(e.time); e = A.SearchMaxElongation(body, e.time.AddDays(1))) {
    if (e.visibility === visibility) events.push(e.time);
  }
  return events;
}

const families = [
  { name: 'New and full moons, quarters', entry: (q) => 4 + q.quarter, events: quarters, lead: 5, bound: 2 },
  { name: 'Perigee and apogee', entry: (p) => 8 + p.kind, events: apsides, lead: 5, bound: 60 },
  {
    name: 'Greatest northern and southern declination of the Moon', entry: (e) => (e.north ? 10 : 11),
    events: declinationExtremes(), lead: 5, bound: 30,
  },
  { name: 'Ascending and descending node of the Moon', entry: (n) => (n.kind > 0 ? 12 : 13), events: nodes, lead: 5, bound: 10 },
  { name: 'Solar eclipses (greatest eclipse)', entry: () => 14, events: solar, time: (e) => e.peak, lead: 10, bound: 10 },
  { name: 'Lunar eclipses (greatest eclipse)', entry: () => 15, events: lunar, time: (e) => e.peak, lead: 10, bound: 10 },
  { name: 'Equinoxes and solstices', entry: (t, i) => 17 + (i % 4), events: seasons, time: (t) => t, lead: 20, bound: 2 },
  { name: 'Sun entering a zodiac sign', entry: (s) => 21 + s.sign, events: signs, lead: 20, bound: 2 },
  ...[
    ['Mercury', A.Body.Mercury, 34, 50, 60],
    ['Venus', A.Body.Venus, 38, 100, 240],
  ].flatMap(([name, body, entry, lead, bound]) => [
    { name: `${name} inferior conjunction`, entry: () => entry, events: planetEvents(body, 0), time: (t) => t, lead, bound },
    { name: `${name} superior conjunction`, entry: () => entry + 1, events: planetEvents(body, 180), time: (t) => t, lead, bound },
    { name: `${name} greatest eastern elongation`, entry: () => entry + 2, events: elongations(body, 'evening'), time: (t) => t, lead, bound },
    { name: `${name} greatest western elongation`, entry: () => entry + 3, events: elongations(body, 'morning'), time: (t) => t, lead, bound },
  ]),
  ...[
    ['Mars', A.Body.Mars, 42],
    ['Jupiter', A.Body.Jupiter, 44],
    ['Saturn', A.Body.Saturn, 46],
    ['Uranus', A.Body.Uranus, 48],
    ['Neptune', A.Body.Neptune, 50],
  ].flatMap(([name, body, entry]) => [
    { name: `${name} opposition`, entry: () => entry, events: planetEvents(body, 0), time: (t) => t, lead: 100, bound: 480 },
    { name: `${name} conjunction`, entry: () => entry + 1, events: planetEvents(body, 180), time: (t) => t, lead: 100, bound: 480 },
  ]),
];

function runBatch(lines) {
  const r = spawnSync(tool, ['--lang', 'en', 'batch'], {
    input: lines.join('\n') + '\n',
    env: { PATH: process.env.PATH, TZ: 'UTC', VARIZAV_DELTA_T: String(kFixedDeltaTSeconds), LC_ALL: 'C' },
    maxBuffer: 1 << 28,
  });
  if (r.status !== 0) throw new Error(`varizav batch failed: ${r.stderr}`);
  return r.stdout.toString().trim().split('\n').map(Number);
}
const call = (entry, serial) => `SC_holiday2\tastronomical\t${entry}\t${serial}`;
const toTT = (serial) => serial + kFixedDeltaTSeconds / 86400;

// Pairs (varizav TT serial, reference TT serial) of every family.
const pairs = families.map((f) => {
  const timeOf = f.time ?? ((e) => e.time);
  const lines = f.events.map((e, i) => call(f.entry(e, i), serialTT(timeOf(e)) - f.lead));
  const results = runBatch(lines);
  return f.events.map((e, i) => [toTT(results[i]), serialTT(timeOf(e))]);
});

const median = (sorted) => (sorted.length ? sorted[Math.floor((sorted.length - 1) / 2)] : NaN);
const minutes = (days) => days * 1440;
const show = (m) => (m < 1 ? `${(m * 60).toFixed(0)} s` : m < 120 ? `${m.toFixed(1)} min` : `${(m / 60).toFixed(1)} h`);
// A reference event without a varizav event of its kind within a day is
// counted apart (marginal eclipses that one model has and the other has not).
const kUnmatchedMinutes = 1440;
let failed = false;
console.log(`| Event family (${fromYear}-${toYear - 1}) | Events | Median difference | Largest difference | Not found by varizav |`);
console.log('|---|--:|--:|--:|--:|');
families.forEach((f, i) => {
  const all = pairs[i].map(([v, r]) => Math.abs(minutes(v - r)));
  const differences = all.filter((d) => d <= kUnmatchedMinutes).sort((a, b) => a - b);
  const unmatched = all.length - differences.length;
  const largest = differences.length ? differences[differences.length - 1] : NaN;
  console.log(`| ${f.name} | ${all.length} | ${show(median(differences))} | ${show(largest)} | ${unmatched} |`);
  if (!(largest <= f.bound) || unmatched > 0) {
    failed = true;
    console.error(`${f.name}: largest difference ${show(largest)} (bound ${show(f.bound)}), ${unmatched} not found`);
  }
});
if (check && failed) process.exit(1);
