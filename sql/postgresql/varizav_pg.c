/*
 * varizav as a PostgreSQL extension: every worksheet function of the library
 * as varizav.<name> (varizav--VERSION.sql, generated from the registration),
 * all through the one C entry point varizav_pg_call, which finds its worksheet
 * function by the SQL function's name once per call site. The error value is
 * NULL. The settings are PostgreSQL settings (varizav.language,
 * varizav.calendar_reform, varizav.delta_t, varizav.timezone_seconds,
 * varizav.max_loop), handed to the library through VarizavConfigure whenever
 * one of them has changed since the last call.
 */
#include "postgres.h"

#include <limits.h>
#include <math.h>
#include <string.h>

#include "access/htup_details.h"
#include "catalog/pg_proc.h"
#include "catalog/pg_type.h"
#include "fmgr.h"
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/date.h"
#include "utils/guc.h"
#include "utils/syscache.h"
#include "utils/timestamp.h"
#include "varizav/columns.h"

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(varizav_pg_call);

void _PG_init(void);

enum { kMaxArguments = 6 };
enum { kLanguageGerman = 0x0407, kLanguageEnglish = 0x0409 };
/* Serial date of 2000-01-01, PostgreSQL's epoch of date and timestamp. */
static const double kSerialOfPostgresEpoch = 36526.0;
static const double kMicrosecondsPerDay = 86400.0e6;
/* The reform date of a German (non-English) configuration: 4 October 1582 (Julian). */
static const int kGermanReform = 15821004;

typedef enum { kNumber, kText, kDate, kTimestamp } Kind;

typedef struct {
  unsigned short number;
  int argument_count;
  Kind arguments[kMaxArguments];
  Kind result;
} CallSite;

/* ---- Settings ---- */

static char* g_language = NULL;
static int g_calendar_reform = 0;
static int g_delta_t = 0;
static int g_timezone_seconds = 0;
static int g_max_loop = 65536;
/* Raised by every change of a setting; the settings are applied again when it
   differs from the one last applied. */
static uint64 g_settings_generation = 1;
static uint64 g_applied_generation = 0;

static void settings_changed(const char* newval, void* extra) {
  (void)newval, (void)extra;
  ++g_settings_generation;
}

static void int_setting_changed(int newval, void* extra) {
  (void)newval, (void)extra;
  ++g_settings_generation;
}

static bool language_is_german(const char* language) {
  return language != NULL && (language[0] | 0x20) == 'd' && language[0] != '\0' && (language[1] | 0x20) == 'e';
}

static bool check_language(char** newval, void** extra, GucSource source) {
  const char* v = *newval;
  (void)extra, (void)source;
  if (v != NULL && (pg_strcasecmp(v, "de") == 0 || pg_strcasecmp(v, "en") == 0)) return true;
  GUC_check_errdetail("varizav.language is \"de\" or \"en\".");
  return false;
}

/* The settings in force, as the Python package applies its configure(): the
   language through SetLanguage, then every setting through the library's own
   reading of the environment variables, given here as values. */
static void apply_settings(void) {
  const bool german = language_is_german(g_language);
  unsigned short language = german ? kLanguageGerman : kLanguageEnglish;
  char reform[16], delta_t[16], timezone[16], max_loop[16];
  const char* names[] = {"VARIZAV_CALREFORM", "VARIZAV_DELTA_T", "VARIZAV_TIMEZONE", "VARIZAV_MAX_LOOP", "LANG"};
  const char* values[] = {reform, delta_t, timezone, max_loop, "C.UTF-8"};
  size_t first = 0;

  SetLanguage(&language);
  /* 0: the language's own reform (English: 1752, set by SetLanguage). */
  snprintf(reform, sizeof reform, "%d", g_calendar_reform != 0 ? g_calendar_reform : kGermanReform);
  if (g_calendar_reform == 0 && !german) first = 1;
  snprintf(delta_t, sizeof delta_t, "%d", g_delta_t);
  snprintf(timezone, sizeof timezone, "%d", g_timezone_seconds);
  snprintf(max_loop, sizeof max_loop, "%d", g_max_loop);
  VarizavConfigure(names + first, values + first, 5 - first);
  g_applied_generation = g_settings_generation;
}

void _PG_init(void) {
  DefineCustomStringVariable("varizav.language", "Language of names and texts: de or en.", NULL, &g_language, "en",
                             PGC_USERSET, 0, check_language, settings_changed, NULL);
  DefineCustomIntVariable("varizav.calendar_reform",
                          "Last Julian day of the civil calendar as yyyymmdd; 0: 15821004, in English 17520902.",
                          NULL, &g_calendar_reform, 0, INT_MIN, INT_MAX, PGC_USERSET, 0, NULL, int_setting_changed,
                          NULL);
  DefineCustomIntVariable("varizav.delta_t", "Fixed delta T in seconds; 0: the built-in model.", NULL, &g_delta_t, 0,
                          INT_MIN, INT_MAX, PGC_USERSET, 0, NULL, int_setting_changed, NULL);
  DefineCustomIntVariable("varizav.timezone_seconds", "Universal Time minus local time in seconds.", NULL,
                          &g_timezone_seconds, 0, INT_MIN, INT_MAX, PGC_USERSET, 0, NULL, int_setting_changed, NULL);
  DefineCustomIntVariable("varizav.max_loop", "Most steps of the searches WHEN and WHEN2.", NULL, &g_max_loop, 65536,
                          INT_MIN, INT_MAX, PGC_USERSET, 0, NULL, int_setting_changed, NULL);
#if PG_VERSION_NUM >= 150000
  MarkGUCPrefixReserved("varizav");
#endif
}

/* ---- Call sites ---- */

static Kind kind_of_type(Oid type) {
  switch (type) {
    case TEXTOID: return kText;
    case DATEOID: return kDate;
    case TIMESTAMPOID: return kTimestamp;
    default: return kNumber;
  }
}

/* The worksheet function whose exported name is "SC_" + the SQL name, from
   the registration; -1 when there is none. */
static int function_number(const char* sql_name) {
  unsigned short k;
  for (k = 0; k < 64; ++k) {
    char exported[VARIZAV_TEXT_SIZE], display[VARIZAV_TEXT_SIZE];
    int codes[64];
    unsigned short slots = 0;
    GetFunctionData(&k, exported, &slots, codes, display);
    if (exported[0] == '\0') return -1;
    if (strncmp(exported, "SC_", 3) == 0 && pg_strcasecmp(exported + 3, sql_name) == 0) return k;
  }
  return -1;
}

static CallSite* call_site(FunctionCallInfo fcinfo) {
  FmgrInfo* flinfo = fcinfo->flinfo;
  CallSite* site = (CallSite*)flinfo->fn_extra;
  HeapTuple tuple;
  Form_pg_proc proc;
  int number, a;
  if (site != NULL) return site;
  tuple = SearchSysCache1(PROCOID, ObjectIdGetDatum(flinfo->fn_oid));
  if (!HeapTupleIsValid(tuple)) elog(ERROR, "varizav: no function %u", flinfo->fn_oid);
  proc = (Form_pg_proc)GETSTRUCT(tuple);
  number = function_number(NameStr(proc->proname));
  if (number < 0 || proc->pronargs > kMaxArguments) {
    ReleaseSysCache(tuple);
    ereport(ERROR, (errmsg("varizav: %s is no worksheet function of the library", NameStr(proc->proname))));
  }
  site = MemoryContextAllocZero(flinfo->fn_mcxt, sizeof(CallSite));
  site->number = (unsigned short)number;
  site->argument_count = proc->pronargs;
  for (a = 0; a < proc->pronargs; ++a) site->arguments[a] = kind_of_type(proc->proargtypes.values[a]);
  site->result = kind_of_type(proc->prorettype);
  ReleaseSysCache(tuple);
  flinfo->fn_extra = site;
  return site;
}

Datum varizav_pg_call(PG_FUNCTION_ARGS) {
  const CallSite* site = call_site(fcinfo);
  double numbers[kMaxArguments];
  char texts[kMaxArguments][VARIZAV_TEXT_SIZE];
  const char* text_pointers[kMaxArguments];
  VarizavColumn columns[kMaxArguments];
  double number = NAN;
  char result_text[VARIZAV_TEXT_SIZE];
  size_t length = 0;
  VarizavResultColumn result = {&number, result_text, sizeof result_text, &length};
  const bool utf8 = GetDatabaseEncoding() == PG_UTF8;
  int a;

  if (g_applied_generation != g_settings_generation) apply_settings();
  for (a = 0; a < site->argument_count; ++a) {
    memset(&columns[a], 0, sizeof columns[a]);
    columns[a].length = 1;
    switch (site->arguments[a]) {
      case kText: {
        text* t = PG_GETARG_TEXT_PP(a);
        const char* bytes = VARDATA_ANY(t);
        int n = VARSIZE_ANY_EXHDR(t);
        if (!utf8) {
          bytes = pg_server_to_any(bytes, n, PG_UTF8);
          n = (int)strlen(bytes);
        }
        /* A host passes at most 255 bytes. */
        if (n > VARIZAV_TEXT_SIZE - 1) n = VARIZAV_TEXT_SIZE - 1;
        memcpy(texts[a], bytes, (size_t)n);
        texts[a][n] = '\0';
        text_pointers[a] = texts[a];
        columns[a].texts = &text_pointers[a];
        continue;
      }
      case kDate: {
        const DateADT d = PG_GETARG_DATEADT(a);
        if (DATE_NOT_FINITE(d)) PG_RETURN_NULL();
        numbers[a] = kSerialOfPostgresEpoch + (double)d;
        break;
      }
      case kTimestamp: {
        const Timestamp ts = PG_GETARG_TIMESTAMP(a);
        if (TIMESTAMP_NOT_FINITE(ts)) PG_RETURN_NULL();
        numbers[a] = kSerialOfPostgresEpoch + (double)ts / kMicrosecondsPerDay;
        break;
      }
      default:
        numbers[a] = PG_GETARG_FLOAT8(a);
        break;
    }
    columns[a].numbers = &numbers[a];
  }
  if (VarizavCallColumns(site->number, columns, (size_t)site->argument_count, 0, 1, &result) != 1) {
    ereport(ERROR, (errmsg("varizav: the library refused the call")));
  }
  switch (site->result) {
    case kText: {
      const char* out = result_text;
      if (length == 0) PG_RETURN_NULL();
      if (!utf8) {
        out = pg_any_to_server(result_text, (int)length, PG_UTF8);
        length = strlen(out);
      }
      PG_RETURN_TEXT_P(cstring_to_text_with_len(out, (int)length));
    }
    case kTimestamp: {
      /* To the microsecond, within PostgreSQL's range of timestamps. */
      const double us = rint((number - kSerialOfPostgresEpoch) * kMicrosecondsPerDay);
      Timestamp ts;
      if (isnan(number) || !(us >= (double)MIN_TIMESTAMP && us < (double)END_TIMESTAMP)) PG_RETURN_NULL();
      ts = (Timestamp)us;
      PG_RETURN_TIMESTAMP(ts);
    }
    default:
      if (isnan(number)) PG_RETURN_NULL();
      PG_RETURN_FLOAT8(number);
  }
}
