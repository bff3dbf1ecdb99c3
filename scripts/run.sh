#!/usr/bin/env bash
# Installs what is missing, builds both programs, installs them into the
# install directory (with the menu entry and its icon) and starts the launcher
# from there. Arguments are passed to the launcher (for example -t -s).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Not the package build: this install updates itself.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKVL_BUILD_TESTS=OFF -DKVL_PACKAGED=OFF
cmake --build build-release -j"$(nproc)"

sudo=()
(( EUID == 0 )) || sudo=(sudo)
"${sudo[@]}" cmake --install build-release
install_dir=$(sed -n 's/^KVL_INSTALL_DIR:PATH=//p' build-release/CMakeCache.txt)
install_dir=${install_dir%/}
# The install directory and what was installed into it belong to whoever ran
# this script, so the launcher, run by them, can renew the manifest and the
# upgrader there; the upgrader replaces the rest with superuser rights. What
# lies outside (menu entry, icons, /usr/local/bin/gksudo) stays root's. A
# shared directory is never given away.
if (( EUID != 0 )); then
  case "$install_dir" in
    "" | / | /opt | /usr | /usr/local | /home | "$HOME")
      echo "run.sh: $install_dir is shared, it stays root's: the launcher cannot update itself there" >&2 ;;
    *)
      mapfile -t installed < <(grep -F "$install_dir/" build-release/install_manifest.txt)
      owned=("$install_dir")
      for file in "${installed[@]}"; do
        owned+=("$file")
        folder=$(dirname "$file")
        while [[ "$folder" == "$install_dir"/* ]]; do
          owned+=("$folder")
          folder=$(dirname "$folder")
        done
      done
      sudo chown "$(id -u):$(id -g)" "${owned[@]}" ;;
  esac
fi
# The launcher starts the upgrader through gksudo: the installed replacement
# goes on the PATH when the system has none of its own.
if ! command -v gksudo >/dev/null 2>&1; then
  "${sudo[@]}" ln -sfn "$install_dir/gksudo" /usr/local/bin/gksudo
fi
cd "$install_dir"
exec ./KydVeltLauncher "$@"
