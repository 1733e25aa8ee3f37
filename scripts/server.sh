#!/usr/bin/env bash
# Installs what is missing, builds zelvorin-server and starts it with the
# embedded database: http://localhost:8080/onlinestatistik/ (set [Online]
# "Server" to localhost:8080 in the program to upload there).
#
# The server runs in its data folder, ~/Zelvorin-Server (or the folder named
# by ZELVORIN_SERVER_HOME), so onlinestatistik.sqlite lives outside the
# source tree and every build folder. Arguments go to the server, e.g.
#   bash scripts/server.sh --db 'postgresql:///zelvorin?host=/run/postgresql'
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/setup.sh"

build="$root/build-server"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF -DZV_BUILD_GUI=OFF
cmake --build "$build" -j"$(nproc)" --target zelvorin-server

home="${ZELVORIN_SERVER_HOME:-$HOME/Zelvorin-Server}"
mkdir -p "$home"
cd "$home"
exec "$build/src/server/zelvorin-server" "$@"
