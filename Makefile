# Drives the CMake build. `make` builds, `make test` builds and runs every
# test, `make demo` builds and runs the program on the bundled example.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build configure deps test demo clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: deps
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: deps
	$(MAKE) build
	cd example && ../$(BUILD_DIR)/glyphkiln fonts.txt 2
	@echo
	@echo "demo: wrote example/fontsAtlas.ovx (atlas image) and example/fonts.ovx (glyph descriptor)"

clean:
	rm -rf $(BUILD_DIR)
