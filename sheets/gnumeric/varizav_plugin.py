"""The varizav worksheet functions in Gnumeric, through libvarizav.so.

Gnumeric's Python loader imports this module from the plugin folder and reads
`varizav_functions`: one entry per worksheet function, under its English
display name, with the argument types Gnumeric converts the cells to. The
names, argument names and help texts come from varizav_registry.py, which
the build writes from the library's own registration. This module only
carries values across: every rule lives in the library.
"""
import ctypes
import glob
import locale
import math
import os
import sys

# Without this import Gnumeric's ssconvert ends with a segmentation fault
# after it has written its output.
from Gnumeric import *  # noqa: F401,F403


def _plugin_dir():
    """The plugin's folder.

    Gnumeric 1.12's loader runs this module from its source text (no file
    path) and its plugin object answers every attribute with the plugin's
    description, so the folder is looked up where Gnumeric looks for
    plugins: GNUMERIC_PLUGIN_PATH, the user's folder, the system's folders.
    """
    roots = [p for p in os.environ.get('GNUMERIC_PLUGIN_PATH', '').split(os.pathsep) if p]
    for pattern in ('~/.gnumeric/*/plugins', '/usr/local/lib/gnumeric/*/plugins', '/usr/lib/gnumeric/*/plugins'):
        roots += sorted(glob.glob(os.path.expanduser(pattern)), reverse=True)
    for root in roots:
        for folder in (os.path.join(root, 'varizav'), root):
            if os.path.exists(os.path.join(folder, 'varizav_registry.py')):
                return folder
    raise ImportError('varizav: no plugin folder with varizav_registry.py in ' + ', '.join(roots))


PLUGIN_DIR = _plugin_dir()
sys.path.insert(0, PLUGIN_DIR)
import varizav_registry  # noqa: E402

TEXT_SIZE = 256  # bytes of every text buffer, terminator included
LANGUAGE_ENGLISH = 0x0409
NUMBER = 0  # type code of a number slot; 1 is a text

_library = ctypes.CDLL(os.path.join(PLUGIN_DIR, 'libvarizav.so'))


def _locale_is_plain_c():
    return locale.setlocale(locale.LC_CTYPE) in ('C', 'POSIX')


def _register():
    """SetLanguage English, then GetFunctionCount, as an English host does.

    The library chooses its character set there, from the locale Gnumeric
    runs in; under the plain C locale it reads the environment, which is made
    to name UTF-8 for that one call, since Python hands over Unicode texts.
    """
    language = ctypes.c_ushort(LANGUAGE_ENGLISH)
    _library.SetLanguage(ctypes.byref(language))
    saved = os.environ.get('LC_ALL')
    plain_c = _locale_is_plain_c()
    if plain_c:
        os.environ['LC_ALL'] = 'C.UTF-8'
    try:
        _library.GetFunctionCount(ctypes.byref(ctypes.c_ushort()))
    finally:
        if plain_c:
            if saved is None:
                del os.environ['LC_ALL']
            else:
                os.environ['LC_ALL'] = saved
    codeset = locale.nl_langinfo(locale.CODESET).replace('-', '').replace('_', '').lower()
    return 'utf-8' if plain_c or codeset == 'utf8' else 'cp1252'


_encoding = _register()


def _text_of(value):
    """A cell given for a text argument: a number as its digits (2024, not 2024.0)."""
    if value is None:
        return ''
    if isinstance(value, bool):
        return 'TRUE' if value else 'FALSE'
    if isinstance(value, float):
        if math.isfinite(value) and value == int(value):
            return str(int(value))
        return repr(value)
    return str(value)


def _number_of(value):
    if value is None or value == '':
        return 0.0
    return float(value)


def _worksheet_function(entry):
    exported, _, _, result_type, parameters = entry[:5]
    function = getattr(_library, exported)
    texts = [p[2] != NUMBER for p in parameters]

    def call(*values):
        args = []
        for is_text, value in zip(texts, values):
            if is_text:
                data = _text_of(value).encode(_encoding, 'replace')
                if len(data) >= TEXT_SIZE:
                    # Longer than the library's text buffers: no argument it
                    # can take. (A GnumericError would show as the text of a
                    # Python exception.)
                    return math.nan
                args.append(ctypes.create_string_buffer(data, TEXT_SIZE))
            else:
                args.append(ctypes.byref(ctypes.c_double(_number_of(value))))
        if result_type == NUMBER:
            result = ctypes.c_double(math.nan)
            function(ctypes.byref(result), *args)
            # NaN, the library's error value, shows as #NUM!.
            return result.value
        result = ctypes.create_string_buffer(TEXT_SIZE)
        function(result, *args)
        return result.value.decode(_encoding, 'replace')

    call.__name__ = exported
    call.__doc__ = entry[5]
    return call


# 'f': Gnumeric converts the cell to a number (#VALUE! when it cannot);
# 'S': any scalar, so that a number reaches a text argument as its digits.
varizav_functions = {
    entry[1].lower(): (''.join('S' if p[2] != NUMBER else 'f' for p in entry[4]),
                       ', '.join(p[0] for p in entry[4]),
                       _worksheet_function(entry))
    for entry in varizav_registry.FUNCTIONS
}
