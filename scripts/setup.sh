#!/usr/bin/env bash
# setup.sh run [ARGS]  install what is missing, build, start the chat with ARGS
# setup.sh test        install what is missing, build with sanitizers, run every test
# setup.sh package     install what is missing, build the Debian package into build-package/
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
  package)
    # dpkg-shlibdeps finds the package's dependencies; appstreamcli checks its description.
    scripts/install-deps.sh dpkg-dev file appstream
    appstreamcli validate --no-net packaging/*.metainfo.xml
    cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELKIT_TESTS=OFF \
      -DZELKIT_BENCH=OFF
    cmake --build build-package -j "$jobs"
    (cd build-package && cpack -G DEB)
    ls build-package/zelkit-chat_*.deb
    ;;
  *)
    sed -n '2,4p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
