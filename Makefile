# The two commands of the README, and a few helpers.
BUILD     ?= build
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test test-sanitized busy-suite build deps deps-test bench events fuzz soak package screenshot install clean

# Without a display the program itself says so in one line and exits with status 1.
run: deps build
	@$(BUILD)/kadro

test: deps-test
	cmake -S . -B $(BUILD) $(CMAKE_ARGS) -DKADRO_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitized

# Each build folder has one set of options: the tests, the sanitizer build, the benchmarks,
# the package and the install.
SANITIZED := $(BUILD)-asan
configure-sanitized = cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DKADRO_TESTS=ON -DKADRO_SANITIZE=ON

# The unit and widget tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitized: deps-test
	$(configure-sanitized)
	cmake --build $(SANITIZED) -j $(JOBS)
	cd $(SANITIZED) && KADRO_STREAM_EVENTS=$(SANITIZED_EVENTS) ctest --output-on-failure -j $(JOBS) -LE 'e2e|fuzz'

# The whole of `make test` RUNS times with two busy loops beside it.
RUNS ?= 3
busy-suite:
	tools/busy_suite.sh $(RUNS)

SANITIZED_EVENTS ?= 200000
EVENTS ?= 1000000
SEED ?= 20261208
# A long random event stream through the main window in the sanitizer build.
events: deps-test
	$(configure-sanitized)
	cmake --build $(SANITIZED) -j $(JOBS) --target ui_tests
	KADRO_STREAM_EVENTS=$(EVENTS) KADRO_STREAM_SEED=$(SEED) $(SANITIZED)/tests/ui_tests --gtest_filter='EventStream*'

SECONDS_TO_RUN ?= 600
fuzz: deps-test
	scripts/fuzz.sh jpeg $(SECONDS_TO_RUN) $(BUILD)/fuzz
	scripts/fuzz.sh design $(SECONDS_TO_RUN) $(BUILD)/fuzz

soak: deps-test build
	tools/soak.py $(BUILD)/kadro $(SECONDS_TO_RUN)

build:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target kadro

bench: deps-test
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DKADRO_TESTS=ON
	cmake --build $(BUILD)-bench -j $(JOBS) --target frame_bench edit_bench handler_bench
	$(BUILD)-bench/bench/frame_bench $(BENCH_ARGS)
	$(BUILD)-bench/bench/edit_bench
	$(BUILD)-bench/bench/handler_bench

deps:
	@scripts/install-deps.sh

deps-test:
	@scripts/install-deps.sh --test

# A Debian package in build-release/, with the launcher entry, icons and AppStream data.
package: deps
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS) --target kadro
	cd $(BUILD)-release && cpack -G DEB

PREFIX ?= /usr/local
install: deps
	cmake -S . -B $(BUILD)-install -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD)-install -j $(JOBS) --target kadro
	cmake --install $(BUILD)-install

# The README's pictures, taken under Xvfb.
screenshot: deps-test build
	tools/screenshot.py $(BUILD)/kadro docs

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-asan $(BUILD)-bench $(BUILD)-install
