#!/usr/bin/env bash
# Installs every tool the build and the tests need, from Debian's packages.
# Idempotent: when everything is present it only checks and returns, silently. When
# something is missing it says what it installs and about how long that takes, and lets
# apt show its progress.
#
# Debian's mirrors are sometimes caught mid-sync: an index whose size does not match its
# Release file fails `apt-get update` for hours, and the i386 packages then lag the amd64
# ones, so wine32 cannot be installed. The set-up rides that out: the update is retried,
# then the lists apt already has are used; a failed install is retried once after a fresh
# update; and without a 32-bit Wine the scripts go on with the x86-64 build under the
# 64-bit Wine (windows-build.sh), trying wine32 again on the next run. Every failure ends
# with one sentence saying what failed and what to do.
#
# The test command drives it through its seams: apt-get and dpkg-query are taken from
# PATH, QUILLFEN_APT_PAUSE is the pause between tries (seconds), and
# QUILLFEN_WINE32_LOADER (read by windows-build.sh) the 32-bit Wine's loader.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  lib32stdc++-12-dev libc6-dev-i386 linux-libc-dev:i386
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine64
  xvfb xauth x11-utils imagemagick xdotool
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core locales
  python3 sox valgrind
)
# The x86-64 cross compiler, for machines where the 32-bit Wine does not run.
packages_x86_64=(g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
pause=${QUILLFEN_APT_PAUSE:-5}
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "setup: $*" >&2
  exit 1
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Fills `missing` with those of the given packages that are not installed.
find_missing() {
  missing=()
  local p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
}

# Brings the package lists up to date, a few tries a run. Where an index still fails
# (a mirror mid-sync), says which and goes on with the lists apt already has.
updated=0
update_lists() {
  ((updated)) && return 0
  updated=1
  local try out
  echo "setup: updating the package lists"
  for try in 1 2 3; do
    out=$(apt-get update -qq 2>&1) && return 0
    ((try < 3)) && sleep "$pause"
  done
  local failing
  failing=$(grep -oE 'Failed to fetch [^ ]+' <<<"$out" | sed 's/^Failed to fetch //' | sort -u |
    paste -sd ' ')
  if [[ -n "$failing" ]]; then
    echo "setup: Debian's package index $failing could not be read after 3 tries" \
      "(a mirror in mid-sync?); going on with the package lists this machine already has."
  else
    echo "setup: the package lists could not be updated after 3 tries; going on with the" \
      "lists this machine already has."
  fi
}

# Says how much the given packages bring and roughly how long they take (measured here:
# about a minute for 300 MB from a near mirror, unpacking included).
announce() {
  local what=$1
  shift
  local bytes count minutes
  bytes=$(apt-get install --print-uris -qq "$@" 2>/dev/null | awk '{s += $3} END {print s + 0}')
  count=$(apt-get install -s -qq "$@" 2>/dev/null | grep -c '^Inst ')
  minutes=$(((bytes / 5000000 + count / 2 + 20 + 59) / 60))
  local s=s
  (($# > 1)) || s=
  echo "setup: installing $# $what$s from Debian ($count with what they need," \
    "$((bytes / 1000000)) MB to fetch, roughly $minutes minute$( ((minutes == 1)) || echo s)): $*"
}

# Installs the given packages; a failed install is tried once more after a fresh update.
# Returns non-zero when the second try fails too; the caller says what that means.
install_packages() {
  if [[ $(id -u) -ne 0 ]]; then
    fail "missing $*; run this command as root (sudo) once so that it can install them."
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386 || fail "could not add the i386 architecture to dpkg."
    updated=0
  fi
  update_lists
  local wanted=("$@")
  pin_multiarch_pair wanted
  announce package "${wanted[@]}"
  apt_install "${wanted[@]}" && return 0
  echo "setup: the install failed; updating the package lists and trying once more"
  updated=0
  update_lists
  wanted=("$@")
  pin_multiarch_pair wanted
  apt_install "${wanted[@]}"
}

# Never lets apt remove a package to make room: when the i386 lists lag the amd64 ones,
# apt would otherwise take an installed compiler away for an i386 header package. With
# apt_log set, apt's own output goes there; the set-up's sentences stay on the screen.
apt_install() {
  local flags=(-y --no-install-recommends --no-remove --allow-downgrades)
  if [[ -n "${apt_log:-}" ]]; then
    apt-get install "${flags[@]}" "$@" >>"$apt_log" 2>&1
  else
    apt-get install "${flags[@]}" "$@"
  fi
}

# linux-libc-dev comes for both architectures and must be of one version in both. While
# the i386 lists lag, the i386 one is older than the amd64 one installed; both are then
# taken at the version the i386 lists have (header files only).
pin_multiarch_pair() {
  local -n list=$1
  local i v386 v64
  for i in "${!list[@]}"; do
    [[ "${list[$i]}" == linux-libc-dev:i386 ]] || continue
    v386=$(apt-cache policy linux-libc-dev:i386 2>/dev/null | awk '/Candidate:/ {print $2}')
    v64=$(dpkg-query -W -f='${Version}' linux-libc-dev:amd64 2>/dev/null)
    if [[ -n "$v386" && "$v386" != "(none)" && -n "$v64" && "$v386" != "$v64" ]]; then
      list[$i]=linux-libc-dev:i386=$v386
      list+=("linux-libc-dev:amd64=$v386")
    fi
  done
}

find_missing "${packages[@]}"
if ((${#missing[@]})) && ! install_packages "${missing[@]}"; then
  fail "could not install ${missing[*]} from Debian (its mirror may be mid-sync, or out of" \
    "reach); nothing was built or run; try again later."
fi

# The 32-bit Wine, which runs the shipped i686 program, is wanted where the kernel runs
# 32-bit code; the tests can do without it.
QUILLFEN_WINE32_LOADER=${QUILLFEN_WINE32_LOADER:-/usr/lib/wine/wine}
if /lib/ld-linux.so.2 --version >/dev/null 2>&1 && ! installed wine32:i386; then
  # apt's long list of unmet i386 dependencies goes to a log; the sentence says what it means.
  mkdir -p "$here/../build"
  log=$(cd "$here/../build" && pwd)/setup-wine32.log
  : >"$log"
  if ! apt_log=$log install_packages wine32:i386; then
    echo "setup: the 32-bit Wine (wine32) could not be installed now (Debian's i386 packages" \
      "may lag while a mirror syncs; apt's answer is in $log): the Windows program is built" \
      "for x86-64 and run under the 64-bit Wine instead; the next run tries wine32 again."
  fi
elif installed wine32:i386 && [[ -x "$QUILLFEN_WINE32_LOADER" ]] &&
  ! "$QUILLFEN_WINE32_LOADER" --version >/dev/null 2>&1; then
  echo "setup: the 32-bit Wine is installed but does not start: the Windows program is" \
    "built for x86-64 and run under the 64-bit Wine instead."
fi

# Where the 32-bit Wine does not run, the Windows tests run an x86-64 build under the
# 64-bit Wine; where the kernel runs no 32-bit program at all, the 32-bit x87 fuzz build
# also runs under user-mode emulation (see windows-build.sh).
source "$here/windows-build.sh"
wanted=()
((wine32_runs)) || wanted+=("${packages_x86_64[@]}")
((host_runs_32bit)) || wanted+=(qemu-user-static)
find_missing "${wanted[@]}"
if ((${#missing[@]})) && ! install_packages "${missing[@]}"; then
  fail "could not install ${missing[*]}, which this machine needs without a working 32-bit" \
    "Wine (Debian's mirror may be mid-sync, or out of reach); try again later."
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
  locale-gen >/dev/null || fail "could not generate the locales ${generate[*]} (locale-gen failed)."
fi

# Wine draws caption buttons with Marlett. Debian ships it in fonts-wine, which also
# puts 60 bitmap fonts where every Wine process loads them at start; only the one font
# file is taken out of the package and kept for the Wine bench to put into its prefixes.
marlett=/usr/local/share/quillfen/marlett.ttf
if [[ ! -f "$marlett" ]]; then
  echo "setup: taking the Marlett font out of Debian's fonts-wine"
  scratch=$(mktemp -d)
  if ! (cd "$scratch" && { apt-get download -qq fonts-wine >/dev/null 2>&1 ||
    { updated=0 && update_lists && apt-get download -qq fonts-wine; }; }) ||
    ! dpkg-deb -x "$scratch"/fonts-wine_*.deb "$scratch/root" ||
    ! install -D -m 644 "$scratch/root/usr/share/wine/fonts/marlett.ttf" "$marlett"; then
    rm -rf "$scratch"
    fail "could not take the Marlett font out of Debian's fonts-wine (its mirror may be" \
      "mid-sync, or out of reach); try again later."
  fi
  rm -rf "$scratch"
fi
exit 0
