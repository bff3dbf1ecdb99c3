#!/usr/bin/env bash
# Installs what is missing, builds both programs, installs them into the
# install directory (with the menu entry and its icon) and starts the launcher
# from there. Arguments are passed to the launcher (for example -t -s).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKVL_BUILD_TESTS=OFF
cmake --build build-release -j"$(nproc)"

sudo=()
(( EUID == 0 )) || sudo=(sudo)
"${sudo[@]}" cmake --install build-release
install_dir=$(sed -n 's/^KVL_INSTALL_DIR:PATH=//p' build-release/CMakeCache.txt)
# The launcher starts the upgrader through gksudo: the installed replacement
# goes on the PATH when the system has none of its own.
if ! command -v gksudo >/dev/null 2>&1; then
  "${sudo[@]}" ln -sfn "$install_dir/gksudo" /usr/local/bin/gksudo
fi
cd "$install_dir"
exec ./KydVeltLauncher "$@"
