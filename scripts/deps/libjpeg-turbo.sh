#!/usr/bin/env bash
# Builds the static libjpeg (libjpeg-turbo, interface 62) that the Windows
# builds link, from Debian's own source package, for both mingw targets.
# Usage: libjpeg-turbo.sh <build root>
# Installs <build root>/deps/<triple>/{include,lib}. A target whose library is
# already there is not built again.
set -euo pipefail

build_root=${1:?usage: libjpeg-turbo.sh <build root>}
mkdir -p "$build_root"
build_root=$(cd "$build_root" && pwd)
deps=$build_root/deps
triples=(x86_64-w64-mingw32 i686-w64-mingw32)

installed() { [ -f "$deps/$1/lib/libjpeg.a" ] && [ -f "$deps/$1/include/jconfig.h" ]; }

todo=()
for t in "${triples[@]}"; do installed "$t" || todo+=("$t"); done
[ ${#todo[@]} -eq 0 ] && exit 0

log() { echo "libjpeg-turbo: $*"; }
need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "libjpeg-turbo: $1 needs root" >&2
    exit 1
  fi
}

# A list that fails to refresh (a mirror in the middle of a sync) leaves the
# others refreshed; what is still missing then fails the step that needs it.
apt_refresh() {
  apt-get update -qq || echo "libjpeg-turbo: some package lists could not be refreshed; going on with the others" >&2
}

# Installs Debian packages, refreshing the package lists first when a fresh
# machine has none yet.
apt_install() {
  need_root "installing $*"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>&1 ||
    { apt_refresh && apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
}

# apt-get source unpacks with dpkg-source; the SIMD code needs nasm.
command -v dpkg-source >/dev/null || apt_install dpkg-dev
command -v nasm >/dev/null || apt_install nasm

# apt-get source needs a deb-src entry. When the machine has none, add one
# beside each binary entry (same archive, suites, components and key).
has_deb_src() {
  grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
    grep -qsE '^Types:.*\bdeb-src\b' /etc/apt/sources.list.d/*.sources
}
if ! has_deb_src; then
  need_root "adding a deb-src entry"
  added=0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$f" || continue
    out=/etc/apt/sources.list.d/$(basename "$f" .sources)-src.sources
    sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$f" >"$out"
    added=1
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    grep -qE '^[[:space:]]*deb[[:space:]]' "$f" || continue
    out=/etc/apt/sources.list.d/$(basename "$f" .list)-src.list
    sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$out"
    added=1
  done
  [ $added -eq 1 ] || { echo "libjpeg-turbo: no Debian archive entry to derive a deb-src entry from" >&2; exit 1; }
  log "added a deb-src entry; updating the package lists"
  apt_refresh
fi

src_root=$deps/src
src=$( (find "$src_root" -maxdepth 1 -type d -name 'libjpeg-turbo-*' 2>/dev/null || true) | sort | tail -n1)
if [ -z "$src" ] || [ ! -f "$src/CMakeLists.txt" ]; then
  rm -rf "$src_root"
  mkdir -p "$src_root"
  log "fetching Debian's source package"
  # Lists that predate the deb-src entry know no source packages: refresh once.
  (cd "$src_root" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) ||
    { need_root "refreshing the package lists" && apt_refresh &&
      (cd "$src_root" && apt-get source -qq libjpeg-turbo >/dev/null); }
  src=$(find "$src_root" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -n1)
fi
[ -n "$src" ] && [ -f "$src/CMakeLists.txt" ] || { echo "libjpeg-turbo: no source tree" >&2; exit 1; }

jobs=$(nproc)
for t in "${todo[@]}"; do
  case $t in
    x86_64-*) cpu=x86_64 ;;
    i686-*) cpu=i686 ;;
  esac
  work=$deps/build-$t
  rm -rf "$work"
  log "building the static library for $t"
  # -fexceptions gives the C code unwind tables, so the C++ exception that
  # the program's error handler raises can pass through libjpeg's frames.
  cmake -S "$src" -B "$work" -G Ninja -Wno-dev \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$cpu \
    -DCMAKE_C_COMPILER=$t-gcc-posix -DCMAKE_RC_COMPILER=$t-windres \
    -DCMAKE_ASM_NASM_COMPILER=nasm \
    -DCMAKE_C_FLAGS="-fexceptions" \
    -DCMAKE_FIND_ROOT_PATH=/usr/$t \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
    -DCMAKE_INSTALL_PREFIX="$deps/$t" >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
  # Only the library itself: no tools, no tests.
  cmake --build "$work" --target jpeg-static --parallel "$jobs" >>"$work.log" 2>&1 || { tail -50 "$work.log"; exit 1; }
  dest=$deps/$t
  rm -rf "$dest"
  mkdir -p "$dest/include" "$dest/lib"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$work/jconfig.h" "$dest/include/"
  cp "$work/libjpeg.a" "$dest/lib/libjpeg.a"
  rm -rf "$work" "$work.log"
  log "installed into $dest"
done
