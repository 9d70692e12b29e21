target_sources(zarvik_core PRIVATE
  watcher/watch_rules.cpp
)
