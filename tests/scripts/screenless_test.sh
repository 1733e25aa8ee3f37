#!/usr/bin/env bash
# The screenless start: the VNC server listens on loopback only, asks for the
# password when one is set, refuses the network without one, and ending the
# script leaves nothing running.
#
#   screenless_test.sh SCRIPT PROGRAM
# Exits 77 (skipped) where Xvfb or x11vnc are not installed.
set -uo pipefail

script="$1"
program="$2"
for tool in Xvfb x11vnc xauth; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
runner=""
trap '[ -n "$runner" ] && kill "$runner" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
check() { # description, then a command that must succeed
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# The program folder is the executable's folder: give it its own.
mkdir "$work/home"
cp "$program" "$work/home/zelvorin"

free_port() {
  local p
  for p in $(seq 45900 45999); do
    listening_on "$p" >/dev/null || { echo "$p"; return; }
  done
}

# Local addresses of the TCP sockets listening on a port, from /proc (no
# dependency on iproute2): "127.0.0.1", "::1", "0.0.0.0", "::".
listening_on() {
  local hexport
  hexport=$(printf '%04X' "$1")
  awk -v p="$hexport" '$4 == "0A" { split($2, a, ":"); if (a[2] == p) print a[1] }' \
    /proc/net/tcp /proc/net/tcp6 2>/dev/null |
    sed -e 's/^0100007F$/127.0.0.1/' -e 's/^00000000$/0.0.0.0/' \
      -e 's/^00000000000000000000000001000000$/::1/' -e 's/^0\{32\}$/::/' | sort | grep .
}

# Starts the script in the background and waits until its VNC port listens.
start() {
  "$@" bash "$script" "$work/home/zelvorin" >"$work/out" 2>&1 &
  runner=$!
  for _ in $(seq 150); do
    listening_on "$port" >/dev/null && return 0
    kill -0 "$runner" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Stops the script as a user would and checks that its children went with it.
stop() {
  local children
  children=$(grep -l "^PPid:[[:space:]]*$runner\$" /proc/[0-9]*/status 2>/dev/null | cut -d/ -f3 | xargs)
  kill -TERM "$runner"
  wait "$runner" 2>/dev/null
  runner=""
  sleep 0.5
  local alive=""
  for pid in $children; do kill -0 "$pid" 2>/dev/null && alive="$alive $pid"; done
  [ -z "$alive" ] && ! listening_on "$port" >/dev/null
}

# The security types a VNC server offers to an RFB 3.8 client, as numbers.
security_types() {
  exec 3<>"/dev/tcp/127.0.0.1/$port" || return 1
  head -c 12 <&3 >/dev/null
  printf 'RFB 003.008\n' >&3
  local count
  count=$(head -c 1 <&3 | od -An -tu1 | tr -d ' ')
  head -c "$count" <&3 | od -An -tu1 | xargs
  exec 3>&-
}

port=$(free_port)
check "starts without a password" start env ZELVORIN_VNC_PORT="$port"
check "listens on loopback only" test "$(listening_on "$port" | xargs)" = "127.0.0.1 ::1"
check "tells how to tunnel" grep -q "ssh -L $port:localhost:$port" "$work/out"
check "lets a viewer in without a password on loopback" test "$(security_types)" = "1"
check "ending the script ends program, VNC server and display" stop

port=$(free_port)
check "starts with a password" start env ZELVORIN_VNC_PORT="$port" ZELVORIN_VNC_PASSWORD=fangbuch
check "asks the viewer for the password" test "$(security_types)" = "2"
check "stops with the password set" stop

env ZELVORIN_VNC_LISTEN=0.0.0.0 ZELVORIN_VNC_PORT="$(free_port)" bash "$script" "$work/home/zelvorin" >"$work/out" 2>&1
status=$?
check "refuses the network without a password" test "$status" = 2
check "says why in German" grep -q "nur mit einem Passwort" "$work/out"

exit $((failures > 0))
