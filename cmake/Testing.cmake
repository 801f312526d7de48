find_package(GTest REQUIRED)
include(GoogleTest)

# kyt_add_gtest(name SOURCES ... LIBS ... [GUI])
# A GUI test runs on Qt's offscreen platform so that it needs no display.
function(kyt_add_gtest name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(_env "")
  if(T_GUI)
    set(_env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${_env}" TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()
