"""The UNO add-in component of varizav in Python, for LibreOffice on Windows.

The same service and interface as the C++ component (org.varizav.Calendar,
org.varizav.XCalendar), so that saved spreadsheets name the same functions on
every platform. It hosts the library beside this file (varizav.dll, or
libvarizav.so where the extension declares it for Linux) the way a legacy
host does: GetFunctionCount once, SetLanguage with the UI language, then each
worksheet function with a pointer to its result and one pointer per argument,
texts in the process's text encoding. The function table comes from
pythonpath/varizav_functions.py, generated from the library's registration;
each function's ctypes prototype and argument converters are made once, when
the library is loaded.
"""

import codecs
import ctypes
import locale
import os
import threading

import unohelper
from com.sun.star.lang import Locale, XServiceInfo, XServiceName
from com.sun.star.sheet import XAddIn
from com.sun.star.uno import RuntimeException
from org.varizav import XCalendar

from varizav_functions import FUNCTIONS, LANGUAGE_IDENTIFIERS, UNKNOWN_LANGUAGE

IMPLEMENTATION_NAME = "org.varizav.Calendar"
SERVICE_NAMES = (IMPLEMENTATION_NAME, "com.sun.star.sheet.AddIn")
CATEGORY = "Add-In"
RESULT_SIZE = 256  # the host's text result buffer, terminator included

_NUMBER = ctypes.POINTER(ctypes.c_double)  # a number, by its address
_TEXT = ctypes.c_char_p  # a text in the process's text encoding
_TextResult = ctypes.c_char * RESULT_SIZE


def _host_encoding():
    """The process's text encoding: the ANSI code page on Windows, the
    codeset of LC_CTYPE elsewhere. Plain ASCII (the C locale) means the
    library's own Windows-1252 bytes."""
    encoding = locale.getpreferredencoding(False)
    return "cp1252" if codecs.lookup(encoding).name == "ascii" else encoding


def _prepared(library, function, encoding):
    """The library's function as a legacy host calls it: a pointer to the
    result, then one pointer per argument. Its ctypes prototype and the
    converter of each argument are made here, once; a call only marshals."""
    prototype = ctypes.CFUNCTYPE(
        None, _TEXT if function.text_result else _NUMBER,
        *(_TEXT if argument.text else _NUMBER for argument in function.arguments))
    call = prototype((function.exported_name, library))

    def text(value):
        return value.encode(encoding, "replace")

    # A c_double passes by its address through the prototype's pointer.
    converters = tuple(text if argument.text else ctypes.c_double for argument in function.arguments)

    if function.text_result:
        def text_call(*arguments):
            result = _TextResult()
            call(result, *[convert(value) for convert, value in zip(converters, arguments)])
            return result.value.decode(encoding, "replace")
        return text_call

    def number_call(*arguments):
        result = ctypes.c_double()
        call(result, *[convert(value) for convert, value in zip(converters, arguments)])
        return result.value
    return number_call


class _Library:
    """The library, loaded once per process: every function or none."""

    def __init__(self):
        self.error = ""
        self.calls = ()
        self.set_language = None
        name = "varizav.dll" if os.name == "nt" else "libvarizav.so"
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
        try:
            library = ctypes.CDLL(path)
            count = ctypes.c_ushort(0)
            library.GetFunctionCount(ctypes.byref(count))
            if count.value != len(FUNCTIONS):
                raise OSError("not the library this extension was built for")
            encoding = _host_encoding()
            calls = tuple(_prepared(library, function, encoding) for function in FUNCTIONS)
            self.set_language = library.SetLanguage
            self.set_language.argtypes = [ctypes.POINTER(ctypes.c_ushort)]
            self.set_language.restype = None
            self.calls = calls
        except (OSError, AttributeError) as error:
            self.error = "varizav: %s: %s" % (path, error)


_library = None
_library_lock = threading.Lock()


def library():
    global _library
    if _library is None:
        with _library_lock:
            if _library is None:
                _library = _Library()
    return _library


def windows_language(language, country):
    """The Windows language identifier a legacy host passes for a UI locale."""
    for entry_language, entry_country, identifier in LANGUAGE_IDENTIFIERS:
        if language == entry_language and entry_country in ("", country):
            return identifier
    return UNKNOWN_LANGUAGE


def _worksheet_method(number):
    """A method of XCalendar: the library's prepared function."""

    def method(self, *arguments):
        calls = library().calls
        if not calls:
            raise RuntimeException(library().error, self)
        return calls[number](*arguments)

    return method


class Calendar(unohelper.Base, XCalendar, XAddIn, XServiceName, XServiceInfo):
    # The library's language is the UI language, as a legacy host sets it:
    # Calc also passes en-US to setLocale to read the English function
    # names, which must not switch the library's name lookups and date texts.
    def __init__(self, context):
        self.locale = Locale()
        self.german = False
        self.ui_language_known = False
        ui = _configured_ui_locale(context)
        if ui:
            self.ui_language_known = True
            parts = ui.split("-")
            _set_library_language(windows_language(parts[0], parts[1] if len(parts) > 1 else ""))

    # ---- XAddIn ----
    def getProgrammaticFuntionName(self, display_name):
        for function in FUNCTIONS:
            if display_name.lower() == self._text(function.display_name).lower():
                return function.method
        return ""

    def getDisplayFunctionName(self, name):
        function = _BY_METHOD.get(name)
        return self._text(function.display_name) if function else ""

    def getFunctionDescription(self, name):
        function = _BY_METHOD.get(name)
        return self._text(function.description) if function else ""

    def getDisplayArgumentName(self, name, argument):
        function = _BY_METHOD.get(name)
        if function is None or not 0 <= argument < len(function.arguments):
            return ""
        return self._text(function.arguments[argument].name)

    def getArgumentDescription(self, name, argument):
        function = _BY_METHOD.get(name)
        if function is None or not 0 <= argument < len(function.arguments):
            return ""
        return self._text(function.arguments[argument].description)

    def getProgrammaticCategoryName(self, name):
        return CATEGORY

    def getDisplayCategoryName(self, name):
        return CATEGORY

    # ---- XLocalizable: the UI language ----
    def setLocale(self, new_locale):
        self.locale = new_locale
        self.german = new_locale.Language == "de"
        # Without the configuration, the first locale Calc passes is the UI's.
        if not self.ui_language_known:
            self.ui_language_known = True
            _set_library_language(windows_language(new_locale.Language, new_locale.Country))

    def getLocale(self):
        return self.locale

    # ---- XServiceName, XServiceInfo ----
    def getServiceName(self):
        return IMPLEMENTATION_NAME

    def getImplementationName(self):
        return IMPLEMENTATION_NAME

    def supportsService(self, name):
        return name in SERVICE_NAMES

    def getSupportedServiceNames(self):
        return SERVICE_NAMES

    def _text(self, pair):
        return pair[1] if self.german else pair[0]


_BY_METHOD = {function.method: function for function in FUNCTIONS}
for _number, _function in enumerate(FUNCTIONS):
    setattr(Calendar, _function.method, _worksheet_method(_number))


def _set_library_language(identifier):
    lib = library()
    if lib.set_language is not None:
        lib.set_language(ctypes.byref(ctypes.c_ushort(identifier)))


def _configured_ui_locale(context):
    """The UI language in effect ("de-DE") from the configuration LibreOffice
    writes at start-up; "" when unavailable."""
    try:
        from com.sun.star.beans import PropertyValue

        provider = context.getValueByName("/singletons/com.sun.star.configuration.theDefaultProvider")
        path = PropertyValue()
        path.Name = "nodepath"
        path.Value = "/org.openoffice.Setup/L10N"
        l10n = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", (path,))
        return l10n.getByName("ooLocale") or ""
    except Exception:  # any UNO failure: the locale stays unknown
        return ""


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(Calendar, IMPLEMENTATION_NAME, SERVICE_NAMES)
