"""The Python Calc component outside Calc, its UNO modules replaced by stand-ins.

What Calc's Function Wizard shows (display names, descriptions, argument
names and descriptions, in English and German) must be what the library
registers through GetFunctionData and GetParameterDescription (the
independent reference); a component without its library raises in every
function rather than computing.

  python_component_test.py COMPONENT.py GENERATED_DIR LIBRARY.so
"""

import ctypes
import os
import shutil
import sys
import tempfile
import types
import unittest

COMPONENT, GENERATED, LIBRARY = sys.argv[1:4]
del sys.argv[1:4]


class RuntimeException(Exception):
    pass


def _stand_in_uno():
    """Just the names varizav_calc.py imports from pyuno."""
    modules = {name: types.ModuleType(name) for name in (
        "unohelper", "com", "com.sun", "com.sun.star", "com.sun.star.lang", "com.sun.star.sheet",
        "com.sun.star.uno", "org", "org.varizav")}
    modules["unohelper"].Base = type("Base", (), {})
    modules["unohelper"].ImplementationHelper = lambda: types.SimpleNamespace(addImplementation=lambda *a: None)
    modules["com.sun.star.lang"].Locale = lambda Language="", Country="": types.SimpleNamespace(
        Language=Language, Country=Country)
    for name, module in (("XServiceInfo", "com.sun.star.lang"), ("XServiceName", "com.sun.star.lang"),
                         ("XAddIn", "com.sun.star.sheet"), ("XCalendar", "org.varizav")):
        setattr(modules[module], name, type(name, (), {}))
    modules["com.sun.star.uno"].RuntimeException = RuntimeException
    sys.modules.update(modules)


def _load_component(folder, with_library):
    """varizav_calc.py as the extension packs it: the library beside it,
    the generated table on the path."""
    shutil.copy(COMPONENT, folder)
    if with_library:
        shutil.copy(LIBRARY, folder)
    sys.path[:0] = [folder, GENERATED]
    try:
        sys.modules.pop("varizav_calc", None)
        import varizav_calc
        return varizav_calc
    finally:
        del sys.path[:2]


def _registered(library, number, language):
    """(display name, description, ((argument name, description), ...)) from the library."""
    library.SetLanguage(ctypes.byref(ctypes.c_ushort(language)))
    exported, display = ctypes.create_string_buffer(256), ctypes.create_string_buffer(256)
    slots, kinds = ctypes.c_ushort(0), (ctypes.c_int * 32)()
    library.GetFunctionData(ctypes.byref(ctypes.c_ushort(number)), exported, ctypes.byref(slots), kinds, display)
    texts = []
    for slot in range(slots.value):
        name, description = ctypes.create_string_buffer(256), ctypes.create_string_buffer(256)
        library.GetParameterDescription(ctypes.byref(ctypes.c_ushort(number)), ctypes.byref(ctypes.c_ushort(slot)),
                                        name, description)
        texts.append((name.value.decode("utf-8"), description.value.decode("utf-8")))
    return display.value.decode("utf-8"), texts[0][1], tuple(texts[1:])


class PythonComponent(unittest.TestCase):
    def setUp(self):
        _stand_in_uno()
        self.folder = tempfile.mkdtemp(prefix="varizav-component-")

    def tearDown(self):
        shutil.rmtree(self.folder)

    def test_wizard_texts_are_the_registered_texts(self):
        component = _load_component(self.folder, with_library=True)
        calendar = component.Calendar(None)
        library = ctypes.CDLL(os.path.join(self.folder, os.path.basename(LIBRARY)))
        for locale, language in (("en", 0x0409), ("de", 0x0407)):
            calendar.setLocale(component.Locale(locale, ""))
            for number, function in enumerate(component.FUNCTIONS):
                with self.subTest(locale=locale, method=function.method):
                    display, description, arguments = _registered(library, number, language)
                    self.assertEqual(calendar.getDisplayFunctionName(function.method), display)
                    self.assertEqual(calendar.getProgrammaticFuntionName(display.lower()), function.method)
                    self.assertEqual(calendar.getFunctionDescription(function.method), description)
                    shown = tuple((calendar.getDisplayArgumentName(function.method, a),
                                   calendar.getArgumentDescription(function.method, a))
                                  for a in range(len(arguments) + 1))
                    self.assertEqual(shown, arguments + (("", ""),))

    def test_without_its_library_every_function_raises(self):
        component = _load_component(self.folder, with_library=False)
        calendar = component.Calendar(None)
        for function in component.FUNCTIONS:
            arguments = ["1" if argument.text else 1.0 for argument in function.arguments]
            with self.subTest(method=function.method), self.assertRaises(RuntimeException):
                getattr(calendar, function.method)(*arguments)


if __name__ == "__main__":
    unittest.main()
