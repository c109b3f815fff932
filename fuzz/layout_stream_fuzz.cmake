tankdemo_add_fuzzer(layout_stream_fuzz
  SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/layout_stream_fuzz.cpp
  LIBS tankdemo_treelist tankdemo_test_support)
