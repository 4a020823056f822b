// varizav ics read back by a second independent parser, the npm package
// ical.js (locked in package-lock.json; npm ci here installs it).
// Usage: node ics_check.mjs TOOL. Each event's day is checked against the
// library's SC_holiday2 through `varizav batch`, as ics_check.py does, so that
// the number of events equals the number of occurrences. Exit 77 (skipped)
// when ical.js is not installed.
import { execFileSync } from 'node:child_process';

let ICAL;
try {
  ICAL = (await import('ical.js')).default;
} catch {
  console.log('Skipped: ical.js is not installed (npm ci in tests/tools/ics)');
  process.exit(process.env.VARIZAV_REQUIRE_HOSTS === '1' ? 1 : 77);
}

const tool = process.argv[2];
const env = { PATH: '/usr/bin:/bin', LANG: 'C.UTF-8' };
const run = (args, input = '') => execFileSync(tool, args, { input, env, maxBuffer: 1 << 26 }).toString();
const serialOf = (y, m, d) => Math.round((Date.UTC(y, m - 1, d) - Date.UTC(1899, 11, 30)) / 86400000);
const failures = [];
const check = (ok, message) => ok || failures.push(message);

const from = 2025;
const to = 2027;
const text = run(['--lang', 'en', 'ics', '--calendars', 'hebrew,islamic,gregorian',
  '--events', 'Full Moon,New Moon,Solar Eclipse', '--from', `${from}`, '--to', `${to}`]);
const calendar = new ICAL.Component(ICAL.parse(text));
const events = calendar.getAllSubcomponents('vevent');
const groups = new Map();
for (const e of events) {
  const key = `${e.getFirstPropertyValue('x-varizav-calendar')}\t${e.getFirstPropertyValue('x-varizav-event')}`;
  const start = e.getFirstPropertyValue('dtstart');
  const timed = !start.isDate;
  check(!timed || start.zone === ICAL.Timezone.utcTimezone, `${e.getFirstPropertyValue('uid')} is in UTC`);
  const day = serialOf(start.year, start.month, start.day);
  const value = timed ? day + (start.hour * 3600 + start.minute * 60 + start.second) / 86400 : day;
  if (!groups.has(key)) groups.set(key, []);
  groups.get(key).push({ timed, value, uid: e.getFirstPropertyValue('uid') });
}

const calls = [];
const expected = [];
const first = serialOf(from, 1, 1);
const end = serialOf(to + 1, 1, 1);
for (const [key, found] of groups) {
  found.sort((a, b) => a.value - b.value);
  let start = first;
  for (const f of found) {
    calls.push(`SC_holiday2\t${key}\t${start}`);
    expected.push(f);
    start = f.value + (f.timed ? 1 / 1440 : 0.5);
  }
  calls.push(`SC_holiday2\t${key}\t${start}`);
  expected.push({ beyond: key });
}
const results = run(['--lang', 'en', 'batch'], calls.join('\n') + '\n').trim().split('\n');
check(results.length === calls.length, 'one batch result per call');
results.forEach((line, i) => {
  const when = Number(line.split('\t')[0]);
  const want = expected[i];
  if (want.beyond) check(!(when < end), `${want.beyond}: an occurrence at ${when} is missing`);
  else if (want.timed) check(Math.abs(when - want.value) <= 0.5 / 86400, `${want.uid}: ${want.value} vs ${when}`);
  else check(Math.floor(when + 0.25) === want.value, `${want.uid}: ${want.value} vs ${when}`);
});

for (const f of failures.slice(0, 40)) console.log('FAIL:', f);
console.log(`ical.js: ${events.length} events, ${failures.length} failures`);
process.exit(failures.length ? 1 : 0);
