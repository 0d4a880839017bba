# The notation styles against the classic style, through the console front end in process.
add_executable(bench_styles StyleBench.cpp BenchText.cpp)
target_link_libraries(bench_styles PRIVATE lexipulse_cli_core benchmark::benchmark)
