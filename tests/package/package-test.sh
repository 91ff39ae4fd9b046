#!/usr/bin/env bash
# The Debian package as a user gets it: built from this build folder, checked by lintian,
# unpacked into a temporary root whose data is made read-only, then run headless with a
# fresh home. A segment built by script must be saved in the user's XDG data folder, the
# settings in the XDG config folder, and the installed data must stay exactly as it was.
#   package-test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1 version=$2 id=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

# The package, as the documented command makes it.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/out/tamborix_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work/out")"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libsdl2* && $depends == *libc6* ]] || fail "Depends lacks the libraries: $depends"
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian reports errors"; }

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for f in usr/games/tamborix usr/share/tamborix/imgs/drums.img usr/share/tamborix/level/1.lvc \
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/man/man6/tamborix.6.gz usr/share/doc/tamborix/copyright \
  usr/share/doc/tamborix/changelog.gz usr/share/doc/tamborix/CREDITS; do
  [ -e "$root/$f" ] || fail "missing /$f"
done
for size in 48 64 128 256 512; do
  icon=$share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$icon" ] || fail "missing icon $size"
  # The PNG header holds the width and height as big-endian u32 at offset 16.
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
  [ "$w x $h" = "$size x $size" ] || fail "icon $size is $w x $h"
done
[ ! -e "$share/tamborix/save" ] || fail "the data folder ships a save folder"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log" >&2; fail "AppStream metadata"; }
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/tamborix.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page: $warnings"

# Installed and read-only: the data is found beside the program as ../share/tamborix.
chmod -R a-w "$share/tamborix"
snapshot() { (cd "$share/tamborix" && find . -printf '%p %s %m %T@\n' | sort && find . -type f -exec sha256sum {} + | sort); }
before=$(snapshot)
home=$work/home
mkdir -p "$home" "$work/cwd"
# Drum machine, segments, the first slot; three cells struck; back, which saves it.
cat >"$work/script.txt" <<'SCRIPT'
at 6000 key action
at 7000 key down / at 7200 key action
at 8200 key down / at 8400 key action
at 9200 key action
at 10000 tap 176 288
at 10300 tap 304 320
at 10600 tap 240 448
at 11000 key back
at 12000 quit
SCRIPT
(cd "$work/cwd" && env -u TAMBORIX_USER_DIR -u TAMBORIX_REGISTRY -u XDG_DATA_HOME \
  -u XDG_CONFIG_HOME HOME="$home" "$root/usr/games/tamborix" --headless \
  --script "$work/script.txt" >"$work/run.log" 2>&1) || { cat "$work/run.log" >&2; fail "the run failed"; }

segment=$home/.local/share/tamborix/save/1.tbs
[ -f "$segment" ] || fail "no segment in ~/.local/share/tamborix/save: $(cd "$home" && find .)"
[ "$(stat -c %s "$segment")" = 2317 ] || fail "segment of $(stat -c %s "$segment") bytes"
[ -f "$home/.config/tamborix/registry.reg" ] || fail "no settings in ~/.config/tamborix"
[ ! -e "$home/.local/share/tamborix/error.txt" ] || fail "error: $(cat "$home/.local/share/tamborix/error.txt")"
[ -z "$(ls -A "$work/cwd")" ] || fail "files written into the working folder: $(ls -A "$work/cwd")"
[ "$before" = "$(snapshot)" ] || fail "the installed data changed"
echo "package test: $(basename "$deb") ($(stat -c %s "$deb") bytes) passes"
