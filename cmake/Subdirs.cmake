# kyt_add_area(dir...): adds each folder of the program, in the order given.
# Every folder named must hold its CMakeLists.txt: a missing one stops the
# configuration.
function(kyt_add_area)
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "${dir} has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
    set_property(GLOBAL APPEND PROPERTY KYT_AREAS ${dir})
  endforeach()
endfunction()

# kyt_check_areas_added(parent...): every folder with a CMakeLists.txt under
# each parent must have been added, so that a new folder of tests or tools
# is never left out of the build unnoticed. A core-only build adds only
# part of them and skips the check.
function(kyt_check_areas_added)
  get_property(areas GLOBAL PROPERTY KYT_AREAS)
  foreach(parent IN LISTS ARGN)
    file(GLOB lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/${parent}/*/CMakeLists.txt)
    foreach(list IN LISTS lists)
      get_filename_component(dir ${list} DIRECTORY)
      if(NOT dir IN_LIST areas)
        message(FATAL_ERROR "${dir} is not added to the build")
      endif()
    endforeach()
  endforeach()
endfunction()
