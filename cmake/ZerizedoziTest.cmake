# SPDX-License-Identifier: GPL-3.0-or-later
# zerizedozi_add_test(<name> SOURCES <file>... [LIBRARIES <lib>...] [GUI] [TIMEOUT <seconds>])
#
# Builds one GoogleTest program with the test helpers (tests/support) and
# registers each of its tests with CTest. A GUI program runs under a
# QApplication on the offscreen platform.
include(GoogleTest)

function(zerizedozi_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI" "TIMEOUT" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  set(properties)
  if(arg_GUI)
    target_link_libraries(${name} PRIVATE test_support_gui ${arg_LIBRARIES})
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  else()
    target_link_libraries(${name} PRIVATE test_support GTest::gtest_main ${arg_LIBRARIES})
  endif()
  if(arg_TIMEOUT)
    list(APPEND properties TIMEOUT ${arg_TIMEOUT})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES ${properties})
endfunction()
