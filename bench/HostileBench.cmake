# Hostile inputs through the console front end at growing sizes, to show each costs linear time.
add_executable(bench_hostile HostileBench.cpp BenchText.cpp)
target_link_libraries(bench_hostile PRIVATE lexipulse_cli_core lexipulse_test_support
                      benchmark::benchmark)
