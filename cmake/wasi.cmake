# Compiles tage.wasm for WASI (preview 1) with clang, Debian's wasi-libc and the libc++ for
# wasm32 (packages wasi-libc, libc++-14-dev-wasm32, libc++abi-14-dev-wasm32,
# libclang-rt-14-dev-wasm32, lld-14). Its tests run it under Node's WASI through the
# launcher of the npm package.
#
#   cmake --toolchain cmake/wasi.cmake ...      (or: cmake --preset wasm)
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(TAGE_WASI ON)
foreach(language C CXX)
  set(CMAKE_${language}_COMPILER_TARGET wasm32-wasi)
endforeach()
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
# Debian keeps the WASI headers and libraries under /usr/include/wasm32-wasi and
# /usr/lib/wasm32-wasi, where clang looks for the target below the sysroot /usr.
set(CMAKE_SYSROOT /usr)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR node -e "require(process.argv[1]).run(process.argv[2])"
    ${CMAKE_CURRENT_LIST_DIR}/../packaging/npm/tage.js)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAGE_WASI)
