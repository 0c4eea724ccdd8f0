# SPDX-License-Identifier: GPL-3.0-or-later
# Where Qt for Windows and the MinGW-w64 runtime are, for the scripts that build, deploy and
# run the Windows program. Source it; MORIV_QT_WINDOWS chooses another cache.
qt_windows_version=6.4.2
qt_windows=${MORIV_QT_WINDOWS:-$HOME/.cache/moriv/qt-$qt_windows_version-mingw}
# The MinGW-w64 runtime DLLs: the C++ library and libgcc, and winpthread.
mingw_runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
mingw_libraries=/usr/x86_64-w64-mingw32/lib
