# kyt_add_area(dir): add dir if it has a CMakeLists.txt.
function(kyt_add_area dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# kyt_add_subareas(): add every immediate subfolder of the current source
# folder that has a CMakeLists.txt, in name order.
macro(kyt_add_subareas)
  file(GLOB _kyt_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _kyt_children)
  foreach(_kyt_child IN LISTS _kyt_children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_kyt_child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_kyt_child}/CMakeLists.txt)
      add_subdirectory(${_kyt_child})
    endif()
  endforeach()
endmacro()
