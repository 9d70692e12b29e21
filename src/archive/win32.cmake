target_sources(zarvik_win PRIVATE archive/archive_file.cpp archive/archiver_classes.cpp archive/archiver_dll.cpp archive/member_size.cpp archive/win_lead_bytes.cpp archive/work_folder.cpp)
