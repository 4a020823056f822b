// The strings of a text column, made in C for the Python package: a million
// texts cost about 85 ms through str.split and an object array filled from
// its list, 48 ms made here directly into the array's items. Loaded with
// ctypes.PyDLL (which holds the interpreter lock and raises what is set here),
// and built against CPython's stable ABI, so that one file serves every
// CPython 3 from 3.7; another Python takes the package's str.split path.
#define Py_LIMITED_API 0x03070000
#include <Python.h>

#include <cstddef>
#include <cstring>

extern "C" {

// texts: `count` texts one after another, each ended by a zero byte, as the
// library's column call writes them. items: the items of a NumPy object
// array, each an owned reference (None when the array is made), replaced by
// the texts decoded as UTF-8 (a byte that is not valid UTF-8 becomes U+FFFD).
// Returns 0, or -1 with a Python exception set.
__attribute__((visibility("default"))) int varizav_fill_texts(const char* texts, size_t count, PyObject** items) {
  for (size_t i = 0; i < count; ++i) {
    const size_t length = std::strlen(texts);
    PyObject* text = PyUnicode_DecodeUTF8(texts, static_cast<Py_ssize_t>(length), "replace");
    if (text == nullptr) return -1;
    PyObject* old = items[i];
    items[i] = text;
    Py_DecRef(old);
    texts += length + 1;
  }
  return 0;
}

}  // extern "C"
