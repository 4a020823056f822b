// The holidays and Moon quarters a month or year page shows as an .ics file,
// with the UIDs, dates and descriptions of `varizav ics` and its content
// lines written by the same code (icsLine).
import * as v from './varizav/varizav.js';

const EPOCH_MS = Date.UTC(1899, 11, 30);  // serial day 0
const MS_PER_DAY = 86400000;

// Lower-case ASCII letters and digits joined by "-": the stable part of a UID.
const slug = (text) => text.toLowerCase().replace(/[^a-z0-9]+/g, '-').replace(/^-|-$/g, '');

function basicDate(serialDay) {
  return new Date(EPOCH_MS + serialDay * MS_PER_DAY).toISOString().slice(0, 10).replaceAll('-', '');
}

function basicUtc(serial) {
  const iso = new Date(EPOCH_MS + Math.round(serial * 86400) * 1000).toISOString();
  return `${iso.slice(0, 19).replaceAll('-', '').replaceAll(':', '')}Z`;
}

function withoutWeekday(text) {
  const comma = text.indexOf(', ');
  return comma < 0 ? text : text.slice(comma + 2);
}

// shown: { first, last, events } of the page, events by serial day;
// calendars: the English names of the holidays' calendars, by index.
export function icsOf(shown, calendars, language) {
  const names = v.calendarNames();
  const english = v.calendarNames('en');
  const german = language === 'de';
  // Universal Time minus local time, in days: the page's moments are local.
  const zone = (v.settings().timezoneSeconds ?? 0) / 86400;
  const lines = [['BEGIN', 'VCALENDAR'], ['VERSION', '2.0'], ['PRODID', '-//varizav//varizav web page//EN'],
    ['CALSCALE', 'GREGORIAN'], ['METHOD', 'PUBLISH']];
  const out = lines.map(([name, value]) => v.icsLine(name, value));
  const stamp = basicUtc((Date.now() - EPOCH_MS) / MS_PER_DAY);
  const ordinals = new Map();
  const days = [...shown.events.keys()].sort((a, b) => a - b);
  for (const day of days) {
    for (const e of shown.events.get(day)) {
      const timed = e.phase !== undefined;
      const calendar = timed ? 'astronomical' : calendars[e.index];
      const number = english.indexOf(calendar) + 1;
      const englishName = v.holidayNames(number, 'en').find((h) => h.number === e.entry).name;
      const year = new Date(EPOCH_MS + day * MS_PER_DAY).getUTCFullYear();
      const feast = `${slug(calendar)}-${slug(englishName)}-${year}`;
      ordinals.set(feast, (ordinals.get(feast) ?? 0) + 1);
      out.push(v.icsLine('BEGIN', 'VEVENT'));
      out.push(v.icsLine('UID', `${feast}-${ordinals.get(feast)}@varizav`));
      out.push(v.icsLine('DTSTAMP', stamp));
      if (timed) {
        out.push(v.icsLine('DTSTART', basicUtc(e.at + zone)));
      } else {
        out.push(v.icsLine('DTSTART;VALUE=DATE', basicDate(day)));
        out.push(v.icsLine('DTEND;VALUE=DATE', basicDate(day + 1)));
        let description = `${withoutWeekday(v.call('SC_calendar', String(number), day, 1))} (${names[number - 1]})`;
        if (day - e.at > 0) {
          const eve = v.call('SC_calendar', 'gregorian', Math.floor(e.at), 1);
          description += german ? `. Beginnt am Vorabend, ${eve}, um 18:00.`
            : `. Begins at 18:00 on the evening before, ${eve}.`;
        }
        out.push(v.icsLine('SUMMARY', e.name, true));
        out.push(v.icsLine('DESCRIPTION', description, true));
      }
      if (timed) out.push(v.icsLine('SUMMARY', e.name, true));
      out.push(v.icsLine('CATEGORIES', names[number - 1], true));
      out.push(v.icsLine('TRANSP', 'TRANSPARENT'));
      out.push(v.icsLine('X-VARIZAV-CALENDAR', calendar));
      out.push(v.icsLine('X-VARIZAV-EVENT', String(e.entry)));
      out.push(v.icsLine('END', 'VEVENT'));
    }
  }
  out.push(v.icsLine('END', 'VCALENDAR'));
  return out.join('');
}

// Offers the text as a file download.
export function downloadText(text, fileName) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/calendar;charset=utf-8' }));
  link.download = fileName;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}
