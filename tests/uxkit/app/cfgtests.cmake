tessella_add_test(tst_uxcfg SOURCES tst_uxcfg.cpp LIBS nubux)
tessella_add_test(tst_uxcfgkinds SOURCES tst_uxcfgkinds.cpp LIBS nubux)
tessella_add_test(tst_uxcfgbackup SOURCES tst_uxcfgbackup.cpp LIBS nubux)
