#!/usr/bin/env bash
# Publishes a release on the update server's folder: adds the release's block,
# every file with its SHA-256, at the top of the update manifest, and signs
# the manifest with minisign.
#
#   scripts/publish-update.sh [-k SECRET_KEY] [-t TITLE] [-d DESCRIPTION_FILE] [-b] [-B] RELEASE_FOLDER
#
# RELEASE_FOLDER is <update server folder>/<MAJOR.MINOR.PATCH>; it holds the
# release's files at their paths inside the install directory (for example
# KydVeltLauncher, KydVeltUpgrader, languages/Translation_QEN_fr.qm). The
# manifest is <update server folder>/manifest_UBUNTU_16_04_x64, made when
# missing, and its signature goes beside it with ".minisig" added.
#   -k  minisign secret key (default: minisign's own, ~/.minisign/minisign.key)
#   -t  the release's title (default: "Release MAJOR.MINOR.PATCH")
#   -d  a file whose lines describe the release
#   -b  a beta release: offered only to those who accept betas
#   -B  a "---BREAK UPDATE---" under the release: programs older than it skip
#       what lies below
set -euo pipefail

usage() {
  sed -n '6p' "$0" | sed 's/^#  */usage: /' >&2
  exit 2
}

key=()
title=""
description=""
beta=0
break_update=0
while getopts "k:t:d:bB" option; do
  case "$option" in
    k) key=(-s "$OPTARG") ;;
    t) title=$OPTARG ;;
    d) description=$OPTARG ;;
    b) beta=1 ;;
    B) break_update=1 ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
(( $# == 1 )) || usage

release=${1%/}
version=$(basename "$release")
server=$(dirname "$release")
manifest="$server/manifest_UBUNTU_16_04_x64"
install_dir=/opt/kydveltlauncher

[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
  { echo "publish-update: $release: the folder's name must be the version, MAJOR.MINOR.PATCH" >&2; exit 1; }
[[ -d "$release" ]] || { echo "publish-update: $release is not a folder" >&2; exit 1; }
command -v minisign >/dev/null || { echo "publish-update: minisign is not installed" >&2; exit 1; }
if [[ -e "$manifest" ]] && grep -q "^$version|" "$manifest"; then
  echo "publish-update: $manifest already lists $version" >&2
  exit 1
fi
if [[ -n "$(find "$release" ! -type f ! -type d -print -quit)" ]]; then
  echo "publish-update: $release holds something else than files and folders (a link?)" >&2
  exit 1
fi

block=$(mktemp)
signed=$(mktemp)
trap 'rm -f "$block" "$signed" "$signed.minisig"' EXIT
{
  (( beta )) && echo "---BETA---"
  echo "$version|${title:-Release $version}"
  while IFS= read -r -d '' file; do
    relative=${file#"$release"/}
    if [[ "$relative" == *"|"* || "$relative" == *$'\n'* ]]; then
      echo "publish-update: $relative: a file name may not hold '|' or a line break" >&2
      exit 1
    fi
    hash=$(sha256sum < "$file")
    echo "$relative|${hash%% *}|$install_dir/$relative"
  done < <(find "$release" -type f -print0 | LC_ALL=C sort -z)
  echo "---END FILES---"
  if [[ -n "$description" ]]; then
    grep -v -e '---END DESCRIPTION---' "$description" || true
  fi
  echo "---END DESCRIPTION---"
  (( break_update )) && echo "---BREAK UPDATE---"
  # What follows keeps the channel it had at the top of the file.
  (( beta )) && echo "---RELEASE---"
  true
} > "$block"

cat "$block" > "$signed"
[[ -e "$manifest" ]] && cat "$manifest" >> "$signed"
minisign -S "${key[@]}" -m "$signed" -x "$signed.minisig" \
  -t "KydVeltLauncher update manifest, release $version, $(date -u +%Y-%m-%dT%H:%M:%SZ)" >/dev/null
# The signature first: a reader between the two never takes the new
# manifest with the old signature as good, it refuses the pair.
chmod 644 "$signed" "$signed.minisig"
mv "$signed.minisig" "$manifest.minisig"
mv "$signed" "$manifest"
echo "Published $version in $manifest"
