# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures, builds and runs.

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The programs `make run` builds; the tests are left to `make test`.
RUN_TARGETS ?= vorel vorel-calc

.PHONY: all deps deps-test configure build build-run run test test-sanitize bench fuzz format clean

all: build

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

# Everything: the programs and every test.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

build-run: configure
	cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS)

run: build-run
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "make run: no display found (DISPLAY and WAYLAND_DISPLAY are empty)."; \
		echo "Vorel is a desktop program: run it inside a graphical session, or start it"; \
		echo "on a virtual display (nothing visible; Ctrl+C ends it):"; \
		echo "  scripts/install-deps --xvfb && xvfb-run $(BUILD)/vorel"; \
		exit 1; \
	fi
	$(BUILD)/vorel

test: deps-test build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer over the whole suite.
test-sanitize: deps-test
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVOREL_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVOREL_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target vorel_bench
	QT_QPA_PLATFORM=offscreen build-bench/bench/vorel_bench

# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer on the
# project-file reader, for FUZZ_SECONDS. New inputs go to build-fuzz/corpus;
# a crash leaves its input as build-fuzz/crash-*.
FUZZ_SECONDS ?= 300
fuzz:
	@scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target vorel_fuzz_projectfile
	mkdir -p build-fuzz/corpus
	cd build-fuzz && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./fuzz/vorel_fuzz_projectfile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		corpus ../fuzz/corpus

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-sanitize build-bench build-fuzz

# The Debian package: $(BUILD)/vorel_<version>_<arch>.deb, for /usr, with
# its dependencies read from the programs. Install it with
#   sudo apt install ./$(BUILD)/vorel_*.deb
.PHONY: package
package: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack
