#!/usr/bin/env bash
# debian-source.sh SOURCE DEV-PACKAGE DIR: fetches Debian's source package
# SOURCE, of the version that the installed DEV-PACKAGE was built from (or,
# where a mirror lacks that one's source, another version it lists), into
# DIR (once), unpacked with Debian's patches, and prints the folder of its
# source. Cross builds compile libraries from it that the system has only
# for its own processor (libxlsxwriter; zlib for Arm).
set -euo pipefail
source=$1
package=$2
dir=$3
installed=$(dpkg-query -W -f='${source:Version}' "$package")
mkdir -p "$dir"
for version in "$installed" $(apt-cache showsrc "$source" | sed -n 's/^Version: //p'); do
  upstream=${version#*:}
  upstream=${upstream%-*}
  folder="$dir/$source-$upstream"
  if [ -f "$folder/CMakeLists.txt" ]; then
    echo "$folder"
    exit 0
  fi
  # apt-get downloads as root without its sandbox user here: that is expected.
  if (cd "$dir" && apt-get source -qq -o APT::Sandbox::User=root "$source=$version" >&2); then
    echo "$folder"
    exit 0
  fi
done
exit 1
