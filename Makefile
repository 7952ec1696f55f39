# Convenience targets around CMake; see README.md.
BUILD ?= build
BENCH_BUILD ?= build-bench

.PHONY: all test demo gallery bench clean

all:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)

test: all
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# Without a display (a server, a container) the windows cannot open: the
# gallery renders them to PNG files instead, so the command still shows them.
demo: all
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] || [ -n "$$QT_QPA_PLATFORM" ]; then \
	  ./$(BUILD)/app/quellix-demo; \
	else \
	  echo "No display found: rendering every window to gallery/ instead (open the PNG files)."; \
	  QT_QPA_PLATFORM=offscreen ./$(BUILD)/tools/quellix-gallery gallery > /dev/null 2>&1 && ls gallery | wc -l | xargs echo "PNG files written:"; \
	fi

gallery: all
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/tools/quellix-gallery gallery

bench:
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLIX_TESTS=OFF -DQUELLIX_BENCH=ON
	cmake --build $(BENCH_BUILD)
	cd $(BENCH_BUILD)/bench && for b in ./bench_*; do [ -x "$$b" ] && "$$b" --benchmark_min_time=0.2 --benchmark_color=false 2>/dev/null | grep '^FIGURE' ; done; true

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
