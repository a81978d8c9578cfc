#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (AddressSanitizer and UBSan on)
# and runs each for the given number of seconds (default 600), growing its
# corpus in fuzz/corpus/<target>. New findings are written to build-fuzz/.
# Usage: scripts/fuzz.sh [seconds] [target ...]
#   targets: ini (the INI parser in memory), ini_file (the same through a
#   real file, its lock and its rename), settings, kept (the game in
#   progress the browser keeps), hex, bmp, cur; a
#   target's corpus is fuzz/corpus/<its name up to any "_">.
# CI runs every target for 20 seconds (see .ci/run) besides replaying the
# corpus in the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ini ini_file settings kept hex bmp cur)
scripts/deps.sh fuzz
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVEX_FUZZ=ON -DQUORVEX_TESTS=OFF -DQUORVEX_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
for t in "${targets[@]}"; do cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$t"; done
failed=()
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/new-$t" "build-fuzz/findings-$t"
  corpus="fuzz/corpus/${t%%_*}"
  echo "== fuzz_$t for ${seconds}s"
  # New inputs go to a scratch folder; the committed corpus stays small
  # (merge interesting ones with -merge=1 by hand). Only the summary lines
  # are shown; the fuzzer's own exit status decides (a crash, a leak, a
  # timeout or a broken property all end it non-zero), not the filter's.
  set +e
  build-fuzz/fuzz/fuzz_$t -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
    -artifact_prefix="build-fuzz/findings-$t/" "build-fuzz/new-$t" "$corpus" 2>&1 |
    grep -E "^(#[0-9]+.*(DONE|INITED))|stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY|property broken|Test unit written"
  status=${PIPESTATUS[0]}
  set -e
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$t FAILED (exit $status): the input is in build-fuzz/findings-$t/"
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in ${failed[*]}"
  exit 1
fi
echo "fuzz: no findings"
