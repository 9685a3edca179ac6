#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the whole test suite with CTest.
# Extra arguments go to ctest, e.g. `scripts/test.sh -L quick` for the quick tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
