#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 "$@"
