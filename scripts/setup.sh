#!/usr/bin/env bash
# setup.sh run [ARGS]  install what is missing, build, start the chat with ARGS
# setup.sh test        install what is missing, build with sanitizers, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)

case "$mode" in
  run)
    scripts/install-deps.sh
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKIT_TESTS=OFF -DZELKIT_BENCH=OFF
    cmake --build build -j "$jobs"
    exec build/app/zelkit-chat "$@"
    ;;
  test)
    scripts/install-deps.sh
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELKIT_SANITIZE=ON
    cmake --build build-test -j "$jobs"
    ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 600
    ;;
  *)
    sed -n '2,3p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
