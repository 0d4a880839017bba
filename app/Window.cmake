# The main window: the widgets and the window as a library the tests drive, plus the program.
set(CMAKE_AUTOMOC ON)
add_library(lexipulse_window STATIC
  uLexipulse.cpp
  uLexipulse.h
  ResultWriter.cpp
  ResultWriter.h
  TextBox.cpp
  TextBox.h
  Expander.cpp
  Expander.h
  CalloutPanel.cpp
  CalloutPanel.h)
target_link_libraries(lexipulse_window PUBLIC lexipulse_pipeline Qt6::Widgets)

add_executable(lexipulse main.cpp)
target_link_libraries(lexipulse PRIVATE lexipulse_window)
