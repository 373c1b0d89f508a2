# Run by cpack after it made the packages, so that their bytes do not depend on who packs
# them or under which umask:
#
# - every .tar.gz is written anew with GNU tar: members in name order, owned by root:root,
#   folders and programs 0755 and other files 0644, every time the build's time stamp,
#   and gzip without a name or time of its own;
# - in every .deb, the mode of each member of the outer ar archive (which cpack takes from
#   the umask) is set to 0644, as dpkg-deb writes it.

# Sets the mode field of each member header of the ar archive `package` to "100644".
function(normalize_ar_modes package)
  file(SIZE "${package}" end)
  set(position 8)  # past "!<arch>\n"
  while(position LESS end)
    # A header of 60 bytes: name 16, time 12, owner 6, group 6, mode 8, size 10, "`\n".
    file(READ "${package}" header OFFSET ${position} LIMIT 60)
    string(SUBSTRING "${header}" 48 10 size)
    string(STRIP "${size}" size)
    math(EXPR mode_at "${position} + 40")
    execute_process(
      COMMAND printf "100644  "
      COMMAND dd "of=${package}" bs=1 seek=${mode_at} conv=notrunc status=none
      COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR position "${position} + 60 + ${size} + ${size} % 2")
  endwhile()
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.deb$")
    normalize_ar_modes("${package}")
    continue()
  elseif(NOT package MATCHES "\\.tar\\.gz$")
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  file(MAKE_DIRECTORY "${tree}")
  execute_process(COMMAND tar -xpzf "${package}" -C "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB top RELATIVE "${tree}" "${tree}/*")
  execute_process(
    COMMAND tar --create --format=gnu --sort=name --owner=root:0 --group=root:0
            --mode=u+rwX,go+rX,go-w --mtime=@$ENV{SOURCE_DATE_EPOCH} -C "${tree}" ${top}
    COMMAND gzip -9n
    OUTPUT_FILE "${package}"
    COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
