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
  libxlsxwriter-dev zlib1g-dev libz-mingw-w64-dev dpkg-dev python3-openpyxl
  emscripten nodejs chromium chromium-driver python3-selenium
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

# The Windows build compiles libxlsxwriter from Debian's source package of
# the installed version (scripts/debian-source.sh; zlib too for the Arm check), which needs deb-src
# entries for the suites the system installs from.
if ! apt-cache showsrc libxlsxwriter 2>/dev/null | grep -q '^Package:'; then
  echo "install-deps.sh: adding deb-src entries for Debian's source packages" >&2
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $SUDO tee /etc/apt/sources.list.d/toridasu-deb-src.sources >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $SUDO tee /etc/apt/sources.list.d/toridasu-deb-src.list >/dev/null
  fi
  $SUDO apt-get update -qq
fi

# Wine needs the generated Japanese locale to hand Shift-JIS names to the program.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "install-deps.sh: generating the Japanese locale ja_JP.UTF-8" >&2
  $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
