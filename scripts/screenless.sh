#!/usr/bin/env bash
# Runs Zelvorin on a machine without a screen: a virtual X display (Xvfb)
# that only this user can reach, the program on it, and a VNC server
# (x11vnc) in front of it.
#
# The VNC server listens on the loopback addresses only unless told
# otherwise: the catch log must never be open to whoever can reach the
# machine. From another computer, an SSH tunnel reaches it safely.
#
#   bash scripts/screenless.sh PROGRAM
#
# ZELVORIN_VNC_PORT      the VNC port (5900)
# ZELVORIN_VNC_PASSWORD  a password the viewer must give (optional on
#                        loopback; VNC uses its first 8 characters)
# ZELVORIN_VNC_LISTEN    an address to listen on instead of loopback, e.g.
#                        0.0.0.0; only together with a password
#
# Ending this script (the program closing, Ctrl+C, SIGTERM) ends the
# program, the VNC server and the display; nothing is left running.
set -euo pipefail

program="${1:?Aufruf: screenless.sh PROGRAMM}"
port="${ZELVORIN_VNC_PORT:-5900}"
password="${ZELVORIN_VNC_PASSWORD:-}"
listen="${ZELVORIN_VNC_LISTEN:-}"

fail() {
  echo "$*" >&2
  exit 2
}

case "$port" in
  '' | *[!0-9]*) fail "ZELVORIN_VNC_PORT muss eine Portnummer sein, nicht \"$port\"." ;;
esac
case "$listen" in
  '' | localhost | 127.0.0.1 | ::1) listen="" ;;
  *)
    [ -n "$password" ] || fail "ZELVORIN_VNC_LISTEN=$listen macht Zelvorin im Netzwerk erreichbar. Das geht nur mit einem Passwort: bitte ZELVORIN_VNC_PASSWORD setzen."
    ;;
esac
for tool in Xvfb x11vnc; do
  command -v "$tool" >/dev/null || fail "$tool fehlt. Bitte zuerst \"bash scripts/setup.sh\" ausführen."
done

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# The display is reachable through its socket only, and only with the cookie
# in this private file.
display=""
for n in $(seq 90 189); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || fail "Kein freier virtueller Bildschirm (:90 bis :189) gefunden."
export XAUTHORITY="$work/Xauthority"
touch "$XAUTHORITY"
xauth -q add "$display" . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"

Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -auth "$XAUTHORITY" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -S "/tmp/.X11-unix/X${display#:}" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || fail "Der virtuelle Bildschirm startet nicht: $(tail -n 3 "$work/xvfb.log")"
  sleep 0.1
done

vnc_args=(-display "$display" -auth "$XAUTHORITY" -rfbport "$port" -forever -shared -quiet)
if [ -z "$listen" ]; then
  vnc_args+=(-localhost -6)
else
  vnc_args+=(-listen "$listen")
fi
if [ -n "$password" ]; then
  # Through a file that x11vnc deletes after reading: a password on the
  # command line would be visible to every user in the process list.
  (umask 077 && printf '%s\n' "$password" >"$work/vncpass")
  vnc_args+=(-passwdfile "rm:$work/vncpass")
else
  vnc_args+=(-nopw)
fi
x11vnc "${vnc_args[@]}" >"$work/x11vnc.out" 2>"$work/x11vnc.log" &
pids+=($!)
for _ in $(seq 100); do
  grep -q '^PORT=' "$work/x11vnc.out" && break
  kill -0 "${pids[1]}" 2>/dev/null || fail "Der VNC-Server startet nicht auf Port $port: $(grep -i error "$work/x11vnc.log" | tail -n 1)"
  sleep 0.1
done

echo "Kein Bildschirm gefunden: Zelvorin läuft auf einem virtuellen Bildschirm und ist über VNC erreichbar."
if [ -z "$listen" ]; then
  echo "Nur von diesem Rechner aus: VNC-Viewer mit localhost:$port verbinden."
  echo "Von einem anderen Rechner aus sicher über einen SSH-Tunnel:"
  echo "  ssh -L $port:localhost:$port NUTZER@RECHNER"
  echo "und dann dort einen VNC-Viewer mit localhost:$port verbinden."
else
  echo "Im Netzwerk erreichbar: VNC-Viewer mit <Rechner>:$port verbinden (Adresse $listen)."
fi
if [ -n "$password" ]; then
  echo "Der VNC-Viewer fragt nach dem Passwort aus ZELVORIN_VNC_PASSWORD."
  [ ${#password} -le 8 ] || echo "Hinweis: VNC prüft nur die ersten 8 Zeichen des Passworts."
fi

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$program" &
pids+=($!)
status=0
wait "${pids[2]}" || status=$?
exit "$status"
