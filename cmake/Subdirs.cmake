# kyt_add_area(dir...): adds each folder of the program, in the order given.
# Every folder named must hold its CMakeLists.txt: a missing one stops the
# configuration.
function(kyt_add_area)
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "${dir} has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()
