# Loading the embedded dictionary against starting the console front end on empty input.
add_executable(bench_dictionary DictionaryBench.cpp)
target_link_libraries(bench_dictionary PRIVATE lexipulse_engine benchmark::benchmark)
target_compile_definitions(bench_dictionary PRIVATE
  LEXIPULSE_CLI_PATH="$<TARGET_FILE:lexipulse-cli>")
add_dependencies(bench_dictionary lexipulse-cli)
