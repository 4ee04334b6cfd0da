// Only here so that the library has a source of its own.
int rtl_test_embedded_anchor = 0;
