target_sources(zarvik_core_tests PRIVATE
  watcher/watch_rules_test.cpp
)
