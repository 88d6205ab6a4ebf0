# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, in its POSIX
# thread model: Qt's threads need std::thread and friends.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TEMBRELA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TEMBRELA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TEMBRELA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TEMBRELA_MINGW_TRIPLET}-windres)

# Appended, so that a caller's roots (such as a cross-built Qt) stay.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TEMBRELA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
