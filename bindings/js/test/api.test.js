// The JavaScript API: numbers and strings in and out, settings through
// configure, the name tables and the date helpers. Expected values are the
// native tool's (README examples, `varizav batch`).
import { strict as assert } from 'node:assert';
import { test } from 'node:test';
import * as varizav from '../varizav.js';

test('worksheet functions by their exported names', async () => {
  await varizav.configure();
  const cases = [
    [varizav.SC_gregorian, [2024, 'March', 31], 45382],
    [varizav.SC_hebrew, [5784, 'Nisan', 15], 45404.75],
    [varizav.SC_holiday, ['gregorian', 'Easter', '2024'], 45382],
    [varizav.SC_holiday, ['gregorian', 'Easter', 2024], 45382],  // a number for a text argument
    [varizav.SC_holiday, ['gregorian', 'Easter', 1e21], varizav.SC_holiday('gregorian', 'Easter', '1000000000000000000000')],
    [varizav.SC_holiday, ['gregorian', 'Easter', 5e-7], varizav.SC_holiday('gregorian', 'Easter', '0.0000005')],
    [varizav.SC_event, [2, 'Sunday', 'May', 2024], 45424],
    [varizav.SC_leapyear, ['chinese', '78-18'], 1],
    [varizav.SC_chinese, [78, 17, '1st', false, 1], 36561],
    [varizav.SC_calendar, ['hebrew', 45405, 1], 'yom shelishi, 15 Nisan 5784'],
    [varizav.SC_chronology, ['Dominical Letter', 2024], 'GF'],
    [varizav.SC_chronology, ['Cycle', 2024], 'Err:502'],
    [varizav.SC_calendar, ['gregorian', NaN, 1], ''],
  ];
  for (const [f, args, want] of cases) assert.equal(f(...args), want, `${args}`);
  assert.ok(Number.isNaN(varizav.SC_gregorian(2001, 'February', 32)));
  assert.equal(varizav.call('SC_astronomy', 2451544.5), 36526);
});

test('German names in and out as UTF-8', async () => {
  await varizav.configure({ language: 'de' });
  assert.equal(varizav.SC_gregorian(2000, 'März', 1), 36586);
  assert.equal(varizav.SC_egyptian(1, 'Thoth', 1), -966381);
  assert.equal(varizav.SC_calendar('jüdisch', 45405, 1), 'Jom Shlishi, 15 Nisan 5784');
  assert.equal(varizav.functions().find((f) => f.name === 'SC_egyptian').displayName, 'ÄGYPTISCH');
  assert.equal(varizav.calendarNames()[11], 'jüdisch');
  assert.ok(varizav.holidayNames(11).some((h) => h.name === 'Ostern'));
  await varizav.configure({ language: 'en' });
  assert.equal(varizav.calendarNames()[11], 'hebrew');
});

test('settings apply as the environment would, and nothing else carries over', async () => {
  // 1752-09-02 (Julian) is the last Julian day under the British reform.
  await varizav.configure({ language: 'de', calendarReform: 17520902 });
  assert.equal(varizav.SC_calendar('x', -53798, 0), '1752  9  2');
  await varizav.configure({ language: 'de' });
  assert.equal(varizav.SC_calendar('x', -53798, 0), '1752  9 13');
  // English moves the reform to 1752 by itself.
  await varizav.configure({ language: 'en' });
  assert.equal(varizav.SC_calendar('x', -53798, 0), '1752  9  2');
  // The time zone moves astronomical events: UT+1 is 1/24 day later.
  const ut = varizav.SC_holiday2('astronomical', 'Full Moon', 45292);
  await varizav.configure({ timezoneSeconds: -3600 });
  assert.ok(Math.abs(varizav.SC_holiday2('astronomical', 'Full Moon', 45292) - ut - 1 / 24) < 1e-9);
  await varizav.configure({ maxLoop: 0 });
  assert.ok(Number.isNaN(varizav.SC_when('gregorian', '', 'Friday', 13, '', 45292)));
  await varizav.configure();
  assert.equal(varizav.SC_when('gregorian', '', 'Friday', 13, '', 45292), 45548);
});

test('bad calls throw', async () => {
  await varizav.configure();
  assert.throws(() => varizav.SC_gregorian(2024, 'March'), TypeError);
  assert.throws(() => varizav.SC_gregorian('2024', 'March', 31), TypeError);
  assert.throws(() => varizav.SC_gregorian(2024, 'x'.repeat(256), 31), RangeError);
  assert.throws(() => varizav.call('SC_nothing'), TypeError);
  await assert.rejects(varizav.configure({ language: 'fr' }), RangeError);
  await assert.rejects(varizav.configure({ deltaT: '60' }), TypeError);
  await assert.rejects(varizav.configure({ timezone: 0 }), TypeError);
  await assert.rejects(varizav.configure({ onNote: 'console' }), TypeError);
  assert.throws(() => varizav.SC_gregorian(2024, 'March', new Date()), TypeError);  // a Date in a day
});

test('settings beyond the 32 bits the library reads are rejected, not misread', async () => {
  // 1e21 once went over as "1e+21", which the library reads as 1.
  for (const key of ['maxLoop', 'timezoneSeconds', 'deltaT', 'calendarReform']) {
    for (const value of [1e21, -1e21, 2147483648, -2147483649, Infinity, NaN]) {
      await assert.rejects(varizav.configure({ [key]: value }), (e) => e instanceof RangeError &&
        e.message.includes(key) && e.message.includes('-2147483648..2147483647'), `${key} ${value}`);
    }
  }
  // The largest accepted value goes over with all its digits: searches run.
  await varizav.configure({ maxLoop: 2147483647.9 });
  assert.equal(varizav.SC_when('gregorian', '', 'Friday', 13, '', 45292), 45548);
  await varizav.configure();
});

test('holidays by calendar name or number, placeholders left out', async () => {
  await varizav.configure();
  // Numbers as calendarNames and `varizav names` count them: hebrew is 12.
  const hebrew = varizav.holidayNames('hebrew');
  assert.deepEqual(varizav.holidayNames(12), hebrew);
  assert.deepEqual(varizav.holidayNames('Hebr'), hebrew);
  assert.deepEqual(hebrew[1], { number: 2, name: 'Rosh ha-Shanah' });
  assert.equal(varizav.SC_holiday('hebrew', String(hebrew[1].number), '5785'), varizav.SC_holiday('hebrew', 'Rosh ha-Shanah', '5785'));
  // Gregorian entry 29 is the English placeholder "nil"; in German it names a feast.
  const english = varizav.holidayNames('gregorian');
  assert.equal(english.length, 49);
  assert.ok(!english.some((h) => h.name === 'nil' || h.number === 29));
  assert.deepEqual(varizav.holidayNames('gregorian', 'de')[28], { number: 29, name: 'Mariä Empfängnis' });
  await varizav.configure({ language: 'de' });
  assert.deepEqual(varizav.holidayNames('jüdisch', 'en'), hebrew);
  assert.deepEqual(varizav.holidayNames('hebrew', 'en'), hebrew);  // English names work in German too
  await varizav.configure({ language: 0x0807 });  // German (Switzerland)
  assert.equal(varizav.calendarNames()[11], 'jüdisch');
  await varizav.configure();
  for (const bad of [0, 26, 1.5, 'nonsense', '']) assert.throws(() => varizav.holidayNames(bad), RangeError, `${bad}`);
});

test('Dates, friendly names and notes', async () => {
  await varizav.configure();
  const noon = new Date(Date.UTC(2000, 0, 1, 12));  // JD 2451545.0, serial 36526.5
  assert.equal(varizav.astronomy(noon), 36526.5);
  assert.equal(varizav.calendar('hebrew', new Date(Date.UTC(2024, 3, 23)), 1), 'yom shelishi, 15 Nisan 5784');
  assert.equal(varizav.when('gregorian', '', 'Friday', 13, '', new Date(Date.UTC(2024, 0, 1))), 45548);
  assert.equal(varizav.holiday2, varizav.SC_holiday2);
  assert.equal(varizav.leapyear2('gregorian', new Date(Date.UTC(2024, 5, 1))), 1);
  // Notes worded as `varizav call` words them; none for names that select an entry.
  const notes = [];
  await varizav.configure({ onNote: (note) => notes.push(note), warn: true });
  assert.equal(varizav.when('gregorian', '', 'Fridy', 13, '', 45292), 45304);
  assert.ok(Number.isNaN(varizav.gregorian(2024, 'März', 1)));
  await varizav.configure({ language: 'de', onNote: (note) => notes.push(note) });
  assert.equal(varizav.gregorian(2024, 'März', 1), 45352);
  assert.deepEqual(notes, [
    "'Fridy' (name of day) names no weekday; WHEN treats it as any day; did you mean Friday?",
    "'März' (month) names no month; GREGORIAN gives the error value",
  ]);  // German selects März: no note
  await varizav.configure();
});

test('date helpers', () => {
  assert.equal(varizav.serialFromDate(new Date(Date.UTC(2024, 2, 31, 12))), 45382.5);
  assert.equal(varizav.dateFromSerial(36526.75).toISOString(), '2000-01-01T18:00:00.000Z');
  assert.equal(varizav.isoFromSerial(-966381), '-0746-02-18T00:00:00');
  assert.equal(varizav.serialFromIso('2024-03-31T06:00'), 45382.25);
  assert.equal(varizav.serialFromIso('2024-02-30'), null);
});
