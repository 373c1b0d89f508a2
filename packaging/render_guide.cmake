# Makes the man page and LIESMICH.txt from the user guide in README.md: the lines between
# "<!-- Anleitung: Anfang -->" and "<!-- Anleitung: Ende -->". The guide uses a small part
# of Markdown, and only that part is understood here:
#
#   ### Heading          a section: .SH in the man page, capitals in LIESMICH.txt
#   #### Heading         a subsection: .SS, the heading as it stands
#   text lines           a paragraph (.PP); a blank line ends it
#   - text               a list item (.IP), continued by lines indented two blanks
#   ``` ... ```          an example, shown as it stands (.EX), indented in LIESMICH.txt
#   `code`               inline code: bold in the man page, in „quotes“ in LIESMICH.txt
#
# Text before the first section belongs to the man page's BESCHREIBUNG. LIESMICH.txt and
# LIZENZ.txt get CR LF line ends, as Windows editors expect.
#
#   cmake -DREADME=... -DLICENSE=... -DMAN_TEMPLATE=... -DVERSION=... -DMAN_PAGE=...
#         -DLIESMICH=... -DLIZENZ=... -P render_guide.cmake
cmake_minimum_required(VERSION 3.25)

file(READ "${README}" readme)
set(begin_marker "<!-- Anleitung: Anfang -->\n")
set(end_marker "<!-- Anleitung: Ende -->")
string(FIND "${readme}" "${begin_marker}" begin)
string(FIND "${readme}" "${end_marker}" end)
if(begin EQUAL -1 OR end EQUAL -1 OR end LESS begin)
  message(FATAL_ERROR "README.md has no guide between ${begin_marker} and ${end_marker}")
endif()
string(LENGTH "${begin_marker}" marker_length)
math(EXPR begin "${begin} + ${marker_length}")
math(EXPR length "${end} - ${begin}")
string(SUBSTRING "${readme}" ${begin} ${length} guide)

# CMake lists split at ";" and group at "[" and "]": those characters are hidden while the
# text is handled line by line, and put back at the end.
string(REPLACE ";" "@SEMICOLON@" guide "${guide}")
string(REPLACE "[" "@OPEN@" guide "${guide}")
string(REPLACE "]" "@CLOSE@" guide "${guide}")
string(REPLACE "\n" ";" lines "${guide}")

# Inline code and the characters roff treats specially, in running text of the man page.
function(man_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "`([^`]*)`" "\\\\fB\\1\\\\fR" text "${text}")
  # A line that starts with a dot or an apostrophe would be read as a request.
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(text_text text out)
  string(REGEX REPLACE "`([^`]*)`" "„\\1“" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A heading of LIESMICH.txt: after one blank line, followed by another.
macro(text_heading heading)
  if(NOT text MATCHES "\n\n$")
    string(APPEND text "\n")
  endif()
  string(APPEND text "${heading}\n\n")
endmacro()

set(man "")
set(text "")
set(in_example FALSE)
set(in_paragraph FALSE)
foreach(line IN LISTS lines)
  if(in_example)
    if(line STREQUAL "```")
      string(APPEND man ".EE\n.RE\n")
      string(APPEND text "\n")
      set(in_example FALSE)
    else()
      # Shown as it stands: only backslashes, leading dots and minus signs need care.
      string(REPLACE "\\" "\\e" man_line "${line}")
      string(REPLACE "-" "\\-" man_line "${man_line}")
      string(REGEX REPLACE "^([.'])" "\\\\&\\1" man_line "${man_line}")
      string(APPEND man "${man_line}\n")
      if(line STREQUAL "")
        string(APPEND text "\n")
      else()
        string(APPEND text "    ${line}\n")
      endif()
    endif()
  elseif(line STREQUAL "```")
    string(APPEND man ".PP\n.RS 4\n.EX\n")
    set(in_example TRUE)
    set(in_paragraph FALSE)
  elseif(line MATCHES "^### (.*)$")
    string(TOUPPER "${CMAKE_MATCH_1}" heading)
    string(APPEND man ".SH ${heading}\n")
    text_heading("${heading}")
    set(in_paragraph FALSE)
  elseif(line MATCHES "^#### (.*)$")
    string(APPEND man ".SS ${CMAKE_MATCH_1}\n")
    text_heading("${CMAKE_MATCH_1}")
    set(in_paragraph FALSE)
  elseif(line STREQUAL "")
    if(in_paragraph)
      string(APPEND text "\n")
    endif()
    set(in_paragraph FALSE)
  elseif(line MATCHES "^- (.*)$")
    man_text("${CMAKE_MATCH_1}" item)
    string(APPEND man ".IP \\(bu 2\n${item}\n")
    text_text("${line}" item)
    string(APPEND text "${item}\n")
    set(in_paragraph TRUE)
  else()
    if(NOT in_paragraph AND NOT line MATCHES "^  ")
      string(APPEND man ".PP\n")
    endif()
    string(REGEX REPLACE "^  " "" continued "${line}")
    man_text("${continued}" man_line)
    string(APPEND man "${man_line}\n")
    text_text("${line}" text_line)
    string(APPEND text "${text_line}\n")
    set(in_paragraph TRUE)
  endif()
endforeach()
if(in_example)
  message(FATAL_ERROR "the guide in README.md ends inside an example")
endif()

foreach(output man text)
  string(REPLACE "@SEMICOLON@" ";" ${output} "${${output}}")
  string(REPLACE "@OPEN@" "[" ${output} "${${output}}")
  string(REPLACE "@CLOSE@" "]" ${output} "${${output}}")
endforeach()

# The guide's first line is the BESCHREIBUNG's first paragraph: no .PP right after .SH.
string(REGEX REPLACE "^\\.PP\n" "" man "${man}")
file(READ "${MAN_TEMPLATE}" page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@GUIDE@\n" "${man}" page "${page}")
file(WRITE "${MAN_PAGE}" "${page}")

string(STRIP "${text}" text)
set(title "tage ${VERSION}: zählt die Tage zwischen zwei Kalenderdaten")
set(liesmich "${title}\n\n${text}\n\nLizenz: MIT, siehe LIZENZ.txt.\n")
string(REPLACE "\n" "\r\n" liesmich "${liesmich}")
file(WRITE "${LIESMICH}" "${liesmich}")

file(READ "${LICENSE}" licence)
string(REPLACE "\n" "\r\n" licence "${licence}")
file(WRITE "${LIZENZ}" "${licence}")
