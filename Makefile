# make run: install what is missing, build optimised, start the studio.
# make test: install what is missing, build with sanitizers, run every test.
BUILD_RELEASE ?= build/release
BUILD_TEST ?= build/test
BUILD_TSAN ?= build/tsan
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

CMAKE_COMMON = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: run test deps build build-test install bench clean package

deps:
	@scripts/install-deps.sh

$(BUILD_RELEASE)/build.ninja:
	cmake -S . -B $(BUILD_RELEASE) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DKQ_BUILD_TESTS=OFF

# The test build precompiles the Qt headers and compiles files a few at a
# time (KQ_FAST_BUILD); the release, package and ThreadSanitizer builds
# compile each file alone, which catches a missing #include.
$(BUILD_TEST)/build.ninja:
	cmake -S . -B $(BUILD_TEST) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DKQ_SANITIZE=ON -DKQ_WERROR=ON -DKQ_BUILD_BENCH=OFF -DKQ_FAST_BUILD=ON

$(BUILD_TSAN)/build.ninja:
	cmake -S . -B $(BUILD_TSAN) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DKQ_TSAN=ON -DKQ_WERROR=ON -DKQ_BUILD_BENCH=OFF -DKQ_BUILD_FUZZ=OFF

build: deps $(BUILD_RELEASE)/build.ninja
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

build-test: deps $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)

run: build
	$(BUILD_RELEASE)/bin/KQ27

test: build-test
	cd $(BUILD_TEST) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# make test-tsan: the device library (the one with threads) and its tests,
# over the virtual clock and over the fake hidapi, under ThreadSanitizer, in
# a build folder of their own: it cannot share one with AddressSanitizer.
.PHONY: test-tsan
test-tsan: deps $(BUILD_TSAN)/build.ninja
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target device_tests device_path_tests
	cd $(BUILD_TSAN) && ctest --output-on-failure -R '^device_(path_)?tests$$'

bench: build
	@scripts/install-deps.sh bench
	@for b in $(BUILD_RELEASE)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

install: build
	cmake --install $(BUILD_RELEASE) --prefix $(PREFIX)

# make package: the Debian package in build/package/ (see scripts/build-package.sh).
package:
	@scripts/install-deps.sh
	@scripts/install-deps.sh package
	JOBS=$(JOBS) scripts/build-package.sh

clean:
	rm -rf build

# make fuzz: search for new failures with libFuzzer (clang++ only), each fuzz
# target for FUZZ_SECONDS, in build/fuzz; make test runs them over their corpus.
FUZZ_SECONDS ?= 180
.PHONY: fuzz
fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh
