# bench_audioin: building one block from a 16-bit stereo buffer of 8192
# values, against a plain de-interleaving loop and against real time; and
# the CPU share of a live 8-channel 44.1 kHz feed into a visible strip
# chart at blocks of 512 and 1024 samples.
find_package(benchmark REQUIRED)

add_executable(bench_audioin ${CMAKE_CURRENT_LIST_DIR}/bench_audioin.cpp)
target_link_libraries(bench_audioin PRIVATE quellix_audioin quellix_stripchart benchmark::benchmark)
