#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
ketab_install_packages
ketab_build
cd build
ctest --no-tests=error --output-on-failure --timeout 300 -j"$(nproc)"
