#!/usr/bin/env bash
# Installs what is missing, builds, and starts qentool. Arguments go to qentool.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh build
exec ./build/qentool "$@"
