# The shell's helper windows and sounds: tip of the day, about box, tooltips, help page,
# recordings and their player. A library so the main window and the tests share it.
add_library(lumora_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/WaveData.cpp ${CMAKE_CURRENT_LIST_DIR}/WaveData.h
  ${CMAKE_CURRENT_LIST_DIR}/SoundOutput.h
  ${CMAKE_CURRENT_LIST_DIR}/AudioSinkOutput.cpp ${CMAKE_CURRENT_LIST_DIR}/AudioSinkOutput.h
  ${CMAKE_CURRENT_LIST_DIR}/SoundPlayer.cpp ${CMAKE_CURRENT_LIST_DIR}/SoundPlayer.h
  ${CMAKE_CURRENT_LIST_DIR}/TipList.cpp ${CMAKE_CURRENT_LIST_DIR}/TipList.h
  ${CMAKE_CURRENT_LIST_DIR}/frmTip.cpp ${CMAKE_CURRENT_LIST_DIR}/frmTip.h
  ${CMAKE_CURRENT_LIST_DIR}/SystemInfo.cpp ${CMAKE_CURRENT_LIST_DIR}/SystemInfo.h
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp ${CMAKE_CURRENT_LIST_DIR}/frmAbout.h
  ${CMAKE_CURRENT_LIST_DIR}/ToolTips.cpp ${CMAKE_CURRENT_LIST_DIR}/ToolTips.h
  ${CMAKE_CURRENT_LIST_DIR}/HelpPage.cpp ${CMAKE_CURRENT_LIST_DIR}/HelpPage.h
  ${PROJECT_SOURCE_DIR}/resources/recordings.qrc)
target_include_directories(lumora_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lumora_shell PUBLIC lumora_project lumora_dialogs Qt6::Widgets Qt6::Multimedia)

# The help page lives beside the program: in the build tree and where it is installed.
file(COPY ${PROJECT_SOURCE_DIR}/resources/help DESTINATION ${CMAKE_BINARY_DIR}/share/lumora)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help DESTINATION share/lumora)
