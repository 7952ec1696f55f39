# bench_stripchart_draw: the strip chart's drawing. A visible 8-series chart
# fed 10 samples per series and call, and the measure sink fed blocks of
# 512 samples on an 800 x 600 chart, each with the event loop running once
# per frame: CPU time per sample and as the share of one core that 8
# channels at 44 100 samples per second need; and a full repaint of 8
# series x 512 samples on an 800 x 600 chart against bare
# QPainter::drawPolyline calls of the same points on the same surface.
find_package(benchmark REQUIRED)

add_executable(bench_stripchart_draw ${CMAKE_CURRENT_LIST_DIR}/bench_stripchart_draw.cpp)
target_link_libraries(bench_stripchart_draw PRIVATE quellix_stripchart benchmark::benchmark)
