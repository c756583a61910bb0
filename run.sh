#!/usr/bin/env bash
# Installs what is missing, builds, and starts qentool. Arguments go to qentool; without
# any, it starts the demo (the controller simulator, connected).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh build
if [ $# -eq 0 ]; then
  set -- --demo
fi
exec ./build/qentool "$@"
