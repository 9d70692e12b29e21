target_sources(zarvik_win PRIVATE archive/member_size.cpp archive/work_folder.cpp)
