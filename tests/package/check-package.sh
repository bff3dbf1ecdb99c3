#!/usr/bin/env bash
# check-package.sh BUILD_DIR INSTALL_DIR
#
# Builds the Debian package from a build folder's programs (cpack, into a
# temporary folder) and checks it without installing it: the files it holds,
# its control fields, the menu entry, its maintainer scripts (run against a
# recording update-alternatives), lintian, and whether apt can resolve its
# dependencies (a simulation, which changes nothing).
set -euo pipefail

build=$(cd "$1" && pwd)
install_dir=$2
inside=".${install_dir}"
package=kydveltlauncher

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
debs=("$work"/out/*.deb)
if (( ${#debs[@]} != 1 )) || [[ ! -f "${debs[0]}" ]]; then
  echo "FAIL: expected one package, got: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
echo "Package: $(basename "$deb")"

# The files, with the modes that matter.
dpkg-deb -c "$deb" | awk '{ print $1, $6 }' >"$work/contents"
expect_file() { # MODE PATH
  grep -qxF -- "$1 $2" "$work/contents" || fail "no $2 with mode $1 in the package"
}
for program in KydVeltLauncher KydVeltUpgrader gksudo; do
  expect_file -rwxr-xr-x "$inside/$program"
done
for file in languages/Translation_QEN_en.qm languages/Translation_QEN_fr.qm \
  reqV9.txt reqV10.txt reqV11.txt reqVMaster.txt manifest; do
  expect_file -rw-r--r-- "$inside/$file"
done
expect_file -rw-r--r-- ./usr/share/applications/$package.desktop
for size in 48 128 256; do
  expect_file -rw-r--r-- "./usr/share/icons/hicolor/${size}x${size}/apps/$package.png"
done
expect_file -rw-r--r-- ./usr/share/doc/$package/copyright
expect_file -rw-r--r-- ./usr/share/doc/$package/changelog.Debian.gz
expect_file -rw-r--r-- ./usr/share/lintian/overrides/$package
# Nothing may land elsewhere: a stray absolute path from the build machine
# would be installed on every user's.
while read -r _ path; do
  case "$path" in
    "$inside"/* | ./usr/share/*) ;;
    */) [[ "$inside/" == "$path"* || ./usr/share/ == "$path"* ]] || fail "stray folder $path" ;;
    *) fail "file outside the install directory and /usr/share: $path" ;;
  esac
done <"$work/contents"

# Control fields: the libraries come from dpkg-shlibdeps, the tools are ours.
field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == "$package" ]] || fail "package name $(field Package)"
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
release=$(cached CMAKE_PROJECT_VERSION)
[[ -n "$release" && "$(field Version)" == "$release"-* ]] || fail "version $(field Version), not $release"
# Each release's package is told apart by the end of its version (~deb12).
suffix=$(cached KVL_PACKAGE_RELEASE_SUFFIX)
if [[ -r /etc/os-release ]] && [[ "$(. /etc/os-release && echo "$ID")" == debian ]]; then
  [[ "$suffix" == "~deb$(. /etc/os-release && echo "${VERSION_ID:-}")" ]] || fail "release suffix '$suffix' on this system"
fi
[[ "$(field Version)" == "$release-1$suffix" ]] || fail "version $(field Version), not $release-1$suffix"
[[ "$(field Section)" == devel ]] || fail "section $(field Section)"
[[ "$(field Maintainer)" == *"<"*@*">"* ]] || fail "maintainer $(field Maintainer)"
depends=$(field Depends)
echo "Depends: $depends"
# The libraries of the Qt the build used, and Qt 6's display plugins.
case "$(cached KVL_QT_MAJOR)" in
  5) libraries=(libqt5core5a libqt5widgets5 libqt5network5 libqtermwidget5-1) ;;
  6) libraries=(libqt6core6t64 libqt6widgets6 libqt6network6 libqtermwidget6-2 qt6-qpa-plugins) ;;
  *) fail "no Qt major in the build's cache"; libraries=() ;;
esac
for dependency in "${libraries[@]}" git rsync postgresql-client xdg-utils pkexec; do
  [[ ",$depends," =~ [,\ ]${dependency}[\ ,\(] ]] || fail "Depends lacks $dependency"
done

# The menu entry, as a desktop would read it.
dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/$package.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ "$(entry Exec)" == "$install_dir/KydVeltLauncher" ]] || fail "Exec=$(entry Exec)"
[[ "$(entry Path)" == "$install_dir" ]] || fail "Path=$(entry Path)"
[[ "$(entry Terminal)" == false ]] || fail "Terminal=$(entry Terminal)"
[[ -n "$(entry 'Name\[fr\]')" && -n "$(entry 'Comment\[fr\]')" ]] || fail "no French name or comment"
icon=$(entry Icon)
[[ -f "$work/root/usr/share/icons/hicolor/48x48/apps/$icon.png" ]] || fail "Icon=$icon is not in the package"
for size in 48 128 256; do
  actual=$(file -b "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$package.png")
  [[ "$actual" == "PNG image data, $size x $size,"* ]] || fail "icon of size $size is: $actual"
done
for file in reqV9.txt reqV10.txt reqV11.txt reqVMaster.txt; do
  cmp -s "$work/root$install_dir/$file" "$(dirname "$0")/../../packaging/requirements/$file" ||
    fail "$file in the package differs from its source"
done

# Maintainer scripts, with update-alternatives replaced by a recorder.
dpkg-deb -e "$deb" "$work/control"
mkdir "$work/bin"
cat >"$work/bin/update-alternatives" <<'EOF'
#!/bin/sh
echo "$*" >>"$RECORD"
EOF
chmod +x "$work/bin/update-alternatives"
maintainer_script() { # SCRIPT ARGUMENT... -> what it asked update-alternatives
  : >"$work/record"
  RECORD="$work/record" PATH="$work/bin:$PATH" "$work/control/$1" "${@:2}" ||
    fail "$1 $* failed"
  cat "$work/record"
}
link="/usr/bin/gksudo gksudo $install_dir/gksudo 10"
[[ "$(maintainer_script postinst configure)" == "--install $link" ]] ||
  fail "postinst configure does not register gksudo"
[[ "$(maintainer_script prerm remove)" == "--remove gksudo $install_dir/gksudo" ]] ||
  fail "prerm remove does not unregister gksudo"
[[ -z "$(maintainer_script prerm upgrade "$(field Version)")" ]] ||
  fail "prerm upgrade unregisters gksudo, leaving a gap while the new version unpacks"

# lintian: errors fail, warnings are shown.
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
if grep -q '^E: ' "$work/lintian"; then
  fail "lintian reports errors"
fi

# Whether apt would install it: a simulation only.
if ! apt-get install --simulate "$deb" >"$work/apt" 2>&1; then
  cat "$work/apt" >&2
  fail "apt-get cannot resolve the package's dependencies"
elif ! grep -q "^Inst $package " "$work/apt"; then
  cat "$work/apt" >&2
  fail "apt-get would not install the package"
fi

if (( failures > 0 )); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "Package checks passed"
