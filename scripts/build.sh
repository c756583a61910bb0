#!/usr/bin/env bash
# Configures and builds into the given folder (default build/). Extra arguments go to cmake,
# e.g. scripts/build.sh build-tsan -DQEN_SANITIZE=thread
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$dir" --parallel
