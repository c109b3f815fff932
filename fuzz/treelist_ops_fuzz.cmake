tankdemo_add_fuzzer(treelist_ops_fuzz
  SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/treelist_ops_fuzz.cpp
  LIBS tankdemo_treelist tankdemo_test_support)
