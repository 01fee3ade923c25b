#!/usr/bin/env bash
# Builds Kelvane.exe (mingw-w64, Release) and the two files handed to users,
# in build/package/:
#   Kelvane-<version>-x64.zip        the program, its help file and texts and
#                                    the marker that makes an unzipped copy
#                                    keep its data beside itself
#   Kelvane-<version>-setup.exe      per-user installer (NSIS, packaging/)
# The version is the one of CMakeLists.txt's project(). Prints both paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/tools/setup.sh" >/dev/null

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc 2>/dev/null || echo 2)" --target Kelvane help_file >/dev/null
bin="$root/build/mingw/bin"
version=$(sed -n -E 's/^project\(Kelvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }

out="$root/build/package"
stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage"
# The shipped copy without its symbols: a smaller download, the same program.
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' build/mingw/CMakeCache.txt)
"${strip:-x86_64-w64-mingw32-strip}" -o "$stage/Kelvane.exe" "$bin/Kelvane.exe"
cp "$bin/Kelvane Help.chm" assets/CLUF_Kelvane.txt assets/LICENSE-fluent-icons.txt "$stage/"

zip_file="$out/Kelvane-$version-x64.zip"
rm -f "$zip_file"
: >"$stage/Kelvane.portable"
(cd "$stage" && zip -q -X "$zip_file" Kelvane.exe "Kelvane Help.chm" CLUF_Kelvane.txt LICENSE-fluent-icons.txt \
   Kelvane.portable)
rm "$stage/Kelvane.portable"

setup_file="$out/Kelvane-$version-setup.exe"
makensis -V2 -NOCD "-DVERSION=$version" "-DSTAGE=$stage" "-DICON=$root/assets/images/kelvane.ico" \
  "-DOUTFILE=$setup_file" packaging/kelvane.nsi >"$out/makensis.log" \
  || { cat "$out/makensis.log" >&2; exit 1; }
echo "$zip_file"
echo "$setup_file"
