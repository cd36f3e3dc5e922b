# Thin wrapper over CMake: every target installs what is missing first.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@if [ -x $(BUILD_DIR)/ui/glyphbox ]; then $(BUILD_DIR)/ui/glyphbox; \
	else $(BUILD_DIR)/cli/glyphbox-cli --help; fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

bench: build
	$(BUILD_DIR)/bench/glyphbox-bench

package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
