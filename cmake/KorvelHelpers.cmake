# korvel_library(name folder-sources... DEPS libs...)
# One static library per source folder; every folder includes from the
# repository root, so headers are named by path ("platform/msg_box.h").
function(korvel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# The korvel folders call each other's procedures through the main window in
# both directions, so executables and tests link them as one rescanned group.
set(KORVEL_APP_LIBS "" CACHE INTERNAL "")
function(korvel_register_app_library name)
  set(KORVEL_APP_LIBS ${KORVEL_APP_LIBS} ${name} CACHE INTERNAL "")
endfunction()

function(korvel_link_app target)
  if(NOT KORVEL_APP_LIBS)
    return()
  endif()
  string(REPLACE ";" "," group "${KORVEL_APP_LIBS}")
  target_link_libraries(${target} PRIVATE "$<LINK_GROUP:RESCAN,${group}>")
endfunction()

# korvel_test(name SOURCES ... DEPS ...): one test executable per folder,
# run headless through ctest.
function(korvel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE korvel_test_support ${ARG_DEPS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen\\;KORVEL_PROGRAM_DIR=${KORVEL_PROGRAM_DIR}\\;KORVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
