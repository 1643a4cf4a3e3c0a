# The two commands of the README: `make run` and `make test`; `make package` for the .deb.
BUILD_DIR ?= build
PACKAGE_BUILD_DIR := $(BUILD_DIR)/package-release
BUILD_TYPE ?= RelWithDebInfo
SAMPLES := $(CURDIR)/samples/Aircraft

.PHONY: all deps configure build run test bench package clean

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

# A Release build installed under /usr, packed by CPack into $(BUILD_DIR)/hangardeck_<version>_<arch>.deb.
package:
	@scripts/install-deps.sh package
	@cmake -S . -B $(PACKAGE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DHANGARDECK_BUILD_TESTS=OFF -DHANGARDECK_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(PACKAGE_BUILD_DIR)
	@cd $(PACKAGE_BUILD_DIR) && cpack -B $(CURDIR)/$(BUILD_DIR)
	@ls $(BUILD_DIR)/hangardeck_*.deb

clean:
	rm -rf $(BUILD_DIR)
