# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# The program that goes on every lab PC is built as Debian builds its own:
# with the flags dpkg-buildflags gives when every hardening feature is on
# (stack protector, _FORTIFY_SOURCE, format checks, -z relro -z now; PIE is
# the compiler's default). Its optimisation and debug flags are left out,
# as the build type sets those, and so is its file-prefix map, which the
# build sets itself. Debian 13's dpkg adds stack-clash and control-flow
# protection, Debian 12's does not: both are added where the compiler has
# them, so the two build the same protections. The sanitizer build checks
# other faults and stays as it is, and a build without optimisation (Debug,
# or no build type) cannot have _FORTIFY_SOURCE.
if(TEMBRELA_SANITIZE OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    set(TEMBRELA_HARDENED OFF)
    return()
endif()
set(TEMBRELA_HARDENED ON)

find_program(TEMBRELA_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TEMBRELA_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags, from the package dpkg-dev, gives the hardening flags")
endif()
set(TEMBRELA_BUILDFLAGS_ENV
    "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
    "DEB_CXXFLAGS_MAINT_STRIP=-g -O2")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env ${TEMBRELA_BUILDFLAGS_ENV}
                ${TEMBRELA_DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(TEMBRELA_${kind} UNIX_COMMAND "${flags}")
endforeach()

include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "TEMBRELA_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known} AND NOT flag IN_LIST TEMBRELA_CXXFLAGS)
        list(APPEND TEMBRELA_CXXFLAGS ${flag})
    endif()
endforeach()

string(REPLACE ";" " " shown "${TEMBRELA_CPPFLAGS};${TEMBRELA_CXXFLAGS};${TEMBRELA_LDFLAGS}")
message(STATUS "Hardening: ${shown}")
add_compile_options(${TEMBRELA_CPPFLAGS} ${TEMBRELA_CXXFLAGS})
add_link_options(${TEMBRELA_LDFLAGS})
