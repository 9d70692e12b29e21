target_sources(zarvik_win PRIVATE
  watcher/search_window.cpp
)
