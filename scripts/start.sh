#!/usr/bin/env bash
# Installs what is needed, builds Dezoredu and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZOREDU_TESTS=OFF
cmake --build build -j2 --target dezoredu dezoredu-cli
exec ./build/src/gui/dezoredu "$@"
