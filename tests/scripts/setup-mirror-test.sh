#!/usr/bin/env bash
# The set-up against a Debian mirror caught mid-sync, through stand-ins on PATH: every
# `apt-get update` fails on the i386 index as such a mirror's does, and the 32-bit Wine
# cannot be installed (its i386 libraries lag). The set-up must still finish, say what it
# could not read and install, and leave the scripts on the x86-64 build.
# Runs on a machine the real set-up has already equipped, so nothing real is installed.
set -uo pipefail
cd "$(dirname "$0")/../.."
stand=$(mktemp -d)
trap 'rm -rf "$stand"' EXIT

cat >"$stand/apt-get" <<'EOF'
#!/bin/sh
case " $* " in
*" update "*)
  echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100 ;;
*" wine32:i386 "*)
  echo " libwine:i386 : Depends: libgstreamer-plugins-base1.0-0:i386 (>= 1.0.0) but it is not going to be installed" >&2
  echo "E: Unable to correct problems, you have held broken packages." >&2
  exit 100 ;;
esac
exit 0
EOF
# wine32 counts as not installed even where it is.
cat >"$stand/dpkg-query" <<'EOF'
#!/bin/sh
case " $* " in *" wine32:i386 "*) exit 1 ;; esac
exec /usr/bin/dpkg-query "$@"
EOF
chmod +x "$stand/apt-get" "$stand/dpkg-query"

out=$(PATH="$stand:$PATH" QUILLFEN_APT_PAUSE=0 QUILLFEN_WINE32_LOADER="$stand/no-wine32" \
  bash scripts/setup.sh 2>&1)
status=$?
echo "$out"
bad=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; bad=1; fi
}
check "the set-up finishes" '((status == 0))'
# Only the wine32 install reads the lists where everything else is installed already.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  check "it names the index it could not read" \
    'grep -q "index http://deb.debian.org/debian-security/.*/binary-i386/Packages.xz could not be read" <<<"$out"'
  check "it says that wine32 could not be installed" \
    'grep -q "32-bit Wine (wine32) could not be installed" <<<"$out"'
fi
check "no raw apt error is its last word" '! tail -n1 <<<"$out" | grep -q "^E:"'
choice=$(QUILLFEN_WINE32_LOADER="$stand/no-wine32" bash -c \
  'source scripts/windows-build.sh && echo "$win_dir $win_toolchain"')
check "the scripts choose the x86-64 build ($choice)" \
  '[[ "$choice" == "build/win64 cmake/toolchain-x86_64-mingw.cmake" ]]'
exit "$bad"
