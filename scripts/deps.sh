#!/usr/bin/env bash
# Builds the third-party libraries once per source version and toolchain into a
# cache outside the work tree, and prints the install prefix to use.
#   scripts/deps.sh TARGET [bench]     TARGET: native | fuzz | i686 | x86_64
# "fuzz" builds the libraries with clang and the fuzzers' instrumentation, so
# that a fuzz run sees their coverage and AddressSanitizer checks them too.
# "bench" adds what only the benchmarks use (libjpeg-turbo for Windows: a cold
# build takes about 35 s of processor time per target).
set -euo pipefail
target=${1:?target: native, fuzz, i686 or x86_64}
with_bench=${2:-}
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${TAVRELIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrelin-deps}
log_dir=$cache/logs
mkdir -p "$cache" "$log_dir"

case $target in
  native) toolchain_args=(); toolchain_id=native-$(gcc -dumpfullversion) ;;
  fuzz)
    fuzz_flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g"
    toolchain_args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
                    "-DCMAKE_C_FLAGS=$fuzz_flags" "-DCMAKE_CXX_FLAGS=$fuzz_flags")
    toolchain_id=fuzz-clang-$(clang -dumpversion) ;;
  i686|x86_64)
    toolchain_args=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$target-w64-mingw32.cmake")
    # The toolchain file's flags (the stack protector) are part of the build.
    toolchain_id=$target-mingw-$($target-w64-mingw32-g++-posix -dumpversion)-ssp ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

package_version() { dpkg-query -W -f='${Version}' "$1"; }

# Runs a recipe unless its stamp (source version + toolchain) is present.
build_once() {
  local name=$1 version=$2 recipe=$3
  local prefix=$cache/$toolchain_id/$name-$version
  if [ ! -f "$prefix/.built" ]; then
    local work; work=$(mktemp -d)
    echo "building $name $version for $target (log: $log_dir/$name-$target.log)" >&2
    if ! ( cd "$work" && "$recipe" "$prefix" ) >"$log_dir/$name-$target.log" 2>&1; then
      echo "failed to build $name; see $log_dir/$name-$target.log" >&2
      tail -20 "$log_dir/$name-$target.log" >&2
      rm -rf "$work"; exit 1
    fi
    rm -rf "$work"
    touch "$prefix/.built"
  fi
  echo "$prefix"
}

cmake_install() {
  local source=$1 prefix=$2; shift 2
  cmake -S "$source" -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    "${toolchain_args[@]}" "$@"
  cmake --build build
  cmake --install build
}

recipe_googletest() { cmake_install /usr/src/googletest "$1" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF; }

# Debian's source packages; the security pool has no sources, so ask for bookworm.
fetch_source() {
  local package=$1
  apt-get source --download-only "$package/bookworm" >/dev/null
  dpkg-source --no-check -x ./*.dsc src >/dev/null
}

zlib_args() {
  [ "$target" = native ] || [ "$target" = fuzz ] && return 0
  echo "-DZLIB_USE_STATIC_LIBS=ON"
}

recipe_libpng() {
  fetch_source libpng1.6
  cmake_install src "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF $(zlib_args)
}

recipe_mpg123() {
  fetch_source mpg123
  cmake_install src/ports/cmake "$1" -DBUILD_SHARED_LIBS=OFF -DBUILD_LIBOUT123=OFF \
    -DBUILD_PROGRAMS=OFF
}

# Only for the benchmark that compares our JPEG encoder with it: never linked
# into the program. Its SIMD code needs nasm.
recipe_libjpeg_turbo() {
  fetch_source libjpeg-turbo
  cmake_install src "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
}

ensure_source_lines() {
  command -v apt-get >/dev/null || return 0
  apt-cache showsrc libpng1.6 2>/dev/null | grep -q '^Package:' && return 0
  bash "$here/scripts/install-packages.sh" >&2
}

# The version "apt-get source PKG/bookworm" fetches.
bookworm_version() {
  apt-cache madison "$1" | awk -F'|' '$3 ~ /debian bookworm\/main Sources/ {gsub(/ /, "", $2); print $2; exit}'
}

prefixes=()
prefixes+=("$(build_once googletest "$(package_version googletest)" recipe_googletest)")
if [ "$target" != native ]; then
  ensure_source_lines
  prefixes+=("$(build_once libpng "$(bookworm_version libpng1.6)" recipe_libpng)")
  prefixes+=("$(build_once mpg123 "$(bookworm_version mpg123)" recipe_mpg123)")
  if [ "$with_bench" = bench ]; then
    turbo_version=$(bookworm_version libjpeg-turbo)
    prefixes+=("$(build_once libjpeg-turbo "${turbo_version#*:}" recipe_libjpeg_turbo)")
  fi
fi
(IFS=';'; echo "${prefixes[*]}")
