target_sources(zarvik_core_tests PRIVATE
  archive/archiver_options_test.cpp
  archive/archiver_type_test.cpp
  archive/builtin_archive_test.cpp
  archive/command_lines_test.cpp
  archive/dll_entries_test.cpp
  archive/member_record_test.cpp
)
