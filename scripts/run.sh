#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORIV_BUILD_TESTS=OFF \
      -DMORIV_BUILD_BENCH=OFF
cmake --build build --parallel "$(nproc)"
exec ./build/src/moriv
