target_sources(zarvik_win PRIVATE
  text/binary_view.cpp
)
