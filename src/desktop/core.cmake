target_sources(zarvik_core PRIVATE desktop/file_op_flags.cpp desktop/tray_rules.cpp)
