#!/usr/bin/env bash
# Installs the Debian packages that KADRO needs and that are missing.
#   scripts/install-deps.sh          what building and running need
#   scripts/install-deps.sh --test   the same plus the test tools
# Installs nothing when everything is present; never asks a question.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libxcb1-dev
  fonts-liberation
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool xclip openbox imagemagick x11-utils x11-xserver-utils libxcb-xtest0-dev
    clang libclang-rt-dev
    appstream desktop-file-utils dpkg-dev file lintian man-db
    at-spi2-core dbus-x11 python3-pyatspi
    orca speech-dispatcher python3-speechd speech-dispatcher-audio-plugins
    weston qt6-wayland wl-clipboard
    chromium libreoffice-writer-nogui gnumeric poppler-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo -n)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
