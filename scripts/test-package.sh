#!/usr/bin/env bash
# test-package.sh [DEB]  install the Debian package on a fresh minimal Debian 12 root (not on
# this machine), start the program there, check what it installed, remove it and check that
# the user's settings stay. Builds the package first when no DEB is given. Needs root and the
# network for apt (the package's dependencies come from the Debian mirror).
#
# The program runs in a network namespace of its own with only the loopback adapter, under an
# X server started in that namespace, so nothing it sends leaves it.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=${1:-}
if [ -z "$deb" ]; then
  bash scripts/setup.sh package >/dev/null
  deb=$(ls -t build-package/zelkit-chat_*.deb | head -1)
fi
deb=$(readlink -f "$deb")
[ "$(id -u)" -eq 0 ] || { echo "test-package: needs root (chroot, mounts)" >&2; exit 2; }

work=/tmp/zelkit-package-test
base=/tmp/fresh-debian/base.tar
[ -f "$base" ] || base=$work/base.tar
if [ ! -f "$base" ]; then
  scripts/install-deps.sh debootstrap
  mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources)
  mkdir -p "$work"
  debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log"
  tar -C "$work/base" -cf "$base" . && rm -rf "$work/base"
fi

root=$work/root
cleanup() {
  local m
  for m in $(awk -v r="$root" '$2 == r || index($2, r "/") == 1 {print $2}' /proc/mounts | sort -r); do
    umount -l "$m" 2>/dev/null || true
  done
}
trap cleanup EXIT
cleanup
rm -rf --one-file-system "$root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
cp "$deb" "$root/tmp/"

chroot "$root" /bin/bash -euo pipefail -c '
export DEBIAN_FRONTEND=noninteractive HOME=/root
apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends /tmp/zelkit-chat_*.deb >/tmp/install.log
echo "installed: $(dpkg-query -W -f="\${Package} \${Version}" zelkit-chat)"
zelkit-chat --version
for f in /usr/bin/zelkit-chat /usr/share/applications/zelkit-chat.desktop \
         /usr/share/metainfo/org.example.zelkit.chat.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/zelkit-chat.png \
         /usr/share/man/man1/zelkit-chat.1.gz /usr/share/zelkit-chat/Sounds/NewUser.wav; do
  [ -f "$f" ] || { echo "missing: $f"; exit 1; }
done
echo "languages: $(ls /usr/share/zelkit-chat/Language 2>/dev/null | tr "\n" " ")"
# Only to look at the running program: an X server and a tool that lists its windows.
apt-get install -y -q --no-install-recommends xvfb x11-utils >/dev/null
unshare --net /bin/bash -euo pipefail -c "
  ip link set lo up 2>/dev/null || true
  Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
  xvfb=\$!
  for i in \$(seq 50); do [ -e /tmp/.X11-unix/X7 ] && break; sleep 0.2; done
  DISPLAY=:7 zelkit-chat >/tmp/run.log 2>&1 &
  chat=\$!
  for i in \$(seq 100); do
    DISPLAY=:7 xwininfo -root -tree 2>/dev/null | grep -q \"Zelkit Chat\" && break
    sleep 0.2
  done
  DISPLAY=:7 xwininfo -root -tree | grep -q \"Zelkit Chat\" || { echo \"no window\"; cat /tmp/run.log; exit 1; }
  echo \"window: \$(DISPLAY=:7 xwininfo -root -tree | grep -c \"Zelkit Chat\\|Network Registration\") up\"
  sleep 3
  kill -TERM \$chat
  wait \$chat && echo \"ended on SIGTERM: 0\"
  kill \$xvfb
"
[ -f /root/.config/zelkit-chat/user.reg ] || { echo "no settings written"; exit 1; }
echo "settings: $(wc -c </root/.config/zelkit-chat/user.reg) bytes"
apt-get purge -y -q zelkit-chat >/dev/null
[ ! -e /usr/bin/zelkit-chat ] || { echo "program still there"; exit 1; }
[ -f /root/.config/zelkit-chat/user.reg ] || { echo "settings removed with the package"; exit 1; }
echo "removed; settings kept: $(wc -c </root/.config/zelkit-chat/user.reg) bytes"
'
echo "test-package: ok"
