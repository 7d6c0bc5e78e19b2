# lumora_add_test(NAME SOURCES... LIBS lib... [LABELS l...] [GUI])
# One QtTest program per call, run by CTest offscreen with its own config folder
# and a fixed locale, so tests never see the user's settings.
function(lumora_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  if(T_GUI AND NOT LUMORA_GUI)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test lumora_testsupport ${T_LIBS})
  set(cfg ${CMAKE_CURRENT_BINARY_DIR}/${name}.config)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${cfg};LC_ALL=C.UTF-8;LANG=C.UTF-8;QTWEBENGINE_DISABLE_SANDBOX=1;LUMORA_SOURCE_DIR=${PROJECT_SOURCE_DIR};LUMORA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;${T_ENV}"
    LABELS "${T_LABELS}"
    TIMEOUT 300)
endfunction()
