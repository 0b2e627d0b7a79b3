#!/usr/bin/env bash
# Fetches Debian's source package of libxlsxwriter, of the same version as the
# installed libxlsxwriter-dev, into DIR (once), unpacked with Debian's
# patches, and prints the folder of its source. The Windows build compiles it
# with the mingw-w64 toolchain; the native build links the system's library.
set -euo pipefail
dir=$1
version=$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)
upstream=${version#*:}
upstream=${upstream%-*}
source="$dir/libxlsxwriter-$upstream"
if [ ! -f "$source/CMakeLists.txt" ]; then
  mkdir -p "$dir"
  # apt-get downloads as root without its sandbox user here: that is expected.
  (cd "$dir" && apt-get source -qq -o APT::Sandbox::User=root "libxlsxwriter=$version" >&2)
fi
echo "$source"
