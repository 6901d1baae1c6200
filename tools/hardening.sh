#!/usr/bin/env bash
# The hardening runs, after the normal test suite:
#   tools/hardening.sh          the whole test suite built with AddressSanitizer and
#                               UndefinedBehaviorSanitizer, then every fuzzer for a
#                               short fixed time over its corpus (the CI run)
#   tools/hardening.sh asan     only the sanitizer build of the test suite
#   tools/hardening.sh fuzz [S] only the fuzzers, S seconds each (default 20)
#   tools/hardening.sh campaign [S] [J]
#                               a long fuzzing campaign: every fuzzer for S seconds
#                               (default 600), J at a time (default 2), niced; the
#                               corpus grows in $FUZZ_WORK (default /tmp/ravolin-fuzz)
# Build folders: $ASAN_BUILD_DIR (build-asan), $FUZZ_BUILD_DIR (build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-ci}
asan_build=${ASAN_BUILD_DIR:-build-asan}
fuzz_build=${FUZZ_BUILD_DIR:-build-fuzz}
fuzz_work=${FUZZ_WORK:-/tmp/ravolin-fuzz}
fuzzers=(wheel_name abbreviated language game_files settings ticket_pages check viewer_number)

install_clang() {
  local packages=(clang-14 libclang-rt-14-dev llvm-14) missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

run_asan() {
  # The out-of-memory tests need allocations that fail instead of aborting.
  export ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  cmake -S . -B "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
  cmake --build "$asan_build" -j 2
  # The "long" tests and the package tests ("release") are left to the normal suite.
  (cd "$asan_build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 -LE "long|release")
}

build_fuzz() {
  install_clang
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$fuzz_build" -DRAVOLIN_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$fuzz_build" -j 2 --target "${fuzzers[@]/#/fuzz_}"
}

# Runs fuzzer $1 for $2 seconds over a copy of its corpus; fails on a finding.
run_fuzzer() {
  local name=$1 seconds=$2 work="$fuzz_work/$1"
  mkdir -p "$work/corpus" "$work/artifacts"
  nice -n 10 "$fuzz_build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=30 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "fuzz/corpus/$name" >"$work/log" 2>&1 || {
    echo "fuzz_$name: FAILED (log: $work/log)"; tail -40 "$work/log"; return 1; }
  echo "fuzz_$name: $(grep -E '^stat::number_of_executed_units' "$work/log" | awk '{print $2}') runs," \
    "$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/log" | tail -1)," \
    "corpus $(ls "$work/corpus" | wc -l) files"
}

run_fuzzers() {
  local seconds=$1 jobs=$2 failed=0 name
  local -a running=()
  for name in "${fuzzers[@]}"; do
    run_fuzzer "$name" "$seconds" &
    running+=($!)
    if [ ${#running[@]} -ge "$jobs" ]; then
      wait "${running[0]}" || failed=1
      running=("${running[@]:1}")
    fi
  done
  for pid in "${running[@]}"; do wait "$pid" || failed=1; done
  return $failed
}

case "$mode" in
  ci) run_asan; build_fuzz; run_fuzzers 20 2 ;;
  asan) run_asan ;;
  fuzz) build_fuzz; run_fuzzers "${2:-20}" 2 ;;
  campaign) build_fuzz; run_fuzzers "${2:-600}" "${3:-2}" ;;
  *) echo "usage: $0 [ci|asan|fuzz [seconds]|campaign [seconds] [jobs]]" >&2; exit 2 ;;
esac
