#!/usr/bin/env bash
# Installs what is needed, builds the tool and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The "run" preset: RelWithDebInfo in build/, warnings not made errors.
cmake --preset run >/dev/null
cmake --build --preset run -j"$(nproc 2>/dev/null || echo 2)"
exec build/app/kvr27dust32 "$@"
