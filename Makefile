# Thin wrapper over CMake: every target installs what is missing first.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
FUZZ_DIR  ?= build-fuzz
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5
# Tests run side by side, one per core: each writes only files of its own.
TEST_JOBS ?= $(shell nproc)
# The sanitizer build of the suite is for finding faults, not for speed:
# -O1, as the sanitizers' authors advise, and line tables only (enough for
# every stack trace) compile in half the time of -O2 -g.
SANITIZER_FLAGS := -O1 -g1 -DNDEBUG
FUZZERS := fuzz_conversions fuzz_cli_line fuzz_cli_stream fuzz_pattern fuzz_columns \
           fuzz_worksheet

SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1 \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps configure build run test test-asan fuzz-build fuzz fuzz-smoke test-valgrind \
        bench package package-check clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@$(BUILD_DIR)/ui/glyphbox

# Everything headless: the suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short run of every fuzzer, and the packages
# through lintian.
test: build test-asan fuzz-smoke package-check
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 \
	  --parallel $(TEST_JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$(SANITIZER_FLAGS)" \
	  -DGLYPHBOX_SANITIZE=address,undefined -DGLYPHBOX_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure \
	  --timeout 600 --parallel $(TEST_JOBS)

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGLYPHBOX_BUILD_UI=OFF -DGLYPHBOX_BUILD_TESTS=OFF -DGLYPHBOX_BUILD_BENCH=OFF \
	  -DGLYPHBOX_BUILD_PYTHON=OFF -DGLYPHBOX_BUILD_FUZZ=ON -DGLYPHBOX_SANITIZE=address,undefined >/dev/null
	@cmake --build $(FUZZ_DIR)

fuzz-smoke: fuzz-build
	@$(MAKE) --no-print-directory run-fuzzers SECONDS=$(FUZZ_SMOKE_SECONDS)

fuzz: fuzz-build
	@$(MAKE) --no-print-directory run-fuzzers SECONDS=$(FUZZ_SECONDS)

# Each fuzzer starts from the committed seed corpus; what it finds on the way
# goes to a scratch folder, so the repository is never changed by a run.
.PHONY: run-fuzzers
run-fuzzers:
	@set -e; for f in $(FUZZERS); do \
	  corpus=fuzz/corpus/$${f#fuzz_}; scratch=$$(mktemp -d); \
	  echo "fuzzing $$f for $(SECONDS) s"; \
	  $(SANITIZER_ENV) $(FUZZ_DIR)/fuzz/$$f -max_total_time=$(SECONDS) -timeout=10 \
	    -print_final_stats=1 -artifact_prefix=$$scratch/ $$scratch $$corpus 2>$$scratch/log \
	    || { tail -n 40 $$scratch/log; echo "$$f: FAILED, see $$scratch"; exit 1; }; \
	  grep -E 'stat::number_of_executed_units' $$scratch/log | sed "s/^/  $$f /"; \
	  rm -rf $$scratch; \
	done

# The converter's tests, and the converter processes they start, under memcheck.
test-valgrind: build
	valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
	  --trace-children=yes -q \
	  $(BUILD_DIR)/tests/cli_test

bench: build
	$(BUILD_DIR)/bench/glyphbox-bench
	if [ -x $(BUILD_DIR)/bench/glyphbox-python-bench ]; then \
	  $(BUILD_DIR)/bench/glyphbox-python-bench; fi
	if [ -x $(BUILD_DIR)/bench/glyphbox-workbench-bench ]; then \
	  QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/glyphbox-workbench-bench; fi

# glyphbox_<version>_<arch>.deb (the programs) and libglyphbox-dev (the libraries).
package: build
	cd $(BUILD_DIR) && rm -f *.deb && cpack -G DEB

# The packages as Debian's own checker sees them: any error or warning fails.
package-check: package
	lintian --fail-on error,warning $(BUILD_DIR)/*.deb

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
