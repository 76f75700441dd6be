#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Safe to run again:
# it only calls apt when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-declarative-dev qt6-svg-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-httpserver-dev qt6-websockets-dev
  libxkbcommon-dev qml6-module-qtquick qml6-module-qtquick-controls
  qml6-module-qtquick-dialogs qml6-module-qtquick-layouts qml6-module-qtquick-shapes
  qml6-module-qtquick-templates qml6-module-qtquick-window qml6-module-qtqml qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qt-labs-folderlistmodel qt6-qpa-plugins libqt6svg6
  fonts-noto-cjk time
  python3-dbusmock dbus-daemon openssl libssl3
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
