# Hostile inputs through the console front end at growing sizes, to show each costs linear time.
add_executable(bench_hostile HostileBench.cpp)
target_link_libraries(bench_hostile PRIVATE lexipulse_cli_core benchmark::benchmark)
