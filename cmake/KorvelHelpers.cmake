# korvel_library(name folder-sources... DEPS libs...)
# One static library per source folder; every folder includes from the
# repository root, so headers are named by path ("platform/msg_box.h").
function(korvel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# korvel_link_app(target): the program's libraries, in their order. korvel_app
# links korvel_georef, which links korvel_prefs, and so on down to the
# platform, so the linker sees each folder after every folder that may call it.
function(korvel_link_app target)
  if(TARGET korvel_app)
    target_link_libraries(${target} PRIVATE korvel_app)
  endif()
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
