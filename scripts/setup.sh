#!/usr/bin/env bash
# Installs every tool the build and the tests need, from Debian's packages.
# Idempotent: when everything is present it only checks and returns, silently. When
# something is missing it says what it installs and lets apt show its progress.
set -euo pipefail

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  lib32stdc++-12-dev libc6-dev-i386 linux-libc-dev:i386
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32 wine64
  xvfb xauth x11-utils imagemagick xdotool
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core locales
  python3 sox valgrind
)

updated=0
# Installs those of the given packages that are not installed yet (wine32 as wine32:i386).
install_missing() {
  local missing=() p
  for p in "$@"; do
    [[ "$p" == wine32 ]] && p=wine32:i386
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing ${missing[*]}; run as root" >&2
    exit 1
  fi
  local s=s
  ((${#missing[@]} > 1)) || s=
  echo "setup: installing ${#missing[@]} package$s from Debian: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=0
  fi
  if ((!updated)); then
    echo "setup: updating the package lists"
    apt-get update -qq
    updated=1
  fi
  apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# A kernel without IA-32 emulation runs no 32-bit program: the Windows tests then run an
# x86-64 build under the 64-bit Wine, and the 32-bit x87 fuzz build runs under user-mode
# emulation (see windows-build.sh).
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  install_missing g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 \
    mingw-w64-x86-64-dev qemu-user-static
fi

# ja_JP is the bench's locale; en_US and fi_FI are the other regional formats the
# black-box tests run under (12-hour with AM/PM; "." as the time separator).
locales=(ja_JP en_US fi_FI)
generate=()
for l in "${locales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "$l\.utf8"; then
    sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >>/etc/locale.gen
    generate+=("$l.UTF-8")
  fi
done
if ((${#generate[@]})); then
  echo "setup: generating the locale${generate[1]+s} ${generate[*]}"
  locale-gen >/dev/null
fi

# Wine draws caption buttons with Marlett. Debian ships it in fonts-wine, which also
# puts 60 bitmap fonts where every Wine process loads them at start; only the one font
# file is taken out of the package and kept for the Wine bench to put into its prefixes.
marlett=/usr/local/share/quillfen/marlett.ttf
if [[ ! -f "$marlett" ]]; then
  echo "setup: taking the Marlett font out of Debian's fonts-wine"
  scratch=$(mktemp -d)
  (cd "$scratch" && apt-get download -qq fonts-wine >/dev/null 2>&1 ||
    { apt-get update -qq && apt-get download -qq fonts-wine; })
  dpkg-deb -x "$scratch"/fonts-wine_*.deb "$scratch/root"
  install -D -m 644 "$scratch/root/usr/share/wine/fonts/marlett.ttf" "$marlett"
  rm -rf "$scratch"
fi
