#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing.
#   scripts/install-deps.sh          what building and running the launcher needs
#   scripts/install-deps.sh --tests  that, plus what the test suite needs
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools
  libqtermwidget5-1-dev libutf8proc-dev libpstreams-dev
  git rsync xdg-utils postgresql-client fonts-dejavu-core qttranslations5-l10n
  dpkg-dev pkexec
  libsodium-dev
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(xvfb xauth xdotool imagemagick postgresql python3 python3-packaging lintian desktop-file-utils curl)
  packages+=(minisign)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if (( ${#missing[@]} == 0 )); then
  echo "All needed packages are installed."
  exit 0
fi

sudo=()
(( EUID == 0 )) || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
