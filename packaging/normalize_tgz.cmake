# Run by cpack after it made the packages: writes every .tar.gz anew with GNU tar, so that
# its bytes do not depend on who packs it or how: members in name order, owned by
# root:root, folders and programs 0755 and other files 0644, every time the build's time
# stamp, and gzip without a name or time of its own.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.tar\\.gz$")
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
