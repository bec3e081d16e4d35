#!/usr/bin/env bash
# Installs what is missing, builds the reader and its sample book, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
ketab_install_packages
ketab_build
exec build/book/ketab
