#!/usr/bin/env bash
# fuzz.sh TARGET [SECONDS]   build the libFuzzer targets with clang and fuzz TARGET
#                            (datagram_fuzz, language_fuzz, registry_fuzz) for SECONDS (60)
# New inputs go to fuzz/corpus/TARGET; crashes to fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B "fuzz-build/$target" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKIT_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZELKIT_TESTS=OFF -DZELKIT_BENCH=OFF
cmake --build "fuzz-build/$target" --target "$target" -j "$(nproc)"
mkdir -p "fuzz/corpus/$target" fuzz/artifacts
exe=$(find "fuzz-build/$target/fuzz" -type f -name "$target" -perm -u+x | head -n 1)
QT_QPA_PLATFORM=offscreen ZELKIT_CODEPAGE=cp1252 "$exe" -max_total_time="$seconds" \
  -artifact_prefix=fuzz/artifacts/ -print_final_stats=1 "fuzz/corpus/$target"
