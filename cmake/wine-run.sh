#!/bin/sh
# Runs a Windows program under Wine: the emulator of cross-built tests.
# WINEPREFIX (a private prefix in the build directory) comes from the caller.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINEDEBUG=${WINEDEBUG:--all} exec "$wine" "$@"
