# The console front end end to end, as a process, on 1 MB and on 100 MB of text.
add_executable(bench_cli CliBench.cpp BenchText.cpp)
target_link_libraries(bench_cli PRIVATE lexipulse_pipeline benchmark::benchmark)
target_compile_definitions(bench_cli PRIVATE LEXIPULSE_CLI_PATH="$<TARGET_FILE:lexipulse-cli>")
add_dependencies(bench_cli lexipulse-cli)
