# `lumora ravel`, registered by one include in CMakeLists.txt.
if(TARGET lumora_ravel)
  target_sources(lumora_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RavelCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RavelCommand.h ${CMAKE_CURRENT_LIST_DIR}/RavelScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RavelScript.h)
  target_link_libraries(lumora_cli PUBLIC lumora_ravel)
endif()
