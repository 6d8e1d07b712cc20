# Helpers that give every target of the project the same warnings, sanitizer
# settings and test registration.

set(BROKERBOOK_WARNINGS -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
# The test command builds with warnings as errors, so none slips onto main.
option(BROKERBOOK_WERROR "Treat warnings as errors" OFF)
if(BROKERBOOK_WERROR)
  list(APPEND BROKERBOOK_WARNINGS -Werror)
endif()
set(BROKERBOOK_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

# Line tables are all a backtrace, a debugger's step or a sanitizer report
# needs; full debug information costs an eighth of the build and most of the
# link. gold links the test programs in a fraction of the default linker's time.
set(BROKERBOOK_DEBUG_INFO $<$<CONFIG:Debug,RelWithDebInfo>:-g1>)

function(bb_target_defaults target)
  set_property(GLOBAL APPEND PROPERTY BROKERBOOK_TARGETS ${target})
  target_compile_options(${target} PRIVATE ${BROKERBOOK_WARNINGS} ${BROKERBOOK_DEBUG_INFO})
  target_link_options(${target} PRIVATE -fuse-ld=gold)
  if(BROKERBOOK_SANITIZE)
    target_compile_options(${target} PRIVATE ${BROKERBOOK_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${BROKERBOOK_SANITIZER_FLAGS})
  endif()
  if(BROKERBOOK_FUZZ)
    # coverage for the fuzzer in every library it reaches
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# bb_library(name SOURCES ... LINKS ...): one library per layer under src/.
function(bb_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_property(GLOBAL APPEND PROPERTY BROKERBOOK_LIBRARIES ${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  bb_target_defaults(${name})
  if(BROKERBOOK_SANITIZE)
    target_link_options(${name} INTERFACE ${BROKERBOOK_SANITIZER_FLAGS})
  endif()
endfunction()

# bb_unit_test(name [POSTGRES] SOURCES ... LINKS ...): one GoogleTest executable
# per area, registered with ctest case by case. POSTGRES: its cases run beside
# the tests' throw-away PostgreSQL server (tests/CMakeLists.txt).
function(bb_unit_test name)
  cmake_parse_arguments(ARG "POSTGRES" "" "SOURCES;LINKS;LABELS" ${ARGN})
  set(server)
  if(ARG_POSTGRES)
    set(server FIXTURES_REQUIRED postgres_server)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  bb_target_defaults(${name})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${server})
endfunction()

# Precompiled headers: the standard, Qt and test headers that nearly every
# source includes are parsed once per target instead of once per source. Each
# target gets the headers of what it links, so none reaches a header it could
# not include itself.
set(BB_PRECOMPILED_ALWAYS <algorithm> <functional> <map> <memory> <optional> <string> <string_view> <vector>)
# Pairs of a library and its headers, the headers apart by "|".
set(BB_PRECOMPILED_BY_LINK
  Qt6::Core "<QString>"
  Qt6::Widgets "<QApplication>|<QComboBox>|<QLabel>|<QLineEdit>|<QWidget>"
  Qt6::Test "<QTest>"
  GTest::gtest "<gtest/gtest.h>")
# A target of fewer sources parses the headers no more often than it would
# build its precompiled header.
set(BB_PRECOMPILED_MIN_SOURCES 3)

# bb_linked(target out): every target that target links, directly or through
# the targets it links.
function(bb_linked target out)
  set(seen ${${out}})
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    # a target imported in another folder is named, not looked into
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(type ${current} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(TARGET ${link})
        get_target_property(aliased ${link} ALIASED_TARGET)
        if(aliased)
          list(APPEND seen ${link})
          set(link ${aliased})
        endif()
      endif()
      list(APPEND pending ${link})
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Called once, after every target exists.
function(bb_precompile_headers)
  get_property(targets GLOBAL PROPERTY BROKERBOOK_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    list(LENGTH sources count)
    if(count LESS BB_PRECOMPILED_MIN_SOURCES)
      continue()
    endif()
    set(linked)
    bb_linked(${target} linked)
    set(headers ${BB_PRECOMPILED_ALWAYS})
    set(pairs ${BB_PRECOMPILED_BY_LINK})
    while(pairs)
      list(POP_FRONT pairs library group)
      if(library IN_LIST linked)
        string(REPLACE "|" ";" group "${group}")
        list(APPEND headers ${group})
      endif()
    endwhile()
    target_precompile_headers(${target} PRIVATE ${headers})
    # Inlined from a precompiled header, the standard library's string code
    # is no longer a system header's, and the optimiser's false alarms about
    # its copies (bounds and sizes in std::string's operator+) would stop the
    # build. Real overruns are the sanitizer build's to find.
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
      -Wno-stringop-overread -Wno-restrict)
  endforeach()
endfunction()
