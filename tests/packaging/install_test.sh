#!/usr/bin/env bash
# Installs a build into a temporary prefix as a Linux system would have it
# and checks what came out.
#
#   install_test.sh BUILD_FOLDER layout|desktop|metainfo
#
# layout    the files are where menus, icon themes, AppStream and man look;
#           the desktop entry names the installed program and icon; the
#           installed program keeps its data in the user's own folder
# desktop   desktop-file-validate accepts the desktop entry
# metainfo  appstreamcli validate --no-net accepts the metadata
#
# A validator that is not installed skips its check (exit 77), saying so.
set -euo pipefail

build="${1:?Aufruf: install_test.sh BUILD_ORDNER layout|desktop|metainfo}"
check="${2:?Aufruf: install_test.sh BUILD_ORDNER layout|desktop|metainfo}"
id=de.zelvorin.Zelvorin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
  echo "FEHLER: $*" >&2
  exit 1
}

skip_without() {
  if ! command -v "$1" >/dev/null; then
    echo "Übersprungen: $1 ist nicht installiert (Paket $2, siehe scripts/setup.sh)."
    exit 77
  fi
}

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"

case "$check" in
layout)
  for file in bin/zelvorin bin/zelvorin-cli share/zelvorin/KFaktor.dat \
    "share/applications/$id.desktop" "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/icons/hicolor/256x256/apps/$id.png" "share/metainfo/$id.metainfo.xml" \
    share/man/man1/zelvorin-cli.1.gz; do
    [ -f "$prefix/$file" ] || fail "$file fehlt in der Installation."
  done
  # The PNG header's width and height: 256 x 256.
  size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/256x256/apps/$id.png" | tr -s ' ')
  [ "$size" = " 0 0 1 0 0 0 1 0" ] || fail "Das Symbol ist nicht 256 x 256 Pixel groß:$size"
  exec_line=$(grep '^Exec=' "$desktop")
  [ -x "$prefix/bin/${exec_line#Exec=}" ] || fail "$exec_line startet kein installiertes Programm."
  grep -qx "Icon=$id" "$desktop" || fail "Der Menüeintrag nennt nicht das Symbol $id."
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "Die AppStream-Daten nennen nicht den Menüeintrag."
  home="$work/home"
  folder=$(env -u ZELVORIN_HOME -u XDG_DATA_HOME HOME="$home" "$prefix/bin/zelvorin-cli" folder)
  [ "$folder" = "$home/.local/share/Zelvorin" ] ||
    fail "Das installierte Programm nimmt \"$folder\" statt ~/.local/share/Zelvorin."
  "$prefix/bin/zelvorin-cli" --help | grep -q '^  export ' || fail "zelvorin-cli --help nennt export nicht."
  ;;
desktop)
  skip_without desktop-file-validate desktop-file-utils
  desktop-file-validate "$desktop"
  ;;
metainfo)
  skip_without appstreamcli appstream
  appstreamcli validate --no-net "$metainfo"
  ;;
*)
  fail "Unbekannte Prüfung \"$check\"."
  ;;
esac
