// libvarizav.so: the host layer (src/host) with every subsystem linked in.
// The exported names are listed in exports.map; this file only anchors the
// shared object so that the build has a source of its own.
#include "varizav/addin.h"
