// A GEDCOM date value pasted into the page, read by the library
// (gedcomDate): its kind and its first and last day in all 25 calendars.
import * as v from './varizav/varizav.js';

const TEXT_ROWS = [
  ['gedcom-heading', 'A GEDCOM date', 'Ein GEDCOM-Datum'],
  ['ged-label', 'GEDCOM date value (5.5.1 or 7.0)', 'GEDCOM-Datumswert (5.5.1 oder 7.0)'],
  ['ged-button', 'Read', 'Lesen'],
  ['ged-caption', 'Its first and last day in all 25 calendars', 'Sein erster und letzter Tag in allen 25 Kalendern'],
  ['th-gcal', 'Calendar', 'Kalender'],
  ['th-gfirst', 'First day', 'Erster Tag'],
  ['th-glast', 'Last day', 'Letzter Tag'],
  ['gedInvalid', 'Not a valid date: {0}', 'Kein gültiges Datum: {0}'],
  ['gedRange', '{0}: {1} to {2} (serial dates {3} to {4})', '{0}: {1} bis {2} (Seriendaten {3} bis {4})'],
  ['kinds', { exact: 'exact', about: 'about', before: 'before', after: 'after', between: 'between',
    period: 'period', interpreted: 'interpreted' }, { exact: 'genau', about: 'ungefähr', before: 'vor',
    after: 'nach', between: 'zwischen', period: 'Zeitraum', interpreted: 'gedeutet' }],
];
const TEXTS = {
  en: Object.fromEntries(TEXT_ROWS.map(([key, en]) => [key, en])),
  de: Object.fromEntries(TEXT_ROWS.map(([key, , de]) => [key, de])),
};
const $ = (id) => document.getElementById(id);

export function createGedcomView({ saveState, language }) {
  let texts = TEXTS.en;
  const say = (key, ...values) => texts[key].replace(/\{(\d)\}/g, (_, i) => values[Number(i)]);
  const read = () => {
    const body = $('ged-table').tBodies[0];
    body.replaceChildren();
    const value = $('ged').value;
    if (value.trim() === '') {
      $('ged-summary').textContent = '';
      return;
    }
    const r = v.gedcomDate(value);
    $('ged').toggleAttribute('aria-invalid', r.kind === 'invalid');
    if (r.kind === 'invalid') {
      $('ged-summary').textContent = say('gedInvalid', r.reason);
      return;
    }
    const iso = (serial) => v.isoFromSerial(serial).slice(0, 10);
    $('ged-summary').textContent = say('gedRange', texts.kinds[r.kind], iso(r.first), iso(r.last), r.first, r.last);
    v.calendarNames().forEach((name, k) => {
      const row = body.insertRow();
      row.insertCell().textContent = name;
      for (const serial of [r.first, r.last]) {
        row.insertCell().textContent = v.call('SC_calendar', String(k + 1), serial, 1);
      }
    });
  };
  const applyTexts = () => {
    texts = TEXTS[language()];
    for (const [id, text] of Object.entries(texts)) if ($(id) && typeof text === 'string') $(id).textContent = text;
  };
  return {
    start(params) {
      applyTexts();
      $('ged').value = params.get('ged') ?? '';
      read();
      $('gedcom-form').addEventListener('submit', (e) => { e.preventDefault(); read(); saveState(); });
    },
    refresh() {
      applyTexts();
      read();
    },
  };
}
