tankdemo_add_fuzzer(node_stream_fuzz
  SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/node_stream_fuzz.cpp
  LIBS tankdemo_treelist)
