# The two set-up commands of the README, and a few more for developers.
#   make run    install what is missing, build, start the game
#   make test   install what is missing, build, run the whole suite headless
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench package install sanitize fuzz format clean

all: build

# Each target installs only the Debian packages it needs (tools/install-deps
# says which); nothing is ever removed.
deps:
	@tools/install-deps run

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run-game $(BUILD)/kelvo

# Configured again, so that a build first made by `make run` (without
# GoogleTest) picks up the suite.
test:
	@tools/install-deps test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

bench:
	@tools/install-deps bench
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/kelvo_bench

# A Debian package of the game in $(BUILD)/, checked with lintian.
package: build
	@tools/install-deps package
	cd $(BUILD) && cpack -G DEB
	tools/check-package $(BUILD)

# Installs into PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails.  A leak inside a platform library could be suppressed in
# tools/lsan.supp, narrowly and with its reason; none is today.
sanitize:
	@tools/install-deps sanitize
	cmake -S . -B build-asan -DKELVO_SANITIZE=ON -DKELVO_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -E InstallLayout

# The libFuzzer targets (clang), each run for FUZZ_SECONDS on its seed corpus.
FUZZ_SECONDS ?= 60
fuzz:
	@tools/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKELVO_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target wave_reader_fuzz game_view_fuzz
	tools/run-fuzzers build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf --one-file-system $(BUILD)

format:
	@tools/install-deps format
	clang-format -i $$(git ls-files '*.cpp' '*.h')
