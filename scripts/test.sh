#!/usr/bin/env bash
# Installs what is missing, checks the formatting of every C++ file, builds
# both programs with warnings as errors and runs every test: the native build
# (core, converter, unit tests), the same with the plain byte-scanning
# kernels (unit and corpus tests), the libraries for 64-bit Arm, the page
# (WebAssembly, in headless Chromium), the 32-bit
# Windows build under Wine with a Japanese locale, the unit tests again under
# sanitizers, and a short fuzz run.
#
# Each stage is named on stderr as it starts; the tools' own output follows.
set -euo pipefail
cd "$(dirname "$0")/.."
stage() { echo "test.sh: $*" >&2; }

stage "installing what is missing"
scripts/install-deps.sh

stage "checking the formatting"
# Every tracked C++ file as the project's .clang-format writes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

stage "building the native programs and tests"
cmake --preset native
cmake --build --preset native
stage "running the native tests"
ctest --preset native

# The plain kernels that every target without SSE2 takes, on x86 too: the
# unit tests (their names hold a dot) and the converter on the corpus, byte
# for byte the native converter's.
stage "building and testing with the plain kernels"
cmake --preset native-scalar
cmake --build --preset native-scalar --target toridasu_tests toridasu-cli
ctest --preset native-scalar -R '\.|^cli_corpus$|^cli_full_corpus$'

# The portable libraries compile for a target without x86 vector instructions.
stage "compiling the portable libraries for 64-bit Arm"
scripts/check-portable.sh

# The page: the converter as WebAssembly, checked against the native one
# under Node, and the page itself in headless Chromium.
stage "building the page (WebAssembly) and testing it in Chromium"
cmake --preset web
cmake --build --preset web
ctest --preset web

stage "building the Windows programs"
cmake --preset windows -DTORIDASU_NATIVE_CLI="$PWD/build/native/cli/toridasu-cli" \
  -DTORIDASU_PAGE="$PWD/build/web/web/toridasu.html"
cmake --build --preset windows
stage "running the Windows tests under Wine"
ctest --preset windows

# The same unit tests under the address and undefined-behaviour sanitizers,
# then a short run of every fuzz target.
stage "running the sanitizer tests and the fuzz targets"
scripts/fuzz.sh "${TORIDASU_FUZZ_SECONDS:-20}"
ctest --preset fuzz
stage "all passed"
