#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Idempotent: a second run only checks what is there.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "sudo "; fi; }
SUDO=$(need_root)

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev
  libcli11-dev
  g++-mingw-w64-i686-posix mingw-w64-tools
  g++-aarch64-linux-gnu qemu-user
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth fonts-ipafont-gothic fonts-ipafont-mincho locales
  python3 imagemagick
  python3-ezdxf gdal-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Quiet when everything is there; otherwise it names what it installs.
if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps.sh: installing ${missing[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine needs the generated Japanese locale to hand Shift-JIS names to the program.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "install-deps.sh: generating the Japanese locale ja_JP.UTF-8" >&2
  $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
