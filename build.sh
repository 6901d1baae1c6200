#!/usr/bin/env bash
# Installs what is missing (Debian packages), builds Ravolin, and then either
# starts the program from the build folder ("run"), runs every test ("test": the
# suite, then the sanitizer build of the suite and the fuzzers), or runs the
# suite alone ("quick").
# Safe to run again: installed packages and an existing build are reused.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config qt6-base-dev libgtest-dev
          fonts-dejavu-core fonts-liberation poppler-utils desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build=${RAVOLIN_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)"

case "${1:-run}" in
  run)
    exec "$build/ravolin" ;;
  test)
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -LE long)
    # Then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
    # and every fuzzer for a short fixed time.
    exec tools/hardening.sh ;;
  quick)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -LE long ;;
  *)
    echo "usage: $0 [run|test|quick]" >&2; exit 2 ;;
esac
