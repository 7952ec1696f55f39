# bench_stripchart: logging throughput of the strip chart (AddValues of 8
# series x 1024 samples into a data file in /tmp) against a plain fwrite of
# the same bytes, in the same run.
find_package(benchmark REQUIRED)

add_executable(bench_stripchart ${CMAKE_CURRENT_LIST_DIR}/bench_stripchart.cpp)
target_link_libraries(bench_stripchart PRIVATE quellix_stripchart benchmark::benchmark)
