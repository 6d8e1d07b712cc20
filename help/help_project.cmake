# Writes the help project that qhelpgenerator compiles, from the pages and
# the table of contents, so that a new page needs only its file and one line
# in contents.txt. Run with -P and these variables:
#   HELP_SOURCE  this folder
#   HELP_BUILD   where the pages and the project are laid out
#   HELP_ICONS   the program's icons, which the pages show
#   HELP_OUTPUT  the folder of the program, where the compiled help goes
#
# Each line of contents.txt names a page; two spaces of indentation per level
# nest it under the page above. A page's <title> is its entry in the contents
# and in the index; its base name is its topic (a window's procedure name),
# by which F1 finds it; <meta name="keywords" content="a; b"> adds entries to
# the index.

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${HELP_BUILD}")
file(COPY "${HELP_SOURCE}/pages/" DESTINATION "${HELP_BUILD}")
file(COPY "${HELP_SOURCE}/style.css" DESTINATION "${HELP_BUILD}")
file(COPY "${HELP_ICONS}/" DESTINATION "${HELP_BUILD}/icons" FILES_MATCHING PATTERN "*.svg")

function(xml_attribute text out)
  string(REPLACE "\"" "&quot;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(STRINGS "${HELP_SOURCE}/contents.txt" lines)
set(toc "")
set(keywords "")
set(listed "")
set(depth 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^( *)([^ ].*)$")
    string(LENGTH "${CMAKE_MATCH_1}" spaces)
    math(EXPR level "${spaces} / 2 + 1")
    set(page "${CMAKE_MATCH_2}")
  else()
    continue()
  endif()
  if(NOT EXISTS "${HELP_BUILD}/${page}")
    message(FATAL_ERROR "contents.txt names ${page}, which is not in pages/")
  endif()
  if(level GREATER depth)
    math(EXPR allowed "${depth} + 1")
    if(NOT level EQUAL allowed)
      message(FATAL_ERROR "contents.txt: ${page} is indented more than one level")
    endif()
  endif()
  # Close the sections this line is not inside.
  while(depth GREATER_EQUAL level)
    string(APPEND toc "</section>\n")
    math(EXPR depth "${depth} - 1")
  endwhile()
  file(READ "${HELP_BUILD}/${page}" html)
  if(NOT html MATCHES "<title>([^<]+)</title>")
    message(FATAL_ERROR "${page} has no <title>")
  endif()
  xml_attribute("${CMAKE_MATCH_1}" title)
  get_filename_component(topic "${page}" NAME_WE)
  string(APPEND toc "<section title=\"${title}\" ref=\"${page}\">\n")
  set(depth ${level})
  string(APPEND keywords "<keyword name=\"${title}\" id=\"${topic}\" ref=\"${page}\"/>\n")
  if(html MATCHES "<meta name=\"keywords\" content=\"([^\"]*)\"")
    string(REGEX REPLACE " *; *" ";" words "${CMAKE_MATCH_1}")
    foreach(word IN LISTS words)
      xml_attribute("${word}" word)
      if(NOT word STREQUAL title)
        string(APPEND keywords "<keyword name=\"${word}\" ref=\"${page}\"/>\n")
      endif()
    endforeach()
  endif()
  list(APPEND listed "${page}")
endforeach()
while(depth GREATER 0)
  string(APPEND toc "</section>\n")
  math(EXPR depth "${depth} - 1")
endwhile()

file(GLOB pages RELATIVE "${HELP_SOURCE}/pages" "${HELP_SOURCE}/pages/*.html")
foreach(page IN LISTS pages)
  if(NOT page IN_LIST listed)
    message(FATAL_ERROR "${page} is not listed in contents.txt")
  endif()
endforeach()

file(WRITE "${HELP_BUILD}/Ledgr.qhp" "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QtHelpProject version=\"1.0\">
<namespace>brokerbook.help</namespace>
<virtualFolder>doc</virtualFolder>
<filterSection>
<toc>
${toc}</toc>
<keywords>
${keywords}</keywords>
<files>
<file>*.html</file>
<file>style.css</file>
<file>icons/*.svg</file>
</files>
</filterSection>
</QtHelpProject>
")

file(WRITE "${HELP_BUILD}/Ledgr.qhcp" "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QHelpCollectionProject version=\"1.0\">
<docFiles>
<generate>
<file><input>Ledgr.qhp</input><output>${HELP_OUTPUT}/Ledgr.qch</output></file>
</generate>
<register>
<file>${HELP_OUTPUT}/Ledgr.qch</file>
</register>
</docFiles>
</QHelpCollectionProject>
")
