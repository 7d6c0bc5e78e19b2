# `lumora ravel`, registered by one include in CMakeLists.txt.
if(TARGET lumora_ravel)
  target_sources(lumora_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RavelCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RavelCommand.h ${CMAKE_CURRENT_LIST_DIR}/RavelScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RavelScript.h)
  target_link_libraries(lumora_cli PUBLIC lumora_ravel)
  # The component loads its windows by name.
  if(TARGET lumora_ravelpages)
    add_dependencies(lumora lumora_ravelpages)
  endif()
endif()
