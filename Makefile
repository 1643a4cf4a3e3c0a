# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
SAMPLES := $(CURDIR)/samples/Aircraft

.PHONY: all deps configure build run test bench clean

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

clean:
	rm -rf $(BUILD_DIR)
