# SPDX-License-Identifier: GPL-3.0-or-later
# radioprog_add_test(NAME SOURCES a.cpp ... [GUI] [LIBS ...])
# One Qt Test executable per call, registered with CTest. Tests without GUI
# carry the label "core" and also run in the sanitizer build; GUI tests carry
# "gui", link the widget library and run on the offscreen platform.
# Every suite runs with its own HOME and XDG_CONFIG_HOME under build/test-home.
add_custom_target(core_tests)

function(radioprog_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(T_GUI AND NOT RADIOPROG_WITH_GUI)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test radioprog_core ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    RADIOPROG_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    RADIOPROG_BUILD_DIR="${CMAKE_BINARY_DIR}"
    RADIOPROG_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(T_GUI)
    target_link_libraries(${name} PRIVATE radioprog_gui)
    set(label gui)
  else()
    add_dependencies(core_tests ${name})
    set(label core)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  # Each suite gets a home of its own: suites run in parallel, and per-user
  # settings (also Qt's test-mode folders under $HOME) must not be shared.
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  file(MAKE_DIRECTORY ${home}/config)
  set_tests_properties(${name} PROPERTIES
    LABELS ${label}
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false;HOME=${home};XDG_CONFIG_HOME=${home}/config")
endfunction()
