#!/usr/bin/python3
"""Writes the PostgreSQL extension's install script from the registration of
the built library (cmake/function_registration.py), so that the SQL
functions never list a name, an argument or a description a second time.

    generate_sql.py LIBRARY OUTPUT
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
import function_registration as registration  # noqa: E402

# Number results that are no dates (as the host tool reads them).
NOT_DATES = {"SC_gnomon", "SC_leapyear", "SC_leapyear2"}
# The parameter that takes a serial date in the registration's English names.
DATE_PARAMETER = "date"


def identifier(name):
    """A parameter name as an SQL name: "name of day" -> name_of_day; a
    leading ordinal goes last ("1st calendar" -> calendar_1st)."""
    words = re.sub(r"[^0-9a-z]+", " ", name.lower()).split()
    if words and words[0][0].isdigit():
        words = words[1:] + words[:1]
    return "_".join(words) or "argument"


def quote(value):
    return "'" + value.replace("'", "''") + "'"


def main(library, output):
    lines = [
        "-- varizav: the calendar add-in's worksheet functions (generated from the library's registration).",
        "\\echo Use \"CREATE EXTENSION varizav\" to load this file. \\quit",
        "",
        "-- Serial dates (days since 1899-12-30) and PostgreSQL's dates and timestamps.",
        "CREATE FUNCTION varizav.serial(d date) RETURNS double precision",
        "  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$ SELECT (d - date '1899-12-30')::double precision $$;",
        "CREATE FUNCTION varizav.serial(t timestamp) RETURNS double precision",
        "  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE",
        "  AS $$ SELECT extract(epoch FROM t - timestamp '1899-12-30')::double precision / 86400 $$;",
        "CREATE FUNCTION varizav.timestamp_of(serial double precision) RETURNS timestamp",
        "  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE",
        "  AS $$ SELECT timestamp '1899-12-30' + make_interval(secs => round(serial * 86400000000) / 1000000) $$;",
        "",
    ]
    for f in registration.read(library):
        name = "varizav." + f.exported[3:].lower()
        text_result = f.result == registration.TYPE_TEXT
        parameters = [(p.name, p.type == registration.TYPE_TEXT) for p in f.parameters]
        # Every setting acts through a text (a name lookup, a text result) or
        # through the civil calendar, delta T, the time zone and the searches;
        # a function of numbers alone reaches none of them.
        alone = not text_result and not any(p[1] for p in parameters)
        volatility = "IMMUTABLE" if alone else "STABLE"
        has_date = any(not p[1] and p[0] == DATE_PARAMETER for p in parameters)
        variants = [None] + (["date", "timestamp"] if has_date else [])
        for date_type in variants:
            arguments = []
            for p in parameters:
                if p[1]:
                    sql_type = "text"
                elif p[0] == DATE_PARAMETER and date_type is not None:
                    sql_type = date_type
                else:
                    sql_type = "double precision"
                arguments.append(f"{identifier(p[0])} {sql_type}")
            if text_result:
                result = "text"
            elif date_type is not None and f.exported not in NOT_DATES:
                result = "timestamp"
            else:
                result = "double precision"
            signature = f"{name}({', '.join(arguments)})"
            lines.append(f"CREATE FUNCTION {signature} RETURNS {result}")
            lines.append(f"  AS 'MODULE_PATHNAME', 'varizav_pg_call' LANGUAGE C {volatility} STRICT PARALLEL SAFE;")
            lines.append(f"COMMENT ON FUNCTION {signature} IS {quote(f.display + ': ' + f.description)};")
        lines.append("")
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
