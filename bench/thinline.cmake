# bench_thinline: the canvas's one-pixel polyline against QPainter's
# drawPolyline of the same points on the same 800 x 600 surface; axis
# labels through the canvas (glyphs kept) against QPainter::drawText.
find_package(benchmark REQUIRED)

add_executable(bench_thinline ${CMAKE_CURRENT_LIST_DIR}/bench_thinline.cpp)
target_link_libraries(bench_thinline PRIVATE quellix_host benchmark::benchmark)
