# make run: install what is missing, build optimised, start the studio.
# make test: install what is missing, build with sanitizers, run every test.
BUILD_RELEASE ?= build/release
BUILD_TEST ?= build/test
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

CMAKE_COMMON = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: run test deps build build-test install bench clean

deps:
	@scripts/install-deps.sh

$(BUILD_RELEASE)/build.ninja:
	cmake -S . -B $(BUILD_RELEASE) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DKQ_BUILD_TESTS=OFF

$(BUILD_TEST)/build.ninja:
	cmake -S . -B $(BUILD_TEST) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DKQ_SANITIZE=ON -DKQ_WERROR=ON -DKQ_BUILD_BENCH=OFF

build: deps $(BUILD_RELEASE)/build.ninja
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

build-test: deps $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)

run: build
	$(BUILD_RELEASE)/bin/KQ27

test: build-test
	cd $(BUILD_TEST) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_RELEASE)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

install: build
	cmake --install $(BUILD_RELEASE) --prefix $(PREFIX)

clean:
	rm -rf build
