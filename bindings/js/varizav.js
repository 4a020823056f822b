// varizav: the calendar add-in's 35 worksheet functions, compiled to
// WebAssembly, for JavaScript programs and web pages.
//   import { SC_gregorian, SC_calendar, configure } from 'varizav';
//   SC_gregorian(2024, 'March', 31)          // 45382
//   SC_calendar('hebrew', 45405, 1)          // 'yom shelishi, 15 Nisan 5784'
export * from './lib/api.js';
export * from './lib/columns.js';
export * from './dist/functions.js';
