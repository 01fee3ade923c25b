#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages, and
# cross-builds libpng for mingw-w64 from Debian's own source package.
# Idempotent: a second run only checks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="${KELVANE_DEPS_DIR:-$here/build/deps}"

need=()
need_full=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
for p in cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev libpng-dev zlib1g-dev pkg-config \
         g++-mingw-w64-x86-64-posix libz-mingw-w64-dev xvfb xauth imagemagick dpkg-dev fp-utils nsis zip; do
  have "$p" || need+=("$p")
done
# Wine with its recommended packages: its fonts and the X libraries it loads
# at run time are only recommended.
for p in wine wine64 fonts-wine; do
  have "$p" || need_full+=("$p")
done
if [ ${#need[@]} -gt 0 ] || [ ${#need_full[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]} ${need_full[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#need[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  [ ${#need_full[@]} -eq 0 ] || apt-get install -y -qq "${need_full[@]}" >/dev/null
fi

# libpng for mingw-w64: Debian ships none, so build Debian's source package (with its patches).
prefix="$deps/mingw-libpng"
if [ ! -f "$prefix/lib/libpng16.a" ] && [ ! -f "$prefix/lib/libpng.a" ]; then
  mkdir -p "$deps/src"
  src=$(ls -d "$deps"/src/libpng1.6-*/ 2>/dev/null | head -n1 || true)
  if [ -z "$src" ]; then
    list=/etc/apt/sources.list.d/kelvane-deb-src.sources
    if [ ! -f "$list" ]; then
      # Source entries for the main bookworm suite only: the security suite's
      # pool lacks the source files.
      uri=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list /etc/apt/sources.list 2>/dev/null \
            | grep -E '^(URIs:|deb) ' | grep -v -e security -e nodesource | grep debian \
            | sed -E 's/^deb (\[[^]]*\] )?//; s/^URIs: //' | awk '{print $1}' | head -n1 || true)
      printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "${uri:-http://deb.debian.org/debian}" > "$list"
      apt-get update -qq
    fi
    (cd "$deps/src" && apt-get source --download-only -qq libpng1.6 >/dev/null \
       && dpkg-source -x --no-check libpng1.6_*.dsc >/dev/null)
    src=$(ls -d "$deps"/src/libpng1.6-*/ | head -n1)
  fi
  echo "setup: cross-building libpng from $src"
  cmake -S "$src" -B "$deps/build-libpng" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON >/dev/null
  cmake --build "$deps/build-libpng" --target install >/dev/null
fi
echo "setup: ready (mingw libpng in $prefix)"
