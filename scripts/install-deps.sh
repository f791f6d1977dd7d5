#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need; installs only
# what is missing, so it also runs on a machine without network once everything is there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git ca-certificates
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
  libxcb1-dev libxcb-keysyms1-dev libx11-dev x11proto-dev
  xvfb openbox xdotool
  iproute2 util-linux fonts-dejavu-core dbus-daemon
  unrtf
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
