target_sources(zarvik_win PRIVATE
  image/image_control.cpp
)
