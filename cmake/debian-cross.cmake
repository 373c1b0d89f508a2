# Cross-compiles the Linux program for the Debian architecture TAGE_DEBIAN_ARCH with
# Debian's cross compiler (package g++-TRIPLET). Its tests run under qemu-user with the
# dynamic loader and the libraries of the cross sysroot /usr/TRIPLET, the C library first
# from there too: a loader and a C library of different builds (the sysroot's and a
# second architecture's libc6:ARCH, say) do not work together.
#
#   cmake -DTAGE_DEBIAN_ARCH=armhf --toolchain cmake/debian-cross.cmake ...
#
# Debian architecture, GNU triplet, CMAKE_SYSTEM_PROCESSOR, qemu-user program:
set(tage_debian_cross_targets
  "arm64   aarch64-linux-gnu        aarch64 qemu-aarch64"
  "armhf   arm-linux-gnueabihf      armv7l  qemu-arm"
  "i386    i686-linux-gnu           i686    qemu-i386"
  "mips64el mips64el-linux-gnuabi64 mips64  qemu-mips64el"
  "ppc64el powerpc64le-linux-gnu    ppc64le qemu-ppc64le"
  "riscv64 riscv64-linux-gnu        riscv64 qemu-riscv64"
  "s390x   s390x-linux-gnu          s390x   qemu-s390x")
# The try-compile projects that CMake configures read this file too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAGE_DEBIAN_ARCH)

set(tage_cross_triplet "")
foreach(target IN LISTS tage_debian_cross_targets)
  string(REGEX REPLACE " +" ";" fields "${target}")
  list(GET fields 0 architecture)
  if(architecture STREQUAL "${TAGE_DEBIAN_ARCH}")
    list(GET fields 1 tage_cross_triplet)
    list(GET fields 2 CMAKE_SYSTEM_PROCESSOR)
    list(GET fields 3 tage_cross_emulator)
  endif()
endforeach()
if(NOT tage_cross_triplet)
  message(FATAL_ERROR "TAGE_DEBIAN_ARCH must name one of: ${tage_debian_cross_targets}")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${tage_cross_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${tage_cross_triplet}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${tage_cross_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${tage_cross_emulator} -L /usr/${tage_cross_triplet}
    -E LD_LIBRARY_PATH=/usr/${tage_cross_triplet}/lib)
