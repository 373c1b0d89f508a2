# Makes a machine-readable Debian copyright file from copyright.in: the maintainer and the
# years of the copyright, the licence's text from LICENSE as that format writes it (each
# line indented by a blank, an empty line as " ."), and for a static program the
# paragraphs of the libraries it carries (EMBEDDED, a file made from copyright-static.in,
# or nothing). The .deb and the distribution build's debian/copyright are both made so.
#
#   cmake -DTEMPLATE=copyright.in -DLICENSE=LICENSE -DMAINTAINER=... -DYEARS=...
#         [-DEMBEDDED=FILE] -DOUTPUT=... -P make_copyright.cmake
#
# or include()d with the same variables set.
file(READ "${LICENSE}" licence)
string(FIND "${licence}" "Permission" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${LICENSE} has no paragraph that starts with 'Permission'")
endif()
string(SUBSTRING "${licence}" ${start} -1 licence)
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " LICENSE_TEXT " ${licence}")
set(EMBEDDED_LIBRARIES "")
if(EMBEDDED)
  file(READ "${EMBEDDED}" EMBEDDED_LIBRARIES)
endif()
set(TAGE_MAINTAINER "${MAINTAINER}")
set(TAGE_COPYRIGHT_YEARS "${YEARS}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
