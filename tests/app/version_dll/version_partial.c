/* A library that only carries a version resource lacking its version fields. */
__declspec(dllexport) int version_partial_marker(void) { return 1; }
