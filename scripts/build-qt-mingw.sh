#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (mingw-w64) from Debian's own qt6-base
# source package, of the same version as the machine's qt6-base-dev (whose host
# tools it uses), and installs it into a cache outside the checkout. Does
# nothing when that Qt is already there. Prints the install folder.
#   VORLIN_CACHE  cache folder (default ~/.cache/vorlin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
upstream=${version%%+*}; upstream=${upstream%%-*}
cache=${VORLIN_CACHE:-$HOME/.cache/vorlin}
prefix=$cache/qt-$upstream-mingw-static
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

work=$cache/qt-build-$upstream
mkdir -p "$work"
# One build at a time; a run that waited finds the Qt the other one made.
exec 9>"$cache/qt-$upstream.lock"
flock 9
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi
log=$work/build.log
echo "Building Qt $upstream for Windows into $prefix (once; about half an hour on 2 cores; log: $log)" >&2

# The source package, through a private source list made from the machine's own
# apt sources: the system's apt configuration stays as it is.
src=$work/src
if [ ! -f "$src/.unpacked" ]; then
  apt_dir=$work/apt
  rm -rf "$apt_dir" "$src"; mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/archives/partial" "$src"
  : > "$apt_dir/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/parts/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >> "$apt_dir/sources.list"
  fi
  apt_opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
            -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache::Archives="$apt_dir/archives"
            -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="" -o APT::Sandbox::User=root)
  apt-get "${apt_opts[@]}" update -qq >&2
  (cd "$src" && apt-get "${apt_opts[@]}" source -qq "qt6-base=$version" >&2)
  touch "$src/.unpacked"
fi
source_dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

build=$work/build
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_zstd=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_libb2=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF \
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_sql_sqlite=OFF \
  >"$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
cmake --build "$build" --parallel "$(nproc)" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
cmake --install "$build" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$build" "$src" "$work/apt" # some 4 GB no longer needed; the log stays
echo "$prefix"
