#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests and the Win32
# programs under Wine (throwaway prefix, Xvfb), in one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
