#!/usr/bin/env bash
# Starts KADRO, or says in one line why it cannot.
set -euo pipefail
binary=$1
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "kadro: no display found (DISPLAY is unset). Run it on a desktop, or try: xvfb-run -s '-screen 0 1024x768x24' $binary" >&2
  exit 1
fi
exec "$binary"
