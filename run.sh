#!/usr/bin/env bash
# Installs what is missing, builds the reader and its sample book, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
ketab_install_packages
ketab_build
# The browser engine's sandbox cannot run as root; an ordinary user keeps it.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec build/book/ketab
