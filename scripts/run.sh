#!/usr/bin/env bash
# Installs what is missing, builds a Release, installs the program into its
# portable program folder and starts it from there.
#
# The program folder holds the angler's data (Zelvorin.ini, databases, DATs,
# img, map pictures), so it lives outside the source tree and outside every
# build folder: a rebuild or "rm -rf build*" never touches it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

home="${ZELVORIN_HOME:-$HOME/Zelvorin}"
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF \
  -DZV_PORTABLE=ON
cmake --build "$build" -j"$(nproc)" --target zelvorin zelvorin-cli
mkdir -p "$home/img"
cmake --install "$build" --prefix "$home"
echo "Zelvorin ist installiert in: $home"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$home/zelvorin"
fi

# No screen here: a virtual display behind a VNC server on loopback.
exec bash scripts/screenless.sh "$home/zelvorin"
