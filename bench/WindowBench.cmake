# The window's Stress Text against the console pipeline on the same long text, in one run.
add_executable(bench_window WindowBench.cpp BenchText.cpp)
target_link_libraries(bench_window PRIVATE lexipulse_window benchmark::benchmark)
