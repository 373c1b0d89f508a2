# What makes a release build the same, byte for byte, wherever and by whomever it is built,
# and hardened as Debian hardens its programs.

# The build's time stamp: SOURCE_DATE_EPOCH where it is set, else the time of the last
# commit, else the release date of this version. The man page's date, the PE time stamp of
# tage.exe and every time inside the packages come from it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TAGE_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  # Only this project's own checkout counts: sources unpacked from the release tarball
  # into a distribution's packaging repository must not take that repository's time.
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(
      COMMAND "${GIT_EXECUTABLE}" rev-parse --show-toplevel
      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
      OUTPUT_VARIABLE git_top
      RESULT_VARIABLE git_status
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(git_status EQUAL 0)
      file(REAL_PATH "${git_top}" git_top)
      file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_top)
      if(git_top STREQUAL source_top)
        execute_process(
          COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
          WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
          OUTPUT_VARIABLE TAGE_SOURCE_DATE_EPOCH
          RESULT_VARIABLE git_status
          OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      else()
        set(git_status 1)
      endif()
    endif()
  endif()
  if(NOT git_status EQUAL 0 OR NOT TAGE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    set(TAGE_SOURCE_DATE_EPOCH "${TAGE_RELEASE_EPOCH}")
  endif()
endif()
if(NOT TAGE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is no number of seconds: '${TAGE_SOURCE_DATE_EPOCH}'")
endif()

# The linker reads the time stamp from the environment (for the PE header of tage.exe).
set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${TAGE_SOURCE_DATE_EPOCH}")
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_CXX_LINKER_LAUNCHER})

# No path of the machine that built it ends up in a binary.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=")

# Folders in the packages are 0755 whatever the umask; files are installed 0644 and
# programs 0755 anyway.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Position-independent programs, as Debian builds them, unless the caller says otherwise.
# A dynamic program is linked with -pie; a static-pie one is linked by -static-pie alone
# (a -pie after it would make it dynamic), so CMake adds no -pie there.
if(NOT DEFINED CMAKE_POSITION_INDEPENDENT_CODE AND NOT TAGE_WASI)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
if(TAGE_LINK STREQUAL "dynamic" AND NOT TAGE_WASI)
  include(CheckPIESupported)
  check_pie_supported()
endif()

# Hardening of the program's own code on Linux, as Debian builds its programs: stack
# protector, fortified C library calls, stack-clash protection, read-only relocations
# bound at start. Whoever passes flags of their own chooses the hardening: a distribution's
# build (dpkg-buildflags, say, with or without hardening=-all) gets none of ours on top of
# its compile flags (CXXFLAGS) or its link flags (LDFLAGS), so nothing is redefined or
# added twice. TAGE_HARDENING=OFF leaves ours out everywhere. Not with the sanitizers, which
# bring their own checks, and not for Windows, whose linker marks tage.exe itself (ASLR,
# DEP).
option(TAGE_HARDENING "Harden the program where CXXFLAGS and LDFLAGS do not choose for it" ON)
add_library(tage_hardening INTERFACE)
add_library(tage_program_link INTERFACE)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT TAGE_SANITIZE AND NOT TAGE_FUZZ)
  string(STRIP "${CMAKE_CXX_FLAGS}" caller_compile_flags)
  string(STRIP "${CMAKE_EXE_LINKER_FLAGS}" caller_link_flags)
  if(TAGE_HARDENING AND caller_compile_flags STREQUAL "")
    target_compile_options(tage_hardening INTERFACE
      -fstack-protector-strong -fstack-clash-protection
      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  endif()
  if(TAGE_HARDENING AND caller_link_flags STREQUAL "")
    target_link_options(tage_program_link INTERFACE -Wl,-z,relro -Wl,-z,now)
  endif()
  if(TAGE_LINK STREQUAL "static-pie")
    target_link_options(tage_program_link INTERFACE -static-pie)
  elseif(TAGE_LINK STREQUAL "static")
    # Where the C library has no start file for static-pie (rcrt1.o): one static program
    # at a fixed address.
    target_link_options(tage_program_link INTERFACE -static)
    set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
  elseif(TAGE_LINK STREQUAL "dynamic")
    # Only the libraries the program calls: the C library, not the C++ library that the
    # compiler driver links by default, and the compiler's helpers (64-bit division on
    # 32-bit ARM, say) from its static library rather than from libgcc_s.
    target_link_options(tage_program_link INTERFACE -Wl,--as-needed -static-libgcc)
  else()
    message(FATAL_ERROR "TAGE_LINK must be dynamic, static-pie or static, not '${TAGE_LINK}'")
  endif()
elseif(WIN32 AND NOT MSVC)
  # One tage.exe that runs on a bare Windows, without the MinGW DLLs.
  target_link_options(tage_program_link INTERFACE -static)
elseif(TAGE_WASI)
  # The number reader's buffer lives on the stack, which WebAssembly has no guard page
  # for: 256 KiB leave it ample room. Symbols and the producers' notes are of no use in
  # the page.
  target_link_options(tage_program_link INTERFACE -Wl,-z,stack-size=262144 -Wl,--strip-all)
endif()

# The project's static libraries end up only in programs, so their code is made for a
# program (-fPIE), not for a shared library (-fPIC), whose functions another library could
# replace and so may not be inlined into each other (bench/run.sh, "long span, per year
# line"). CMake compiles a static library that is position-independent with -fPIC; such a
# library of ours is given the program's option instead. Where nothing is
# position-independent (WebAssembly, a plain static link) or the compiler has no such
# option (Windows), the library stays as CMake makes it.
function(tage_program_code library)
  get_target_property(position_independent ${library} POSITION_INDEPENDENT_CODE)
  if(position_independent AND CMAKE_CXX_COMPILE_OPTIONS_PIE)
    set_target_properties(${library} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
    target_compile_options(${library} PRIVATE ${CMAKE_CXX_COMPILE_OPTIONS_PIE})
  endif()
endfunction()

# Removes the compilers' version notes (.comment) from a Linux program: they say nothing
# about the program and lintian asks for them to go.
function(tage_drop_compiler_notes target)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_OBJCOPY)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "${CMAKE_OBJCOPY}" --remove-section=.comment "$<TARGET_FILE:${target}>")
  endif()
endfunction()
