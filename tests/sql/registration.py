"""The registration of the built library in English, as the hosts'
generators read it (cmake/function_registration.py), in the shape the tests
compare with."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
import function_registration as registration  # noqa: E402


def read_registration(library):
    """{exported name: ([(English parameter name, is text)], text result)}."""
    text = registration.TYPE_TEXT
    return {f.exported: ([(p.name, p.type == text) for p in f.parameters], f.result == text)
            for f in registration.read(library)}
