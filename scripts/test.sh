#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch with warnings as
# errors and runs the whole test suite. Exits non-zero on any failure.
#
# The online statistics tests run against SQLite files and against a
# PostgreSQL started here for the run: a cluster in a temporary folder,
# reachable only through a unix socket in that folder, stopped and removed
# at the end, also when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
pg_dir=$(mktemp -d)
# PostgreSQL refuses to run as root; CI runs this script as root.
as_pg_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
stop_postgres() {
  if [ -f "$pg_dir/data/postmaster.pid" ]; then
    as_pg_owner "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate stop >/dev/null || true
  fi
  rm -rf "$pg_dir"
}
trap stop_postgres EXIT
if [ "$(id -u)" -eq 0 ]; then
  chown postgres: "$pg_dir"
fi
as_pg_owner "$pg_bin/initdb" -D "$pg_dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
  --no-sync >/dev/null
# A throwaway cluster: no TCP, and no fsync to keep the run short.
as_pg_owner "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w \
  -o "-c listen_addresses='' -k $pg_dir -c fsync=off" start >/dev/null
export ZV_TEST_POSTGRES_URI="postgresql:///postgres?host=$pg_dir&user=postgres"

build=build-test
rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_WERROR=ON
cmake --build "$build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
