# cxp_test(NAME SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest executable registered with CTest. Tests run with the
# offscreen platform so that widget tests need no display.
function(cxp_test nombre)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${nombre} ${T_SOURCES})
  target_link_libraries(${nombre} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${nombre} COMMAND ${nombre})
  set_tests_properties(${nombre} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 900)
  if(T_LABELS)
    set_tests_properties(${nombre} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
