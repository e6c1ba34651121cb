#!/usr/bin/env bash
# Configures and builds one or more trees under build/.
#   build.sh [--bench-deps] [--only TARGET,...] [native|i686|x86_64|fuzz|bench]...   (default: i686)
#     --bench-deps  also the libraries only benchmarks use (scripts/deps.sh)
#     --only        build just these CMake targets
#     native  GCC, AddressSanitizer + UBSan, portable code and its tests
#     i686    the program and every Windows test (the shipping target)
#     x86_64  the same for 64-bit Windows
#     fuzz    clang with libFuzzer, portable code
#     bench   GCC -O2, portable code benchmarks
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
bash "$repo/scripts/install-packages.sh"

deps_extra=() only=()
while [ $# -gt 0 ]; do
  case $1 in
    --bench-deps) deps_extra=(bench); shift ;;
    --only) IFS=, read -r -a only <<<"$2"; only=(--target "${only[@]}"); shift 2 ;;
    *) break ;;
  esac
done

build_tree() {
  local kind=$1 deps_target args=()
  case $kind in
    native) deps_target=native; args=(-DCMAKE_BUILD_TYPE=Debug -DTAVRELIN_SANITIZE=ON) ;;
    fuzz)   deps_target=fuzz; args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELIN_FUZZ=ON
                                      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    bench)  deps_target=native; args=(-DCMAKE_BUILD_TYPE=Release -DTAVRELIN_BENCH=ON) ;;
    i686|x86_64) deps_target=$kind
            args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo
                  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$kind-w64-mingw32.cmake") ;;
    *) echo "unknown build kind: $kind" >&2; exit 2 ;;
  esac
  local prefixes; prefixes=$(bash "$repo/scripts/deps.sh" "$deps_target" "${deps_extra[@]}")
  local dir=$repo/build/$kind
  # A tree configured without the benchmark libraries learns their place.
  if [ ! -f "$dir/build.ninja" ] || [ ${#deps_extra[@]} -gt 0 ]; then
    cmake -S "$repo" -B "$dir" -G Ninja -DCMAKE_PREFIX_PATH="$prefixes" "${args[@]}" >"$repo/build/configure-$kind.log" 2>&1 ||
      { cat "$repo/build/configure-$kind.log" >&2; exit 1; }
  fi
  cmake --build "$dir" "${only[@]}" -- -k 0 >"$repo/build/build-$kind.log" 2>&1 ||
    { grep -E -B2 -A12 'error|FAILED' "$repo/build/build-$kind.log" | head -150 >&2; echo "build $kind failed; log: build/build-$kind.log" >&2; exit 1; }
  echo "built $kind in build/$kind" >&2
}

mkdir -p "$repo/build"
kinds=("$@"); [ ${#kinds[@]} -gt 0 ] || kinds=(i686)
for kind in "${kinds[@]}"; do build_tree "$kind"; done
