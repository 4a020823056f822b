"""varizav: the calendar add-in's 35 worksheet functions for Python.

    >>> import varizav
    >>> varizav.gregorian(2024, "March", 31)
    45382.0
    >>> varizav.calendar("hebrew", 45405, 1)
    'yom shelishi, 15 Nisan 5784'

Every function takes scalars, or NumPy arrays / pandas Series (broadcast
against scalars), which go to the library's column entry point in one call.
Dates are serial dates (days since 1899-12-30); a number argument may also be
a datetime.date or datetime.datetime. The error value is nan (numbers) or ""
(texts).
"""
from __future__ import annotations

import ctypes
import datetime as _dt
import inspect
import math
import os
import re
from typing import Any, Callable, Dict, List, Optional, Union

__all__ = ["call", "configure", "settings", "names", "functions", "serial_from_date", "date_from_serial"]

_TEXT_SIZE = 256
_TYPE_TEXT = 1
_LANGUAGE_GERMAN = 0x0407
_LANGUAGE_ENGLISH = 0x0409
_SERIAL_EPOCH = _dt.datetime(1899, 12, 30)
# Placeholder entries of the holiday tables, which name no holiday.
_PLACEHOLDER_NAME = "nil"
# The library reads each setting as a signed 32-bit integer (fractions cut).
_SETTING_MIN = -(2**31)
_SETTING_MAX = 2**31 - 1


class _Column(ctypes.Structure):
    _fields_ = [("numbers", ctypes.c_void_p), ("texts", ctypes.c_void_p), ("length", ctypes.c_size_t)]


class _Result(ctypes.Structure):
    _fields_ = [("numbers", ctypes.c_void_p), ("texts", ctypes.c_void_p), ("text_capacity", ctypes.c_size_t),
                ("text_lengths", ctypes.c_void_p)]


_lib = ctypes.CDLL(os.environ.get("VARIZAV_PYTHON_LIBRARY") or os.path.join(os.path.dirname(__file__), "_varizav.so"))
_lib.VarizavCallColumns.argtypes = [ctypes.c_ushort, ctypes.POINTER(_Column), ctypes.c_size_t, ctypes.c_size_t,
                                    ctypes.c_size_t, ctypes.POINTER(_Result)]
_lib.VarizavCallColumns.restype = ctypes.c_int64
_lib.VarizavConfigure.argtypes = [ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_char_p), ctypes.c_size_t]
_lib.varizav_name.restype = ctypes.c_char_p
_lib.varizav_name.argtypes = [ctypes.c_int32, ctypes.c_int32, ctypes.c_int32]
_lib.varizav_name_count.argtypes = [ctypes.c_int32]
_lib.varizav_name_entry.argtypes = [ctypes.c_int32, ctypes.c_char_p, ctypes.c_int32]
_lib.varizav_display_name.argtypes = [ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p]

# Strings of text columns made in C (_texts.so, CPython only); None: made by
# str.split here.
try:
    _texts: Optional[ctypes.PyDLL] = ctypes.PyDLL(os.path.join(os.path.dirname(__file__), "_texts.so"))
    _texts.varizav_fill_texts.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_void_p]
    _texts.varizav_fill_texts.restype = ctypes.c_int
except (OSError, AttributeError):
    _texts = None
# Rows of a text column per library call: their texts (about 30 bytes each,
# room for 48) stay in the processor's cache until Python has read them.
_TEXT_BLOCK_ROWS = 65536


def _text(buffer: ctypes.Array) -> str:
    return buffer.value.decode("utf-8", "replace")


class _Function:
    """One worksheet function as the library registers it."""

    def __init__(self, number: int) -> None:
        n = ctypes.c_ushort(number)
        exported = ctypes.create_string_buffer(_TEXT_SIZE)
        display = ctypes.create_string_buffer(_TEXT_SIZE)
        codes = (ctypes.c_int * 64)()
        slots = ctypes.c_ushort(0)
        _lib.GetFunctionData(ctypes.byref(n), exported, ctypes.byref(slots), codes, display)
        self.number = number
        self.exported_name = _text(exported)
        self.python_name = self.exported_name[3:].lower()
        self.display_names = []
        for german in (0, 1):
            _lib.varizav_display_name(number, german, display)
            self.display_names.append(_text(display))
        self.text_result = codes[0] == _TYPE_TEXT
        self.parameters = []  # (English name, description, is text)
        name = ctypes.create_string_buffer(_TEXT_SIZE)
        description = ctypes.create_string_buffer(_TEXT_SIZE)
        for slot in range(slots.value):
            s = ctypes.c_ushort(slot)
            _lib.GetParameterDescription(ctypes.byref(n), ctypes.byref(s), name, description)
            if slot == 0:
                self.description = _text(description)
            else:
                self.parameters.append((_text(name), _text(description), codes[slot] == _TYPE_TEXT))


def _read_registration() -> List[_Function]:
    # The registration in English, the language of the Python names and docstrings.
    english = ctypes.c_ushort(_LANGUAGE_ENGLISH)
    _lib.SetLanguage(ctypes.byref(english))
    _apply({})
    functions = []
    number = 0
    while True:
        f = _Function(number)
        if f.exported_name == "":
            break
        functions.append(f)
        number += 1
    return functions


# ---- Settings ----

_SETTING_VARIABLES = {
    "calendar_reform": "VARIZAV_CALREFORM",
    "delta_t": "VARIZAV_DELTA_T",
    "timezone_seconds": "VARIZAV_TIMEZONE",
    "max_loop": "VARIZAV_MAX_LOOP",
}
# Defaults of a fresh library (German keeps the reform of 1582; English the
# British one of 1752, which SetLanguage sets).
_DEFAULTS = {"delta_t": 0, "timezone_seconds": 0, "max_loop": 65536}
_GERMAN_REFORM = 15821004

_settings: Dict[str, Any] = {"language": "en"}


def _language_id(language: Union[str, int, None]) -> int:
    if language is None or language in ("en", "EN"):
        return _LANGUAGE_ENGLISH
    if language in ("de", "DE"):
        return _LANGUAGE_GERMAN
    if isinstance(language, int) and not isinstance(language, bool) and 0 <= language <= 0xFFFF:
        return language
    raise ValueError(f'language must be "de", "en" or a Windows language id 0..0xFFFF, not {language!r}')


def _apply(given: Dict[str, Any]) -> None:
    language = _language_id(given.get("language"))
    values: Dict[str, int] = dict(_DEFAULTS)
    for key, value in given.items():
        if key == "language" or value is None:
            continue
        if key not in _SETTING_VARIABLES:
            raise TypeError(f"unknown setting {key}")
        if isinstance(value, bool) or not isinstance(value, (int, float)):
            raise TypeError(f"setting {key} must be a number, not {value!r}")
        if not math.isfinite(value) or not _SETTING_MIN <= math.trunc(value) <= _SETTING_MAX:
            raise ValueError(f"setting {key} must lie in {_SETTING_MIN}..{_SETTING_MAX}, not {value!r}")
        values[key] = math.trunc(value)
    lang_id = ctypes.c_ushort(language)
    _lib.SetLanguage(ctypes.byref(lang_id))
    if "calendar_reform" not in values and language & 0x3FF != 9:
        values["calendar_reform"] = _GERMAN_REFORM
    # Texts cross as UTF-8; numbers the library writes with a fraction have a full stop.
    pairs = [(_SETTING_VARIABLES[k].encode(), str(v).encode()) for k, v in values.items()]
    pairs.append((b"LANG", b"C.UTF-8"))
    names = (ctypes.c_char_p * len(pairs))(*[p[0] for p in pairs])
    texts = (ctypes.c_char_p * len(pairs))(*[p[1] for p in pairs])
    _lib.VarizavConfigure(names, texts, len(pairs))


def configure(language: Union[str, int] = "en", calendar_reform: Optional[int] = None, delta_t: Optional[float] = None,
              timezone_seconds: Optional[float] = None, max_loop: Optional[int] = None) -> None:
    """Applies a complete set of settings, each missing one at its default.

    language          "de", "en" or a Windows language id (default "en")
    calendar_reform   last Julian day as yyyymmdd (default 15821004; English: 17520902)
    delta_t           fixed delta T in seconds, 0 for the built-in model
    timezone_seconds  Universal Time minus local time in seconds (default 0)
    max_loop          most steps of WHEN and WHEN2 (default 65536)

    The numbers are read as the library reads its environment: fractions cut,
    signed 32-bit. The settings hold for the whole process.
    """
    given = {"language": language, "calendar_reform": calendar_reform, "delta_t": delta_t,
             "timezone_seconds": timezone_seconds, "max_loop": max_loop}
    _apply(given)
    global _settings
    _settings = {k: v for k, v in given.items() if v is not None}


def settings() -> Dict[str, Any]:
    """The settings in force, as last given to configure."""
    return dict(_settings)


# ---- Arguments and calls ----

def serial_from_date(date: Union[_dt.date, _dt.datetime]) -> float:
    """Serial date (days since 1899-12-30) of a date, or of a datetime with its time of day."""
    if isinstance(date, _dt.datetime):
        if date.tzinfo is not None:
            date = date.astimezone(_dt.timezone.utc).replace(tzinfo=None)
        delta = date - _SERIAL_EPOCH
        return delta.days + (delta.seconds + delta.microseconds / 1e6) / 86400.0
    return float((date - _SERIAL_EPOCH.date()).days)


def date_from_serial(serial: float) -> _dt.datetime:
    """The datetime of a serial date, to the microsecond."""
    return _SERIAL_EPOCH + _dt.timedelta(days=serial)


def _number(f: _Function, index: int, value: Any) -> float:
    if isinstance(value, (_dt.date, _dt.datetime)):
        return serial_from_date(value)
    if isinstance(value, (int, float)):
        return float(value)
    try:
        import numpy

        if isinstance(value, numpy.datetime64):
            return float((value - numpy.datetime64("1899-12-30")) / numpy.timedelta64(1, "D"))
        if isinstance(value, (numpy.integer, numpy.floating, numpy.bool_)):
            return float(value)
    except ImportError:
        pass
    raise TypeError(f"{f.python_name}: argument {index + 1} ({f.parameters[index][0]}) must be a number or a date, "
                    f"not {value!r}")


def _text_of(f: _Function, index: int, value: Any) -> bytes:
    if isinstance(value, bool):
        value = int(value)
    if isinstance(value, int):
        text = str(value)
    elif isinstance(value, float):
        text = str(int(value)) if value.is_integer() else repr(value)
    elif isinstance(value, str):
        text = value
    else:
        try:
            import numpy

            if isinstance(value, (numpy.integer, numpy.floating, numpy.str_)):
                return _text_of(f, index, value.item())
        except ImportError:
            pass
        raise TypeError(f"{f.python_name}: argument {index + 1} ({f.parameters[index][0]}) must be a string, "
                        f"not {value!r}")
    if "\0" in text:
        raise ValueError(f"{f.python_name}: argument {index + 1} holds a NUL character")
    return text.encode("utf-8")


def _is_column(value: Any) -> bool:
    return hasattr(value, "__len__") and not isinstance(value, (str, bytes)) and hasattr(value, "__array__") \
        or isinstance(value, (list, tuple))


def _call_scalar(f: _Function, args: tuple) -> Union[float, str]:
    n = len(args)
    columns = (_Column * max(n, 1))()
    keep = []
    for i, value in enumerate(args):
        if f.parameters[i][2]:
            pointer = (ctypes.c_char_p * 1)(_text_of(f, i, value))
            keep.append(pointer)
            columns[i].texts = ctypes.cast(pointer, ctypes.c_void_p)
        else:
            number = ctypes.c_double(_number(f, i, value))
            keep.append(number)
            columns[i].numbers = ctypes.addressof(number)
        columns[i].length = 1
    result_number = ctypes.c_double(math.nan)
    text = ctypes.create_string_buffer(_TEXT_SIZE)
    result = _Result(ctypes.addressof(result_number), ctypes.addressof(text), _TEXT_SIZE, None)
    if _lib.VarizavCallColumns(f.number, columns, n, 0, 1, ctypes.byref(result)) != 1:
        raise RuntimeError(f"{f.python_name}: the library refused the call")
    return _text(text) if f.text_result else result_number.value


def _call_columns(f: _Function, args: tuple) -> Any:
    import numpy as np

    series = next((a for a in args if type(a).__module__.startswith("pandas") and hasattr(a, "index")), None)
    arrays = []
    for i, value in enumerate(args):
        if _is_column(value):
            value = value.to_numpy() if hasattr(value, "to_numpy") else value
            is_text = f.parameters[i][2]
            array = np.asarray(value)
            if not is_text and array.dtype.kind in "biuf":
                array = array.astype(np.float64, copy=False)
            elif not is_text and array.dtype.kind == "M":
                array = (array - np.datetime64("1899-12-30")) / np.timedelta64(1, "D")
            elif not is_text:
                array = np.array([_number(f, i, v) for v in array.ravel()], dtype=np.float64).reshape(array.shape)
            arrays.append(array)
        else:
            arrays.append(None)
    shape = np.broadcast_shapes(*[a.shape for a in arrays if a is not None])
    rows = math.prod(shape)
    n = len(args)
    columns = (_Column * max(n, 1))()
    keep: list = []
    for i, value in enumerate(args):
        array = arrays[i]
        is_text = f.parameters[i][2]
        if array is None:
            if is_text:
                pointer = (ctypes.c_char_p * 1)(_text_of(f, i, value))
                keep.append(pointer)
                columns[i].texts = ctypes.cast(pointer, ctypes.c_void_p)
            else:
                number = np.array([_number(f, i, value)], dtype=np.float64)
                keep.append(number)
                columns[i].numbers = number.ctypes.data
            columns[i].length = 1
            continue
        full = np.broadcast_to(array, shape).ravel()
        if is_text:
            # Each distinct text is encoded once; the rows point at its bytes.
            try:
                distinct, inverse = np.unique(full.astype(object), return_inverse=True)
            except TypeError:  # texts mixed with numbers: no order between them
                index: Dict[Any, int] = {}
                inverse = np.array([index.setdefault((type(v), v), len(index)) for v in full], dtype=np.intp)
                distinct = [v for _, v in index]
            encoded = [_text_of(f, i, v) for v in distinct]
            buffers = [ctypes.create_string_buffer(b) for b in encoded]
            addresses = np.array([ctypes.addressof(b) for b in buffers], dtype=np.uintp)
            pointers = np.ascontiguousarray(addresses[inverse.ravel()])
            keep.extend([buffers, pointers])
            columns[i].texts = pointers.ctypes.data
        else:
            full = np.ascontiguousarray(full, dtype=np.float64)
            keep.append(full)
            columns[i].numbers = full.ctypes.data
        columns[i].length = rows
    if f.text_result:
        out = np.empty(rows, dtype=object)
        storage = np.empty(48 * min(rows, _TEXT_BLOCK_ROWS) + _TEXT_SIZE, dtype=np.uint8)
        result = _Result(None, storage.ctypes.data, storage.size, None)
        first = 0
        while first < rows:
            # Texts of rows first.. until the storage is full, one after
            # another, each ended by a zero byte.
            done = _lib.VarizavCallColumns(f.number, columns, n, first, rows, ctypes.byref(result))
            if done <= first:
                raise RuntimeError(f"{f.python_name}: the library refused the call")
            if _texts is not None:
                _texts.varizav_fill_texts(storage.ctypes.data, done - first, out.ctypes.data + out.itemsize * first)
            else:
                texts = bytes(storage).split(b"\0", done - first)[:done - first]
                out[first:done] = [t.decode("utf-8", "replace") for t in texts]
            first = done
    else:
        out = np.empty(rows, dtype=np.float64)
        result = _Result(out.ctypes.data, None, 0, None)
        if _lib.VarizavCallColumns(f.number, columns, n, 0, rows, ctypes.byref(result)) != rows:
            raise RuntimeError(f"{f.python_name}: the library refused the call")
    out = out.reshape(shape)
    if series is not None and out.ndim == 1 and len(out) == len(series):
        return type(series)(out, index=series.index)
    return out


def _invoke(f: _Function, args: tuple) -> Any:
    if len(args) != len(f.parameters):
        raise TypeError(f"{f.python_name} takes {len(f.parameters)} arguments, got {len(args)}")
    if any(_is_column(a) for a in args):
        return _call_columns(f, args)
    return _call_scalar(f, args)


_FUNCTIONS = _read_registration()
_BY_NAME: Dict[str, _Function] = {}
for _f in _FUNCTIONS:
    for _name in [_f.exported_name, _f.python_name, *_f.display_names]:
        _BY_NAME.setdefault(_name.upper(), _f)


def call(name: str, *args: Any) -> Any:
    """Calls a worksheet function by its exported name (SC_gregorian), its
    Python name or its display name in either language (GREGORIAN,
    GREGORIANISCH), in any case: a float (nan for the error value) or a str,
    as `varizav call` gives it; arrays in, arrays out."""
    f = _BY_NAME.get(name.upper())
    if f is None:
        raise LookupError(f"no worksheet function {name}")
    return _invoke(f, args)


def _identifier(name: str) -> str:
    """A parameter name as a Python name: "name of day" -> name_of_day; a
    leading ordinal goes last ("1st calendar" -> calendar_1st)."""
    words = re.sub(r"[^0-9a-zA-Z]+", " ", name).lower().split()
    if words and words[0][0].isdigit():
        words = words[1:] + words[:1]
    return "_".join(words) or "argument"


def _make(f: _Function) -> Callable[..., Any]:
    def worksheet_function(*args: Any) -> Any:
        return _invoke(f, args)

    parameters = [inspect.Parameter(_identifier(p[0]), inspect.Parameter.POSITIONAL_ONLY) for p in f.parameters]
    worksheet_function.__signature__ = inspect.Signature(parameters)  # type: ignore[attr-defined]
    worksheet_function.__name__ = worksheet_function.__qualname__ = f.python_name
    lines = [f"{f.display_names[0]}: {f.description}", ""]
    for p in f.parameters:
        lines.append(f"{_identifier(p[0])} ({'text' if p[2] else 'number'}): {p[1]}")
    lines += ["", f"Returns a {'str' if f.text_result else 'float'}; the library's {f.exported_name}."]
    worksheet_function.__doc__ = "\n".join(lines)
    return worksheet_function


for _f in _FUNCTIONS:
    globals()[_f.python_name] = _make(_f)
    __all__.append(_f.python_name)
del _f, _name


def functions() -> List[Dict[str, Any]]:
    """Every worksheet function: Python name, exported name, display names, description, parameters."""
    return [{"name": f.python_name, "exported_name": f.exported_name, "display_names": list(f.display_names),
             "description": f.description, "result": "text" if f.text_result else "number",
             "parameters": [{"name": p[0], "description": p[1], "type": "text" if p[2] else "number"}
                            for p in f.parameters]} for f in _FUNCTIONS]


# Windows language identifiers of the names (varizav/names.h).
_GERMAN_NAMES = 0x0407
_ENGLISH_NAMES = 0x0009


def _table_name(table: int, entry: int, german: bool) -> str:
    """Entry of a name list (0 the calendars, k = 1..25 the holidays of calendar k)."""
    language = _GERMAN_NAMES if german else _ENGLISH_NAMES
    return _lib.varizav_name(table, entry, language).decode("cp1252", "replace")


def names(calendar: Union[str, int, None] = None, language: Optional[str] = None) -> List[Any]:
    """Without a calendar: the names of the 25 calendars (entry k + 1 of a
    calendar argument is names()[k]). With a calendar (name or number 1..25):
    its holidays (for "astronomical" the astronomical events) as
    (number, name) pairs, the number selecting it in an event argument.
    In the language in force, or "de"/"en"."""
    german = (_language_id(language if language is not None else _settings.get("language")) & 0x3FF) == 7
    if calendar is None:
        return [_table_name(0, k, german) for k in range(1, _lib.varizav_name_count(0) + 1)]
    count = _lib.varizav_name_count(0)
    if isinstance(calendar, int) and not isinstance(calendar, bool):
        if not 1 <= calendar <= count:
            raise ValueError(f"a calendar number is 1..{count}, not {calendar}")
        table = calendar
    else:
        text = str(calendar).encode("utf-8")
        table = 0
        if text.strip() and len(text) < _TEXT_SIZE:
            # In the language in force, else by the English name.
            for names_language in (_GERMAN_NAMES if german else _ENGLISH_NAMES, _ENGLISH_NAMES):
                table = table or _lib.varizav_name_entry(0, text, names_language)
        if table == 0:
            raise ValueError(f"no calendar is called {calendar!r}")
    out = []
    for entry in range(1, _lib.varizav_name_count(table) + 1):
        name = _table_name(table, entry, german)
        if name != _PLACEHOLDER_NAME:
            out.append((entry, name))
    return out
