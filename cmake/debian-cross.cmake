# Cross-compiles the Linux program for the Debian architecture TAGE_DEBIAN_ARCH, a row of
# packaging/targets.txt, with Debian's cross compiler (package g++-TRIPLET). Its tests run
# under qemu-user with the dynamic loader and the libraries of the cross sysroot
# /usr/TRIPLET (tage_emulator in targets.cmake).
#
#   cmake -DTAGE_DEBIAN_ARCH=NAME --toolchain cmake/debian-cross.cmake ...
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# The try-compile projects that CMake configures read this file too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAGE_DEBIAN_ARCH)

tage_target("${TAGE_DEBIAN_ARCH}" cross)
if(NOT cross_FOUND OR cross_RUNNER STREQUAL "-" OR NOT cross_TRIPLET MATCHES "-linux-")
  message(FATAL_ERROR "TAGE_DEBIAN_ARCH must name another Linux target of packaging/targets.txt: ${cross_NAMES}")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cross_PROCESSOR})
set(CMAKE_C_COMPILER ${cross_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${cross_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${cross_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
tage_emulator("${TAGE_DEBIAN_ARCH}" CMAKE_CROSSCOMPILING_EMULATOR)
