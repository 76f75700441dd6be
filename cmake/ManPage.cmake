# Writes a manual page from a program's own --help, so that the two never drift apart.
# cmake -DPROGRAM=<exe> -DNAME=<name> -DSUMMARY=<text> -DVERSION=<x.y.z> -DEXTRA=<text>
#       -DOUTPUT=<page.1> -P ManPage.cmake
# The help is laid out in columns already; the page keeps that layout, fills only lines of
# prose too long for a terminal, and EXTRA adds sections the help does not have, written
# as plain text: a heading in capitals, a term on its own line with its description
# indented under it, "$ " before a command line, anything else as it stands.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen KELVARA_LANG=en ${PROGRAM} --help
  OUTPUT_VARIABLE help ERROR_QUIET RESULT_VARIABLE result)
if(result OR NOT help MATCHES "^Usage: ")
  message(FATAL_ERROR "${PROGRAM} --help failed (${result})")
endif()

string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REPLACE ";" "<semicolon>" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

# The usage line and its indented continuations are the synopsis, with the name the program
# goes by rather than the path it was started by.
set(synopsis "")
set(description "")
set(in_synopsis TRUE)
foreach(line IN LISTS lines)
  if(in_synopsis AND line MATCHES "^Usage: [^ ]*(.*)$")
    string(APPEND synopsis "${NAME}${CMAKE_MATCH_1}\n")
    continue()
  elseif(in_synopsis AND line MATCHES "^       ( *\\[.*)$")
    string(APPEND synopsis "${CMAKE_MATCH_1}\n")
    continue()
  endif()
  set(in_synopsis FALSE)
  if(description STREQUAL "" AND line STREQUAL "")
    continue()
  endif()
  string(LENGTH "${line}" length)
  if(line MATCHES "^[.']")
    set(line "\\&${line}")
  endif()
  if(length GREATER 80 AND NOT line MATCHES "^ ")
    string(APPEND description ".fi\n${line}\n.nf\n")
  else()
    string(APPEND description "${line}\n")
  endif()
endforeach()
string(REPLACE "<semicolon>" ";" synopsis "${synopsis}")
string(REPLACE "<semicolon>" ";" description "${description}")
string(REGEX REPLACE "\n+$" "\n" description "${description}")
string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" summary "${SUMMARY}")
file(STRINGS "${EXTRA}" extra_lines)
set(extra "")
foreach(line IN LISTS extra_lines)
  string(REPLACE "\\" "\\e" line "${line}")
  string(REPLACE "-" "\\-" line "${line}")
  if(line MATCHES "^[A-Z][A-Z ]+$")
    string(APPEND extra ".SH ${line}\n")
  elseif(line MATCHES "^    +(.*)$")
    string(APPEND extra "${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^\\$ (.*)$")
    string(APPEND extra ".nf\n${CMAKE_MATCH_1}\n.fi\n")
  elseif(line MATCHES "^[/A-Z]")
    string(APPEND extra ".TP\n.B ${line}\n")
  elseif(NOT line STREQUAL "")
    string(APPEND extra "${line}\n")
  endif()
endforeach()

file(WRITE "${OUTPUT}" ".TH ${title} 1 \"\" \"Kelvara Lens Utility ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${summary}
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
.nf
${description}.fi
${extra}")
