target_sources(zarvik_core PRIVATE
  archive/archiver_errors.cpp
  archive/archiver_options.cpp
  archive/archiver_type.cpp
  archive/builtin_archive.cpp
  archive/dll_entries.cpp
  archive/extra_streams.cpp
  archive/member_record.cpp
)
target_sources(zarvik_core PRIVATE
  archive/drivers/archiver.cpp
  archive/drivers/bga32.cpp
  archive/drivers/cab32.cpp
  archive/drivers/cmd_opt.cpp
  archive/drivers/content_checks.cpp
  archive/drivers/file_list.cpp
  archive/drivers/lha32.cpp
  archive/drivers/rar32.cpp
  archive/drivers/self_extractor.cpp
  archive/drivers/seven_zip32.cpp
  archive/drivers/tar32.cpp
  archive/drivers/yz1.cpp
  archive/drivers/zip32.cpp
)
