# vc_add_test(NAME n SOURCES a.cpp... [LIBS l...] [LABELS quick|e2e|xvfb|matrix...] [TIMEOUT s] [XVFB])
# Every test runs with its own temporary HOME and XDG_CONFIG_HOME (see tests/support/TestMain.h)
# and records shell actions instead of performing them.
function(vc_add_test)
  cmake_parse_arguments(T "XVFB" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE vc_test_support Qt6::Test ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE
    VC_PROGRAM_DIR="${VC_PROGRAM_DIR}"
    VC_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VC_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(T_XVFB)
    add_test(NAME ${T_NAME}
      COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${T_NAME}>)
    set(platform "")
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(platform "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT T_LABELS)
    set(T_LABELS quick)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${platform};VC_TEST=1;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
