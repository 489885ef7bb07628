#!/usr/bin/env bash
# Installs the Debian packages Fluvarex needs that are not on this machine yet, and the German locale
# (de_DE.UTF-8) in which a test runs the batch tool.
# Usage: scripts/install-deps.sh [--no-opm] [--ci]
#   (no option)  what the build and every test need, OPM Flow included
#   --no-opm     leave out OPM Flow (the tests that run it then skip)
#   --ci         also the tools of the continuous integration run: clang-format-14, lintian, ccache
set -euo pipefail

usage() { sed -n '3,6s/^# \{0,1\}//p' "$0"; }

packages=(
  g++ cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql postgresql libqt6opengl6-dev qt6-charts-dev qt6-svg-dev
  fonts-dejavu-core xvfb xauth
  mythes-en-us libmythes-dev
  clang-14 libclang-rt-14-dev
  python3 dpkg-dev locales
)
want_opm=1
want_ci=0
for arg in "$@"; do
  case "$arg" in
    --no-opm) want_opm=0 ;;
    --ci) want_ci=1 ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      echo "install-deps.sh: unknown option '$arg'" >&2
      usage >&2
      exit 2
      ;;
  esac
done
[ "$want_opm" = 1 ] && packages+=(libopm-simulators-bin python3-opm-common)
[ "$want_ci" = 1 ] && packages+=(clang-format-14 lintian ccache git)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale for the test that runs the batch tool in one.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "Generating the locale de_DE.UTF-8"
  if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
