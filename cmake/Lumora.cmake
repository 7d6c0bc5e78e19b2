# lumora_add_test(NAME SOURCES... LIBS lib... [LABELS l...] [GUI])
# One QtTest program per call, run by CTest offscreen with a fixed locale. Every test program
# links lumora_testenv, which gives it temporary XDG folders of its own at start, so no test
# sees or touches the user's settings, also when started by hand.
function(lumora_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  if(T_GUI AND NOT LUMORA_GUI)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test lumora_testenv lumora_testsupport ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;QTWEBENGINE_DISABLE_SANDBOX=1;LUMORA_SOURCE_DIR=${PROJECT_SOURCE_DIR};LUMORA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;${T_ENV}"
    LABELS "${T_LABELS}"
    TIMEOUT 300)
endfunction()
