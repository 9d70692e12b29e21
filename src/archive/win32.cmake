target_sources(zarvik_win PRIVATE archive/work_folder.cpp)
