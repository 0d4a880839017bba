# The main window: the widgets and the window as a library the tests drive, plus the program.
set(CMAKE_AUTOMOC ON)
add_library(lexipulse_window STATIC
  uLexipulse.cpp
  uLexipulse.h
  ResultWriter.cpp
  ResultWriter.h
  TextBox.cpp
  TextBox.h
  WindowMenus.cpp
  FileMenu.cpp
  EditMenu.cpp
  StressingMenu.cpp
  ViewMenu.cpp
  FormattedResult.cpp
  FormattedResult.h
  HighlightFormat.cpp
  HighlightFormat.h
  RecentFiles.cpp
  RecentFiles.h
  Settings.h
  TextFiles.cpp
  TextFiles.h
  Expander.cpp
  Expander.h
  CalloutPanel.cpp
  CalloutPanel.h)
# The console's explanations and its replacing file writer are shared with the window.
target_link_libraries(lexipulse_window PUBLIC lexipulse_pipeline lexipulse_cli_core Qt6::Widgets
                      Qt6::PrintSupport)

add_executable(lexipulse main.cpp)
target_link_libraries(lexipulse PRIVATE lexipulse_window)
