"""The registration of the built library, read through its exported entry
points (GetFunctionData, GetParameterDescription) in English."""
import ctypes

TEXT_SIZE = 256
TYPE_TEXT = 1


def read_registration(library):
    """{exported name: ([(English parameter name, is text)], text result)}."""
    lib = ctypes.CDLL(library)
    english = ctypes.c_ushort(0x0409)
    lib.SetLanguage(ctypes.byref(english))
    functions = {}
    for number in range(64):
        n = ctypes.c_ushort(number)
        exported = ctypes.create_string_buffer(TEXT_SIZE)
        display = ctypes.create_string_buffer(TEXT_SIZE)
        codes = (ctypes.c_int * 64)()
        slots = ctypes.c_ushort(0)
        lib.GetFunctionData(ctypes.byref(n), exported, ctypes.byref(slots), codes, display)
        if not exported.value:
            break
        parameters = []
        name = ctypes.create_string_buffer(TEXT_SIZE)
        about = ctypes.create_string_buffer(TEXT_SIZE)
        for slot in range(1, slots.value):
            s = ctypes.c_ushort(slot)
            lib.GetParameterDescription(ctypes.byref(n), ctypes.byref(s), name, about)
            parameters.append((name.value.decode("cp1252"), codes[slot] == TYPE_TEXT))
        functions[exported.value.decode()] = (parameters, codes[0] == TYPE_TEXT)
    return functions
