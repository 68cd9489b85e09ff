#!/bin/sh
# Compiler launcher for what ships: runs the build's mingw-w64 compiler in its win32 thread model
# (i686-w64-mingw32-g++-posix becomes i686-w64-mingw32-g++-win32). That runtime calls nothing
# newer than Windows XP; the posix one links winpthreads, which imports GetTickCount64.
compiler="$1"
shift
case "$compiler" in
  *-posix) exec "${compiler%-posix}-win32" "$@" ;;
  *) echo "win32-threads.sh: $compiler is not a -posix mingw-w64 compiler" >&2; exit 1 ;;
esac
