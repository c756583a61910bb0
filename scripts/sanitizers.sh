#!/usr/bin/env bash
# Builds the address+undefined and the thread sanitizer variants and runs the tests on them.
#   scripts/sanitizers.sh            both
#   scripts/sanitizers.sh thread     one of them
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
kinds=("${@:-address thread}")
for kind in ${kinds[@]}; do
  dir="build-${kind}"
  ./scripts/build.sh "$dir" -DQEN_SANITIZE="$kind" -DCMAKE_BUILD_TYPE=Debug
  labels="unit|integration|gui"
  # Qt's own libraries are not built for ThreadSanitizer: the engine tests run under it.
  [ "$kind" = thread ] && labels="unit|integration"
  (cd "$dir" && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1" \
     ctest --output-on-failure --timeout 600 -L "$labels")
done
