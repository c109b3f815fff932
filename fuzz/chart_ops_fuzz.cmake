tankdemo_add_fuzzer(chart_ops_fuzz
  SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/chart_ops_fuzz.cpp
  LIBS tankdemo_chart tankdemo_test_support)
