#!/usr/bin/env bash
# Starts KADRO. Without a display the program itself says so in one line and exits with 1.
set -euo pipefail
exec "$1"
