#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Lumora need.
# Idempotent: packages already present are skipped, so a second run is quick.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools
  qt6-webengine-dev qt6-multimedia-dev libqt6svg6
  libsane-dev sane-utils
  # sanitizers and fuzzers
  clang libclang-rt-14-dev
  # tests: real FTP servers, a real X server for the browser engine, tools
  python3 python3-pyftpdlib python3-openssl openssl vsftpd xvfb xauth curl imagemagick tidy
  # passwords in the desktop keyring (libsecret is loaded at run time); the keyring test
  # starts its own bus and keyring daemon
  qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus
  # desktop integration: MIME type, AppStream metainfo and desktop entry checks
  shared-mime-info appstream desktop-file-utils
  # benchmarks
  time bc libvips-tools libjpeg-dev lftp
  # recordings (only needed to regenerate them)
  espeak-ng sox
  # runtime: sound output, fonts
  qt6-qpa-plugins fonts-dejavu-core gstreamer1.0-plugins-base
)

missing=()
for p in "${packages[@]}"; do
  [[ $p == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
