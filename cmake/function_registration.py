"""The worksheet functions as the built library registers them, in English,
read through its exported entry points (SetLanguage, GetFunctionData,
GetParameterDescription) for the generators of the hosts' files (the
Gnumeric plugin, the PostgreSQL extension's script) and their tests, so that
no host lists a name, an argument or a description a second time.
"""
import ctypes
import os
from collections import namedtuple

TEXT_SIZE = 256
TYPE_NUMBER = 0
TYPE_TEXT = 1
LANGUAGE_ENGLISH = 0x0409
MAX_SLOTS = 64

# result and each parameter's type: TYPE_NUMBER or TYPE_TEXT.
Function = namedtuple("Function", "exported display description result parameters")
Parameter = namedtuple("Parameter", "name description type")


def read(library_path):
    """Every registered function, in registration order."""
    library = ctypes.CDLL(os.path.abspath(library_path))
    names = (ctypes.c_char_p * 1)(b"LANG")
    values = (ctypes.c_char_p * 1)(b"C.UTF-8")
    library.VarizavConfigure(names, values, 1)  # the registration's texts in UTF-8
    library.SetLanguage(ctypes.byref(ctypes.c_ushort(LANGUAGE_ENGLISH)))
    functions = []
    exported = ctypes.create_string_buffer(TEXT_SIZE)
    display = ctypes.create_string_buffer(TEXT_SIZE)
    name = ctypes.create_string_buffer(TEXT_SIZE)
    about = ctypes.create_string_buffer(TEXT_SIZE)
    while True:
        number = ctypes.c_ushort(len(functions))
        codes = (ctypes.c_int * MAX_SLOTS)()
        slots = ctypes.c_ushort(0)
        library.GetFunctionData(ctypes.byref(number), exported, ctypes.byref(slots), codes, display)
        if not exported.value:  # past the last function
            return functions
        texts = []
        for slot in range(slots.value):
            library.GetParameterDescription(ctypes.byref(number), ctypes.byref(ctypes.c_ushort(slot)), name, about)
            texts.append((name.value.decode("utf-8"), about.value.decode("utf-8")))
        functions.append(Function(exported.value.decode("utf-8"), display.value.decode("utf-8"), texts[0][1], codes[0],
                                  [Parameter(n, d, codes[k + 1]) for k, (n, d) in enumerate(texts[1:])]))
