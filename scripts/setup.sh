#!/usr/bin/env bash
# Installs the Debian packages Zelvorin needs to build, test and run.
# Only missing packages are installed; run as root (or through sudo).
set -euo pipefail

packages=(
  # tool chain
  g++ cmake ninja-build pkg-config
  # windows
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  # Qt's own dialogs (file, colour, their questions) in German
  qt6-translations-l10n
  # engine libraries
  libicu-dev libturbojpeg0-dev libzip-dev libcurl4-openssl-dev libstb-dev
  # the catches as an Excel workbook
  libxlsxwriter-dev
  # the online statistics service: its databases, the unique key's digest
  libsqlite3-dev libpq-dev libssl-dev libcpp-httplib-dev
  # tests and benchmarks; the tests start a PostgreSQL of their own
  libgtest-dev libgmock-dev libbenchmark-dev postgresql
  # the check that keeps the source folders layered
  python3
  # checking written PDF files from outside
  qpdf poppler-utils
  # running without a screen: a virtual display behind a VNC server
  xvfb xauth x11vnc
  # the Debian package (cpack -G DEB: dpkg-shlibdeps, file) and the checks of
  # its menu entry and AppStream metadata
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages are installed."
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
