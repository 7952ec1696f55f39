# bench_histograph: a full repaint of 8 series x 1024 points on an
# 800 x 600 histograph and UpdatePlot of one series of 1024 points, each
# against bare QPainter::drawPolyline calls of the same points on the same
# surface, in the same run.
find_package(benchmark REQUIRED)

add_executable(bench_histograph ${CMAKE_CURRENT_LIST_DIR}/bench_histograph.cpp)
target_link_libraries(bench_histograph PRIVATE quellix_histograph benchmark::benchmark)
