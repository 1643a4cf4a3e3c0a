# The two commands of the README: `make run` and `make test`. Also: `make test-asan` (the suite
# under AddressSanitizer and UBSan), `make fuzz` (the fuzzers), `make package` (the .deb),
# `make style` (the layout check) and `make format` (rewrites the files into it). For Windows:
# `make windows` (a cross build), `make test-windows` (its tests under Wine) and `make windows-zip`.
BUILD_DIR ?= build
PACKAGE_BUILD_DIR := $(BUILD_DIR)/package-release
# Where the asan preset builds (CMakePresets.json).
ASAN_DIR := build/asan
FUZZ_DIR ?= build/fuzz
BUILD_TYPE ?= RelWithDebInfo
SAMPLES := $(CURDIR)/samples/Aircraft

WINDOWS_DIR := build/windows
# Where scripts/windows-toolchain.sh puts Qt built for Windows.
HANGARDECK_WINDOWS_QT ?= /var/cache/hangardeck/qt-6.4.2-mingw

.PHONY: all deps configure build run test test-asan bench package style format asan-generated fuzz clean \
	windows-toolchain windows test-windows windows-zip

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

# The asan preset: its own build; any sanitizer report fails its test.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# Braces are checked as the asan build and the fuzz build (when made) compile the files.
style: asan-generated
	@scripts/install-deps.sh style
	@scripts/check-style.sh $(ASAN_DIR) $(FUZZ_DIR)

format: asan-generated
	@scripts/install-deps.sh style
	@scripts/check-style.sh --fix $(ASAN_DIR) $(FUZZ_DIR)

# What clang-tidy needs of a build: its compile commands and Qt's generated sources.
asan-generated: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan --target $$(ninja -C $(ASAN_DIR) -t targets all | sed -n 's/^\([A-Za-z0-9_-]*_autogen\):.*/\1/p' | sort -u)

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

# The core under libFuzzer, ASan and UBSan, built apart with clang: each harness replays its
# regression inputs, then fuzzes for FUZZ_SECONDS (default 180) seconds.
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DHANGARDECK_BUILD_FUZZERS=ON -DHANGARDECK_BUILD_GUI=OFF \
		-DHANGARDECK_BUILD_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target hangardeck_fuzzers
	@BUILD_DIR=$(FUZZ_DIR) fuzz/run.sh

# Qt for Windows is built once (about 40 minutes) and kept outside the repository.
windows-toolchain:
	@HANGARDECK_WINDOWS_QT=$(HANGARDECK_WINDOWS_QT) scripts/windows-toolchain.sh

windows: windows-toolchain
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=$(HANGARDECK_WINDOWS_QT) \
		-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake \
		-DHANGARDECK_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS_DIR)

# Every test program under Wine, offscreen: no display is needed. What is skipped there is
# listed with its reason.
test-windows: windows
	@status=0; ctest --test-dir $(WINDOWS_DIR) --output-on-failure || status=$$?; \
	echo "Skipped on Windows, and why:"; \
	grep -ahE '^skipped on Windows|^SKIP ' $(WINDOWS_DIR)/Testing/Temporary/LastTest.log | sort -u; \
	exit $$status

windows-zip: windows
	@cmake --build $(WINDOWS_DIR) --target windows_zip

clean:
	rm -rf $(BUILD_DIR)
