# The JSON library is headers only: the WebAssembly build takes them from a
# copy of their folder alone, so that no other header of the build machine
# comes into the compilation.
set(nlohmann_json_VERSION 3.11.2)
if(NOT TARGET nlohmann_json::nlohmann_json)
  set(_kyt_json_root ${CMAKE_BINARY_DIR}/json-include)
  file(COPY /usr/include/nlohmann DESTINATION ${_kyt_json_root})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${_kyt_json_root})
endif()
