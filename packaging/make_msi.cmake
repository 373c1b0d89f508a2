# Makes the Windows installer MSI from tage.exe, LIESMICH.txt and LIZENZ.txt with wixl,
# adds what wixl cannot write with msibuild (the PATH entry and the actions that set and
# remove it, and the package code), and makes its bytes depend only on the inputs and the
# build's time stamp: the files are given that time, and both tools run with the clock
# stopped at it (faketime -f), as the summary information and the cabinet record times.
#
#   cmake -DWXS=... -DPROGRAM=tage.exe -DLIESMICH=... -DLIZENZ=... -DSTRIP=... -DEPOCH=...
#         -DPACKAGE_CODE=... -DMSI=... -DMAINTAINER=... -P make_msi.cmake
cmake_minimum_required(VERSION 3.25)

foreach(tool wixl msibuild faketime)
  find_program(${tool}_program ${tool})
  if(NOT ${tool}_program)
    message(FATAL_ERROR "${tool} is missing: apt-get install --no-install-recommends wixl msitools faketime")
  endif()
endforeach()

get_filename_component(msi_dir "${MSI}" DIRECTORY)
set(stage "${msi_dir}/msi-stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY_FILE "${WXS}" "${stage}/tage.wxs")
file(COPY_FILE "${PROGRAM}" "${stage}/tage.exe")
file(COPY_FILE "${LIESMICH}" "${stage}/LIESMICH.txt")
file(COPY_FILE "${LIZENZ}" "${stage}/LIZENZ.txt")
# The same stripped tage.exe as in the ZIP: strip writes the time stamp into its header.
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
execute_process(COMMAND "${STRIP}" "${stage}/tage.exe" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -d "@${EPOCH}" "${stage}/tage.exe" "${stage}/LIESMICH.txt"
                        "${stage}/LIZENZ.txt" COMMAND_ERROR_IS_FATAL ANY)

# The build's time stamp as a stopped clock. Without -f, faketime only starts the clock
# there and lets it run, so a tool that takes longer than a second writes another time.
execute_process(COMMAND date -u -d "@${EPOCH}" "+%Y-%m-%d %H:%M:%S"
                OUTPUT_VARIABLE stopped_clock OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(ENV{TZ} UTC)
set(stopped ${faketime_program} -f "${stopped_clock}")

file(REMOVE "${MSI}")
execute_process(COMMAND ${stopped} ${wixl_program} -a x64 -o "${MSI}" tage.wxs
                WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
# The folder of tage.exe at the end of the system PATH while the program is installed:
# "=-*" sets a system variable and takes the part off again at uninstall, "[~];" appends.
execute_process(
  COMMAND ${stopped} ${msibuild_program} "${MSI}"
    -q "CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL LOCALIZABLE, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)"
    -q "INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PathToTage', '=-*PATH', '[~];[INSTALLDIR]', 'Program')"
    -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)"
    -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)"
    -s "tage" "${MAINTAINER}" "x64;1031" "{${PACKAGE_CODE}}"
  COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${stage}")
