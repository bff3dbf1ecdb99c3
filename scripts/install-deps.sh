#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing.
#   scripts/install-deps.sh          what building and running the launcher needs
#   scripts/install-deps.sh --tests  that, plus what the test suite needs
# The Qt major follows the terminal widget the release ships: qtermwidget for
# Qt 6 where apt knows libqtermwidget-dev (Debian 13), for Qt 5 otherwise
# (Debian 12). KVL_QT_MAJOR=5 or 6 chooses instead.
set -euo pipefail

sudo=()
(( EUID == 0 )) || sudo=(sudo)
updated=false
apt_update() {
  if [[ "$updated" == false ]]; then
    "${sudo[@]}" apt-get update -qq
    updated=true
  fi
}
installed() { [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" == "install ok installed" ]]; }
known() { [[ -n "$(apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: *//p' | grep -v '(none)')" ]]; }

qt_major=${KVL_QT_MAJOR:-}
if [[ -z "$qt_major" ]]; then
  if installed libqtermwidget-dev; then
    qt_major=6
  elif installed libqtermwidget5-1-dev; then
    qt_major=5
  else
    # A system whose package lists were never read knows neither.
    known libqtermwidget-dev || known libqtermwidget5-1-dev || apt_update
    if known libqtermwidget-dev; then qt_major=6; else qt_major=5; fi
  fi
fi

case "$qt_major" in
  5) qt_packages=(qtbase5-dev qttools5-dev qttools5-dev-tools libqtermwidget5-1-dev qttranslations5-l10n) ;;
  6) qt_packages=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-qpa-plugins libqtermwidget-dev qt6-translations-l10n) ;;
  *) echo "install-deps.sh: KVL_QT_MAJOR is $qt_major: 5 or 6" >&2; exit 2 ;;
esac
packages=(
  build-essential cmake pkg-config
  "${qt_packages[@]}" libutf8proc-dev libpstreams-dev
  git rsync xdg-utils postgresql-client fonts-dejavu-core
  dpkg-dev pkexec
  libsodium-dev
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(xvfb xauth xdotool imagemagick postgresql python3 python3-packaging lintian desktop-file-utils curl file)
  packages+=(minisign)
fi

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if (( ${#missing[@]} == 0 )); then
  echo "All needed packages are installed (Qt $qt_major)."
  exit 0
fi

echo "Installing (Qt $qt_major): ${missing[*]}"
apt_update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
