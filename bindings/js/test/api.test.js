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
  assert.ok(varizav.holidayNames(10).includes('Ostern'));
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
});

test('date helpers', () => {
  assert.equal(varizav.serialFromDate(new Date(Date.UTC(2024, 2, 31, 12))), 45382.5);
  assert.equal(varizav.dateFromSerial(36526.75).toISOString(), '2000-01-01T18:00:00.000Z');
  assert.equal(varizav.isoFromSerial(-966381), '-0746-02-18T00:00:00');
  assert.equal(varizav.serialFromIso('2024-03-31T06:00'), 45382.25);
  assert.equal(varizav.serialFromIso('2024-02-30'), null);
});
