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
install_dir=$(sed -n 's/^KVL_INSTALL_DIR:PATH=//p' build-release/CMakeCache.txt)
install_dir=${install_dir%/}

# The install directory and the programs in it are the superuser's, as any
# system install: the upgrader runs as root and writes there, and gksudo and
# the menu entry point there. So no folder on the way may be one another
# account could change or replace.
folder=""
IFS=/ read -ra pieces <<< "${install_dir#/}"
for piece in "" "${pieces[@]}"; do
  folder="$folder/$piece"
  folder=${folder//\/\//\/}
  [[ -e "$folder" || -L "$folder" ]] || break
  if [[ -L "$folder" || ! -d "$folder" ]]; then
    echo "run.sh: $folder is a symbolic link or not a folder: install elsewhere (-DKVL_INSTALL_DIR)" >&2
    exit 1
  fi
  read -r owner mode < <(stat -c '%u %a' "$folder")
  if [[ "$owner" != 0 ]] || (( 8#$mode & 8#022 )); then
    echo "run.sh: $folder is not the superuser's alone: install elsewhere (-DKVL_INSTALL_DIR)" >&2
    exit 1
  fi
done
# An install made by an earlier version of this script belonged to whoever
# ran it. It is moved aside, untouched, and a fresh install takes its place.
if [[ -d "$install_dir" ]] && [[ -n "$(find "$install_dir" ! -uid 0 -print -quit)" ]]; then
  aside="$install_dir.user-owned-$(date +%Y%m%d-%H%M%S)"
  "${sudo[@]}" mv -T -- "$install_dir" "$aside"
  echo "run.sh: $install_dir held files that were not the superuser's; it was moved to $aside and installed afresh. Delete $aside once you no longer need it." >&2
fi
"${sudo[@]}" cmake --install build-release
# The launcher starts the upgrader through gksudo: the installed replacement
# goes on the PATH when the system has none of its own.
if ! command -v gksudo >/dev/null 2>&1; then
  "${sudo[@]}" ln -sfn "$install_dir/gksudo" /usr/local/bin/gksudo
fi
cd "$install_dir"
exec ./KydVeltLauncher "$@"
