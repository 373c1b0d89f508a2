# Makes the man page and LIESMICH.txt from the user guide in README.md: the lines between
# "<!-- Anleitung: Anfang -->" and "<!-- Anleitung: Ende -->". The guide uses a small part
# of Markdown, and only that part is understood here:
#
#   ### Heading          a section: .SH in the man page, capitals in LIESMICH.txt
#   #### Heading         a subsection: .SS, the heading as it stands
#   text lines           a paragraph (.PP); a blank line ends it
#   - text               a list item (.IP), continued by lines indented two blanks
#   ``` ... ```          an example, shown as it stands (.EX), indented in LIESMICH.txt
#   `code`               inline code: in „quotes“, bold as well in the man page, so that
#                        it reads right where bold is not shown
#
# Any other Markdown (other headings, emphasis, links, numbered lists, quotes, tables,
# HTML, an unclosed `) is refused with the line that has it, rather than passed through.
#
# Text before the first section belongs to the man page's BESCHREIBUNG; its date is the
# month of the build's time stamp (EPOCH, seconds since 1970), and a date such as
# "5. 6. 2020" never breaks across its lines. LIESMICH.txt and LIZENZ.txt are UTF-8 with a
# byte-order mark and CR LF line ends, as Windows editors expect. LIZENZ.txt holds
# the licence and the notices of the libraries inside tage.exe (NOTICES).
#
# GUIDE, where it is given, receives the guide as it stands in Markdown under a title: the
# README of the npm package.
#
# The man page's NAME line and the titles say what tage does with the project's one-line
# description (DESCRIPTION), begun in lower case after the name.
#
#   cmake -DREADME=... -DLICENSE=... -DNOTICES=... -DMAN_TEMPLATE=... -DVERSION=...
#         -DDESCRIPTION=... -DEPOCH=... -DMAN_PAGE=... -DLIESMICH=... -DLIZENZ=...
#         [-DGUIDE=...] -P render_guide.cmake
cmake_minimum_required(VERSION 3.25)

string(SUBSTRING "${DESCRIPTION}" 0 1 initial)
string(SUBSTRING "${DESCRIPTION}" 1 -1 rest)
string(TOLOWER "${initial}" initial)
set(summary "${initial}${rest}")

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
set(guide_markdown "${guide}")
# The guide's first line, for the line numbers of errors.
string(SUBSTRING "${readme}" 0 ${begin} before_guide)
string(REGEX MATCHALL "\n" before_lines "${before_guide}")
list(LENGTH before_lines first_line_number)
math(EXPR first_line_number "${first_line_number} + 1")

# CMake lists split at ";" and group at "[" and "]": those characters are hidden while the
# text is handled line by line, and put back at the end.
string(REPLACE ";" "@SEMICOLON@" guide "${guide}")
string(REPLACE "[" "@OPEN@" guide "${guide}")
string(REPLACE "]" "@CLOSE@" guide "${guide}")
string(REPLACE "\n" ";" lines "${guide}")

# Refuses a line of running text that uses Markdown outside the subset above.
function(check_subset line number)
  string(REGEX REPLACE "`[^`]*`" "" outside_code "${line}")
  set(what "")
  if(outside_code MATCHES "`")
    set(what "an unclosed `")
  elseif(line MATCHES "^#" AND NOT line MATCHES "^####? [^ ]")
    set(what "a heading other than ### and ####")
  elseif(outside_code MATCHES "(\\*|__|~~)")
    set(what "emphasis")
  elseif(outside_code MATCHES "@OPEN@[^@]*@CLOSE@\\(")
    set(what "a link")
  elseif(outside_code MATCHES "<[A-Za-z/!]")
    set(what "HTML")
  elseif(line MATCHES "^ *[0-9]+[.)] ")
    set(what "a numbered list")
  elseif(line MATCHES "^ *[>|+*] ")
    set(what "a quote, table or other list")
  elseif(line MATCHES "\t")
    set(what "a tab")
  elseif(line MATCHES "[0-9]\\. [0-9]+\\.$")
    set(what "a date cut at the end of the line")
  endif()
  if(what)
    string(REPLACE "@SEMICOLON@" ";" line "${line}")
    string(REPLACE "@OPEN@" "[" line "${line}")
    string(REPLACE "@CLOSE@" "]" line "${line}")
    get_filename_component(readme_name "${README}" NAME)
    message(FATAL_ERROR "${readme_name}:${number}: the guide uses ${what}, which the man page and "
                        "LIESMICH.txt cannot show; keep to the subset in render_guide.cmake:\n"
                        "${line}")
  endif()
endfunction()

# Inline code and the characters roff treats specially, in running text of the man page.
function(man_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "`([^`]*)`" "„\\\\fB\\1\\\\fR“" text "${text}")
  # A date does not break between its day, month and year.
  string(REGEX REPLACE "([0-9]+)\\. ([0-9]+)\\. ([0-9]+)" "\\1.\\\\ \\2.\\\\ \\3" text "${text}")
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
set(number ${first_line_number})
foreach(line IN LISTS lines)
  if(NOT in_example AND NOT line STREQUAL "```")
    check_subset("${line}" ${number})
  endif()
  math(EXPR number "${number} + 1")
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
# The man page's date: the German month and year of the build's time stamp, in UTC.
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
string(TIMESTAMP month "%m" UTC)
string(TIMESTAMP year "%Y" UTC)
set(month_names Januar Februar März April Mai Juni Juli August September Oktober November
                Dezember)
math(EXPR month_index "${month} - 1")
list(GET month_names ${month_index} month_name)
file(READ "${MAN_TEMPLATE}" page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "\\" "\\e" man_summary "${summary}")
string(REPLACE "@SUMMARY@" "${man_summary}" page "${page}")
string(REPLACE "@DATE@" "${month_name} ${year}" page "${page}")
string(REPLACE "@GUIDE@\n" "${man}" page "${page}")
file(WRITE "${MAN_PAGE}" "${page}")

string(STRIP "${text}" text)
set(title "tage ${VERSION}: ${summary}")
set(liesmich "${title}\n\n${text}\n\nLizenz: MIT, siehe LIZENZ.txt.\n")
string(REPLACE "\n" "\r\n" liesmich "${liesmich}")
# The byte-order mark tells Notepad and older Windows tools that the text is UTF-8; both
# texts carry it.
string(ASCII 239 187 191 byte_order_mark)
file(WRITE "${LIESMICH}" "${byte_order_mark}${liesmich}")

file(READ "${LICENSE}" licence)
file(READ "${NOTICES}" notices)
string(REPLACE "\n" "\r\n" licence "${licence}${notices}")
file(WRITE "${LIZENZ}" "${byte_order_mark}${licence}")

if(GUIDE)
  file(WRITE "${GUIDE}" "# ${title}\n\n${guide_markdown}")
endif()
