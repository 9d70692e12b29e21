target_sources(zarvik_win PRIVATE
  desktop/app_window.cpp
  desktop/delete_tree.cpp
  desktop/file_operation.cpp
  desktop/hook_hot_key.cpp
  desktop/popup_menu.cpp
  desktop/single_instance.cpp
  desktop/task_tray.cpp
)
