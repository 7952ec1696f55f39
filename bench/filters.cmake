# bench_filters: throughput of the filters on 1 000 000 samples against
# liquid-dsp (IIR, FIR) and plain direct-form loops (RC, state-variable),
# in the same run.
find_package(benchmark REQUIRED)
find_path(LIQUID_INCLUDE_DIR liquid/liquid.h REQUIRED)
find_library(LIQUID_LIBRARY liquid REQUIRED)

add_executable(bench_filters ${CMAKE_CURRENT_LIST_DIR}/bench_filters.cpp)
target_include_directories(bench_filters PRIVATE ${LIQUID_INCLUDE_DIR})
target_link_libraries(bench_filters PRIVATE quellix_filters benchmark::benchmark ${LIQUID_LIBRARY})
