# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures, builds and runs. The build
# configurations themselves are CMakePresets.json's: default (build/),
# sanitize, bench and fuzz.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# The programs `make run` builds; the tests are left to `make test`.
RUN_TARGETS ?= vorel vorel-calc

.PHONY: all deps deps-test configure build build-run run test test-sanitize bench bench-build \
	fuzz format format-check package clean

all: build

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

configure: deps
	cmake --preset default

# Everything: the programs and every test.
build: configure
	cmake --build --preset default -j $(JOBS)

build-run: configure
	cmake --build --preset default -j $(JOBS) --target $(RUN_TARGETS)

run: build-run
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "make run: no display found (DISPLAY and WAYLAND_DISPLAY are empty)."; \
		echo "Vorel is a desktop program: run it inside a graphical session, or start it"; \
		echo "on a virtual display (nothing visible; Ctrl+C ends it):"; \
		echo "  scripts/install-deps --xvfb && xvfb-run build/vorel"; \
		exit 1; \
	fi
	build/vorel

test: deps-test build
	ctest --preset default -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer over the whole suite.
test-sanitize: deps-test
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench-build: deps
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)

bench: bench-build
	QT_QPA_PLATFORM=offscreen build-bench/bench/vorel_bench build-bench/vorel-calc build-bench/bench/vorel_bare
	QT_QPA_PLATFORM=offscreen build-bench/bench/planner_bench

# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer on the
# project-file reader and on the photo reader, FUZZ_SECONDS each. New inputs go to build-fuzz/corpus;
# a crash leaves its input as build-fuzz/crash-*. The photo reader's seeds are
# the test photos and the files of fuzz/photo-seeds (fuzz/make-photo-seeds.py).
FUZZ_SECONDS ?= 300
fuzz:
	@scripts/install-deps --fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	cd build-fuzz && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./fuzz/vorel_fuzz_projectfile -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		corpus ../fuzz/corpus
	mkdir -p build-fuzz/photo-corpus
	cd build-fuzz && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=../tests/lsan.supp \
		./fuzz/vorel_fuzz_photo -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-max_len=262144 -rss_limit_mb=2048 photo-corpus ../fuzz/photo-seeds ../tests/photos

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check:
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

# The Debian package: build/vorel_<version>_<arch>.deb, for /usr, with its
# dependencies read from the programs. Install it with
#   sudo apt install ./build/vorel_*.deb
package: deps-test
	cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build --preset default -j $(JOBS)
	cd build && cpack

clean:
	rm -rf build build-sanitize build-bench build-fuzz
