// A seeded, reproducible corpus of worksheet calls for the conformance test:
// every function, arguments drawn from the names the library accepts, the
// numbers its Parts treat specially (bounds, fractions, NaN, infinities,
// huge values) and malformed input. Lines are bytes ("binary" strings):
// texts with umlauts come in UTF-8, and some in Windows-1252.

// xorshift32: the same sequence for the same seed on every machine.
export function generator(seed) {
  let state = seed >>> 0 || 1;
  const next = () => {
    state ^= state << 13;
    state >>>= 0;
    state ^= state >>> 17;
    state ^= state << 5;
    state >>>= 0;
    return state / 4294967296;
  };
  return {
    unit: next,
    int: (lo, hi) => lo + Math.floor(next() * (hi - lo + 1)),
    pick: (list) => list[Math.floor(next() * list.length)],
    chance: (p) => next() < p,
  };
}

const utf8 = (text) => Buffer.from(text, 'utf8').toString('latin1');

// Month, weekday, era, division and cycle names of several calendars, in both
// languages, abbreviated, misspelt or unknown.
const MONTHS = ['January', 'March', 'Mar', 'december', 'Februar', utf8('März'), 'M\xe4rz', 'Nisan', 'Adar II',
  'AdarII', 'Tishri', 'Ramadan', 'Muharram', 'Thoth', 'Pachon', 'Nivose', 'Sansculottides', 'Pausa', 'Dey',
  'Farvardin', 'Kanun II', 'Tishrin I', 'Margasirsha', 'Dhanu', 'Chaitra', '1st', '13th', '12.', 'Arach',
  'Kiyahk', 'Takhsas', 'Shahrivar', 'Januarius', 'Aprilis', 'Quintilis', '1', '12', '13', '14', '0', '-1',
  '', 'x', 'Smarch', ' 3', '3x'];
const WEEKDAYS = ['Monday', 'Friday', 'Sunday', 'Sat', 'Sonntag', 'Freitag', 'Mo', '1', '7', '8', '0', '', 'Funday'];
const ERAS = ['Heisei', 'Showa', 'Meiji', 'Taisho', 'Reiwa', 'Jimmu', '1', '16', '17', '', 'Nara'];
const DIVISIONS = ['Kalendas', 'Nonas', 'Idus', 'Kal', 'Id', '1', '2', '3', '4', '', 'Ides'];
const ROMAN_COUNTS = ['', 'pridie', 'III', 'IV', 'VI', 'XIV', 'XIX', 'bis VI', 'XX', '0', '2', '20', '21', 'nonsense'];
const CYCLES = ['Epact', 'Indiction', 'Regent', 'Golden Number', 'Solar Cycle', 'Dominical Letter',
  'Sonntagsbuchstabe', 'Goldene Zahl', '1', '6', '7', '', 'Cycle'];
const YEAR_TEXTS = ['2024', '2000', '1582', '1752', '5784', '5760', '1445', '78-17', '78-18', '77/60', '1', '0',
  '-500', '4000', '12', '13', '1403', '', 'abc', '78-', '2024.5', ' 1999', '+33', '99999999999'];

function number(rng, kind) {
  if (rng.chance(0.03)) return rng.pick(['nan', 'inf', '-inf', '1e300', '-1e300', '4.9e-324', '2147483648',
    '-2147483649', '1e15', '0.0001', '-0', 'TRUE', 'FALSE', 'wahr', 'x', '', '1e', '+5', '--1']);
  switch (kind) {
    case 'year': return String(rng.chance(0.8) ? rng.int(-3000, 6000) : rng.int(-400000, 400000));
    case 'day': return rng.chance(0.85) ? String(rng.int(0, 33)) : (rng.int(0, 3300) / 100).toString();
    case 'date': {
      if (rng.chance(0.2)) return `${rng.int(-999, 2999)}-${String(rng.int(1, 12)).padStart(2, '0')}-${String(rng.int(1, 28)).padStart(2, '0')}T${String(rng.int(0, 23)).padStart(2, '0')}:${String(rng.int(0, 59)).padStart(2, '0')}`;
      const serial = rng.chance(0.8) ? rng.int(-120000, 120000) : rng.int(-80000000, 80000000);
      return rng.chance(0.5) ? String(serial) : String(serial + rng.int(0, 9999) / 10000);
    }
    case 'mode': return rng.pick(['-1', '0', '1', '2', '0.5', '-0.5', 'nan']);
    case 'small': return String(rng.int(-3, 60));
    case 'flag': return rng.pick(['0', '1', 'TRUE', 'FALSE', '2', '-1']);
    default: return String(rng.int(-200, 200));
  }
}

function numberKind(name) {
  if (name === 'year') return 'year';
  if (name === 'day' || name === 'week') return 'day';
  if (name === 'date') return 'date';
  if (name === 'format mode') return 'mode';
  if (name === 'leap month') return 'flag';
  if (['cycle', 'ordinal', 'baktun', 'katun', 'tun', 'uinal', 'kin'].includes(name)) return 'small';
  return 'other';
}

// A text argument by the parameter's English name; names: calendar names and
// their holiday tables, read from the library.
function text(rng, name, names, calendar) {
  if (rng.chance(0.02)) return rng.pick(['', 'x'.repeat(255), 'y'.repeat(256), utf8('Ostern\u20ac'), '\xfe', '#1']);
  if (name.includes('calendar')) {
    if (rng.chance(0.1)) return String(rng.int(0, 26));
    return rng.chance(0.9) ? names.calendars[calendar] : rng.pick(['gregor', 'JEWISH', 'julianisch', 'none']);
  }
  if (name.includes('event')) {
    const table = names.holidays[calendar];
    if (rng.chance(0.1)) return String(rng.int(0, table.length + 1));
    return rng.pick(table);
  }
  if (name === 'epoch') return rng.chance(0.6) ? String(rng.int(-1000, 6000)) : rng.pick(YEAR_TEXTS);
  if (name === 'month') return rng.pick(MONTHS);
  if (name === 'name of day' || name === 'day') return rng.pick(WEEKDAYS);
  if (name === 'gengou era') return rng.pick(ERAS);
  if (name === 'division point') return rng.pick(DIVISIONS);
  if (name === 'calendrical cycle') return rng.pick(CYCLES);
  return rng.pick(ROMAN_COUNTS);
}

// Share of the calls per function: the searches scan many candidates each.
function weight(name) {
  if (name === 'SC_when' || name === 'SC_when2') return 0.15;
  if (name === 'SC_holiday2') return 0.6;
  return 1;
}

// count calls as TSV lines. functions: the registration (exported name,
// display name, parameters with English names); names: { calendars: [...],
// holidays: [[...] per calendar] } as bytes.
export function sweep(seed, count, functions, names) {
  const rng = generator(seed);
  const total = functions.reduce((sum, f) => sum + weight(f.name), 0);
  const lines = [];
  while (lines.length < count) {
    let r = rng.unit() * total;
    let f = functions[functions.length - 1];
    for (const candidate of functions) {
      r -= weight(candidate.name);
      if (r < 0) {
        f = candidate;
        break;
      }
    }
    // One calendar per call, so that an event is looked up in its own table.
    const calendar = rng.int(0, names.calendars.length - 1);
    const fields = [rng.chance(0.9) ? f.name : rng.chance(0.5) ? f.displayName : f.displayName.toLowerCase()];
    for (const p of f.parameters) {
      fields.push(p.type === 'text' ? text(rng, p.name, names, calendar) : number(rng, numberKind(p.name)));
    }
    if (rng.chance(0.005)) fields.push('extra');
    if (rng.chance(0.002)) fields[0] = 'SC_nothing';
    lines.push(fields.join('\t'));
  }
  return `${lines.join('\n')}\n`;
}
