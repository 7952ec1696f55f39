# Convenience targets around CMake; see README.md.
# The checked runs source scripts/sanitize-env.sh, a bash script.
SHELL := /bin/bash
BUILD ?= build
BENCH_BUILD ?= build-bench
# The checked build: clang with AddressSanitizer, UndefinedBehaviorSanitizer
# and the fuzz targets, at -O1 without full debug information (line tables
# only, for readable reports).
SAN_BUILD ?= build-san
FUZZ_SECONDS ?= 600
FUZZ_TARGET ?=
SOAK_SECONDS ?= 3600

.PHONY: all test demo gallery bench docs clean sanitize fuzz fuzz-replay soak

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

$(SAN_BUILD)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Checked \
	  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DQUELLIX_SANITIZE=ON -DQUELLIX_FUZZ=ON

# The whole suite under the sanitizers; any finding fails.
sanitize: $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) --target quellix_tests
	. scripts/sanitize-env.sh && cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# Every corpus input and past finding once.
fuzz-replay: $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) --target fuzz_datafile fuzz_remarkfile fuzz_streaming fuzz_richtext fuzz_numberformat fuzz_fircoeffs
	scripts/fuzz.sh $(SAN_BUILD) replay

# Fuzzes each target (or FUZZ_TARGET alone) for FUZZ_SECONDS.
fuzz: fuzz-replay
	scripts/fuzz.sh $(SAN_BUILD) run $(FUZZ_SECONDS) $(FUZZ_TARGET)

# The demo with every animated window open under a virtual display for
# SOAK_SECONDS; prints the growth of its resident memory as a FIGURE line.
soak: all
	scripts/soak.sh $(BUILD) $(SOAK_SECONDS)

# The API reference (Doxygen); any Doxygen warning fails the target.
docs:
	mkdir -p $(BUILD)/docs
	QUELLIX_DOCS_DIR=$(BUILD)/docs \
	QUELLIX_VERSION=$$(sed -n 's/^project(Quellix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt) \
	  doxygen docs/Doxyfile
	@echo "Reference: $(BUILD)/docs/html/index.html"

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SAN_BUILD)
