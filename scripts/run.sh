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
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target zelvorin zelvorin-cli
mkdir -p "$home"
cmake --install "$build" --prefix "$home"
echo "Zelvorin ist installiert in: $home"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$home/zelvorin"
fi

# No screen here: serve the window over VNC instead of crashing.
port="${ZELVORIN_VNC_PORT:-5900}"
echo "Kein Bildschirm gefunden: Zelvorin läuft über VNC."
echo "Mit einem VNC-Viewer verbinden: <Rechner>:$port (z. B. localhost:$port)"
QT_QPA_PLATFORM="vnc:size=1280x900:port=$port" exec "$home/zelvorin"
