tessella_add_test(tst_uxcfg SOURCES tst_uxcfg.cpp LIBS nubux)
