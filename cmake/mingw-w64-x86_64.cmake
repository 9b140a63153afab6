# Cross-builds the Windows program (64-bit, Unicode Win32) with Debian's
# MinGW-w64 and runs what the build produces under Wine.
#
# GMP and GoogleTest for MinGW are not packaged in Debian; scripts/setup builds
# them into PLINTHAR_MINGW_PREFIX (by default /opt/plinthar-mingw).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PLINTHAR_MINGW_HOST x86_64-w64-mingw32)
# The posix flavour: std::thread and friends through winpthread.
set(CMAKE_C_COMPILER ${PLINTHAR_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLINTHAR_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${PLINTHAR_MINGW_HOST}-windres)

if(DEFINED ENV{PLINTHAR_MINGW_PREFIX})
  set(PLINTHAR_MINGW_PREFIX "$ENV{PLINTHAR_MINGW_PREFIX}" CACHE PATH "GMP and GoogleTest built for MinGW")
else()
  set(PLINTHAR_MINGW_PREFIX "/opt/plinthar-mingw" CACHE PATH "GMP and GoogleTest built for MinGW")
endif()

set(CMAKE_FIND_ROOT_PATH
  "/usr/${PLINTHAR_MINGW_HOST}"
  "${PLINTHAR_MINGW_PREFIX}/gmp"
  "${PLINTHAR_MINGW_PREFIX}/gtest")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the MinGW GMP's .pc files only, never the host's; the .pc
# files carry absolute paths under the prefix, so no sysroot is added.
set(ENV{PKG_CONFIG_LIBDIR} "${PLINTHAR_MINGW_PREFIX}/gmp/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The C and C++ runtimes and winpthread go into the program file, so that
# nothing but libgmp-10.dll needs to lie beside it. GMP itself stays a DLL
# (it is found by full path, which -static does not affect) so that its LGPL
# lets users replace it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine, in a prefix of the build tree, on an
# Xvfb display of their own; ctest and gtest_discover_tests go through this.
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
