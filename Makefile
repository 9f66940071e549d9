# Drives the CMake build. `make` builds, `make test` builds and runs every
# test, `make demo` builds and runs the program on the bundled example.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build configure deps test test-sanitize fuzz bench demo clean

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

# The whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer,
# stopping at the first report.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

# The flags travel in CXXFLAGS and LDFLAGS, so that projects the tests
# configure themselves (the reader's install test) link the sanitizers too.
test-sanitize: deps
	CXXFLAGS="$(SANITIZE_FLAGS)" LDFLAGS="$(SANITIZE_FLAGS)" \
		cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && CXXFLAGS="$(SANITIZE_FLAGS)" LDFLAGS="$(SANITIZE_FLAGS)" \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer harnesses (clang), each run for FUZZ_SECONDS.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DGLYPHKILN_FUZZ=ON -DGLYPHKILN_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

# glyphkiln against the FreeType floor on generated workloads, and the
# placement microbenchmarks; BENCH_RUNS timed runs of each (default 7).
bench: deps
	$(MAKE) build
	bench/run-bench $(BUILD_DIR)

demo: deps
	$(MAKE) build
	cd example && ../$(BUILD_DIR)/glyphkiln fonts.txt 2
	@echo
	$(BUILD_DIR)/tools/glyphkiln-inspect example/fonts.ovx --png example/fontsAtlas.png
	$(BUILD_DIR)/tools/glyphkiln-inspect example/fonts.ovx --render "Glyphkiln atlas" \
		--set "DejaVu SerifBook32" --png example/fontsSample.png >/dev/null
	@echo
	@echo "demo: wrote example/fontsAtlas.ovx (atlas image) and example/fonts.ovx (glyph descriptor)"
	@echo "demo: wrote example/fontsAtlas.png (the atlas as a picture) and example/fontsSample.png"
	@echo "      (\"Glyphkiln atlas\" laid out from the atlas alone)"

clean:
	rm -rf $(BUILD_DIR)
