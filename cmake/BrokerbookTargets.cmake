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
# needs; full debug information costs a third of the build and most of the
# link. gold links the test programs in a fraction of the default linker's time.
set(BROKERBOOK_DEBUG_INFO $<$<CONFIG:Debug,RelWithDebInfo>:-g1>)

function(bb_target_defaults target)
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
