# The two commands of the README, and a few helpers.
BUILD     ?= build
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build deps deps-test bench clean

run: deps build
	@scripts/run-program.sh $(BUILD)/kadro

test: deps-test
	cmake -S . -B $(BUILD) $(CMAKE_ARGS) -DKADRO_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

build:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target kadro

bench: deps-test
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DKADRO_TESTS=ON
	cmake --build $(BUILD)-release -j $(JOBS) --target frame_bench
	$(BUILD)-release/bench/frame_bench

deps:
	@scripts/install-deps.sh

deps-test:
	@scripts/install-deps.sh --test

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-asan
