# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
FUZZ_DIR ?= build/fuzz
BUILD_TYPE ?= RelWithDebInfo
SAMPLES := $(CURDIR)/samples/Aircraft

.PHONY: all deps configure build run test bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

# The window opens on the current directory until an aircraft directory is stored.
run: build
	@cd $(SAMPLES) && $(CURDIR)/$(BUILD_DIR)/bin/hangardeck

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure

bench: build
	@bench/run.sh

# The core under libFuzzer, ASan and UBSan, built apart with clang: each harness replays its
# regression inputs, then fuzzes for FUZZ_SECONDS (default 180) seconds.
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DHANGARDECK_BUILD_FUZZERS=ON -DHANGARDECK_BUILD_GUI=OFF \
		-DHANGARDECK_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) --target hangardeck_fuzzers
	@BUILD_DIR=$(FUZZ_DIR) fuzz/run.sh

clean:
	rm -rf $(BUILD_DIR)
