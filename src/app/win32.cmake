target_sources(zarvik_win PRIVATE
  app/controls/container.cpp
  app/controls/page_control.cpp
  app/controls/scroll_box.cpp
  app/main_window.cpp
  app/main_window_actions.cpp
  app/main_window_startup.cpp
  app/main_window_text.cpp
  app/main_window_tray.cpp
  app/main_window_view.cpp
  app/main_window_watcher.cpp
  app/outside_programs.cpp
)
