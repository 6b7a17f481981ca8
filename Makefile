# The two commands of the quick start: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test test-sanitizers bench check-windows clean translations

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Refreshes src/i18n/*.ts from the texts in src/ (the build only compiles them).
translations: configure
	cmake --build $(BUILD_DIR) --target update_translations

run: build
	$(BUILD_DIR)/bin/tallyfern

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@failed=""; for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; \
		QT_QPA_PLATFORM=offscreen $$b || failed="$$failed $$(basename $$b)"; done; \
	if [ -n "$$failed" ]; then echo "benchmarks missing a target:$$failed"; exit 1; fi; echo "every benchmark met its targets"

# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build folder of their own; any finding fails its test, leaks at exit included.
# GCC's bounds warning misfires on Qt's own headers under the sanitizer, which
# checks every access at run time instead.
SANITIZER_BUILD_DIR ?= build-asan
# -O1 and line tables only (-g1): what the sanitizers need for their checks
# and stack traces, at a fraction of the compile time and disk of -O3 with
# full debug information in every test program.
SANITIZER_FLAGS = -O1 -g1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -Wno-array-bounds

test-sanitizers: deps
	cmake -S . -B $(SANITIZER_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
		"-DCMAKE_CXX_FLAGS=$(SANITIZER_FLAGS)" -DTALLYFERN_BUILD_BENCH=OFF
	cmake --build $(SANITIZER_BUILD_DIR) -j $(JOBS)
	cd $(SANITIZER_BUILD_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 600

# Syntax-only compile of the Windows-only sources with the MinGW-w64 cross compiler.
check-windows: deps
	./scripts/check-windows.sh

# The fuzz targets under fuzz/, built apart with clang and the sanitizers.
# `make fuzz` fuzzes each for FUZZ_SECONDS; `make fuzz-replay` only runs the
# seed corpus and saved crash inputs through them (what CI does).
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: fuzz fuzz-build fuzz-replay

fuzz-build: deps
	cmake -S fuzz -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)

fuzz: fuzz-build
	./fuzz/run.sh fuzz $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

fuzz-replay: fuzz-build
	./fuzz/run.sh replay $(FUZZ_BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
