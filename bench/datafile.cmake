# bench_datafile: files of any size. Jump to a random time and draw in runs
# of 10 MB, 100 MB and 1 GB; qlxm export of the 1 GB run against a plain
# std::to_chars loop writing the same numbers; qlxm info on a file of 10 000
# runs against a plain walk over its chunk headers. The files are made in
# /tmp by the benchmark and removed afterwards.
find_package(benchmark REQUIRED)

add_executable(bench_datafile ${CMAKE_CURRENT_LIST_DIR}/bench_datafile.cpp)
target_link_libraries(bench_datafile PRIVATE quellix_stripchart benchmark::benchmark)
