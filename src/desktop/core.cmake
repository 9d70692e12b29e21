target_sources(zarvik_core PRIVATE desktop/file_op_flags.cpp)
