target_sources(zarvik_win PRIVATE
  desktop/app_window.cpp
  desktop/delete_tree.cpp
  desktop/file_operation.cpp
  desktop/single_instance.cpp
)
