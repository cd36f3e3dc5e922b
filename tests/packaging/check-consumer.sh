#!/usr/bin/env bash
# Usage: check-consumer.sh BUILD_DIR CONSUMER_SOURCE WORK_DIR CXX [FLAGS]
# Installs the build tree into a scratch prefix, then builds a small program
# against it twice, through find_package(Glyphbox) and through pkg-config, and
# runs both. FLAGS are what a sanitizer build needs on every program it links.
set -euo pipefail
build=$1
consumer=$2
work=$3
cxx=$4
flags=${5:-}
expected="12.19.6.15.1 10 Imix 9 Kankin"

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

# Nothing of this build's own flags or source tree may reach the installed package.
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_only="glyphbox_options|Glyphbox::options|-ffp-contract|$source_dir|$(cd "$build" && pwd)"
if find "$prefix" \( -name '*.cmake' -o -name '*.pc' \) -exec grep -lE "$build_only" {} + ; then
  echo "the installed CMake or pkg-config files above refer to the build" >&2
  exit 1
fi

# GCC links slim LTO objects through its plugin without complaint, so the
# consumer's build alone would not notice them; other linkers find no code.
for archive in $(find "$prefix" -name 'libglyphbox_*.a'); do
  if readelf -sW "$archive" | grep -q __gnu_lto_slim; then
    echo "$archive holds slim LTO objects without machine code" >&2
    exit 1
  fi
done

check_output() {
  local actual
  actual=$("$2")
  if [[ $actual != "$expected" ]]; then
    echo "$1: printed '$actual', expected '$expected'" >&2
    exit 1
  fi
  echo "$1: $actual"
}

# find_package, with the same compiler and no link-time optimisation.
cmake -S "$consumer" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$work/configure.log"
cmake --build "$work/build" >"$work/build.log"
if grep -qE -- '-Wpedantic|-ffp-contract' "$work/build/compile_commands.json"; then
  echo "Glyphbox's own compile options reached the consumer" >&2
  exit 1
fi
check_output find_package "$work/build/maya_date"

# pkg-config, by hand, the way a Makefile would use it.
pcdir=$(dirname "$(find "$prefix" -name glyphbox.pc | head -n 1)")
read -ra pcflags < <(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs glyphbox)
read -ra extra <<<"$flags"
"$cxx" -std=c++20 "${extra[@]}" "$consumer/main.cpp" "${pcflags[@]}" -o "$work/maya_date_pc"
check_output pkg-config "$work/maya_date_pc"
