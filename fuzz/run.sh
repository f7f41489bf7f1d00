#!/bin/sh
# make fuzz: builds the fuzz targets with libFuzzer, ASan and UBSan (clang) in
# build/fuzz and runs each for FUZZ_SECONDS (default 180), one at a time.
# Inputs it finds go to build/fuzz/corpus/<target>/, failing ones to
# build/fuzz/failures/<target>/: a failing input is fixed and then committed
# to fuzz/corpus/<target>/, where make test runs it from then on.
set -eu
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null 2>&1; then
    echo "make fuzz: clang++ is not installed; make test still runs every target over its corpus"
    exit 0
fi

build=${BUILD_FUZZ:-build/fuzz}
seconds=${FUZZ_SECONDS:-180}
# One target per corpus folder.
targets=${FUZZ_TARGETS:-$(ls fuzz/corpus)}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DKQ_SANITIZE=ON -DKQ_LIBFUZZER=ON \
        -DKQ_BUILD_TESTS=OFF -DKQ_BUILD_BENCH=OFF
fi
for target in $targets; do
    cmake --build "$build" --target "fuzz_$target"
done

failed=""
for target in $targets; do
    mkdir -p "$build/corpus/$target" "$build/failures/$target"
    echo "== fuzz_$target for $seconds s"
    "$build/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/failures/$target/" "$build/corpus/$target" "fuzz/corpus/$target" \
        || failed="$failed $target"
done
if [ -n "$failed" ]; then
    echo "make fuzz: failures in:$failed (inputs under $build/failures/)"
    exit 1
fi
echo "make fuzz: no failure in $seconds s per target"
