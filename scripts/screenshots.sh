#!/usr/bin/env bash
# Takes the README's screenshots: the main window with two workspaces, a
# workspace's git panel and the option panel, as PNG files.
#   scripts/screenshots.sh [--build-dir DIR] [--no-build] [output-dir]
# The output folder defaults to docs/images/. Everything the launcher sees is
# made here in a temporary folder: a home with its settings, two workspaces
# whose clones come from small local repositories standing in for the code
# host, a stand-in server script, a stand-in psql, a local page standing in
# for the CI service, and an install folder holding the built translations.
# The launcher runs on its own virtual display (Xvfb); nothing outside the
# temporary folder is touched.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

build_dir=build
build=1
output=docs/images
while (( $# > 0 )); do
  case "$1" in
    --build-dir) build_dir=${2:?--build-dir needs a folder}; shift 2 ;;
    --no-build) build=0; shift ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    -*) echo "usage: scripts/screenshots.sh [--build-dir DIR] [--no-build] [output-dir]" >&2; exit 2 ;;
    *) output=$1; shift ;;
  esac
done
build_dir=$(realpath -m "$build_dir")
mkdir -p "$output"
output=$(realpath "$output")

if (( build )); then
  [[ -f "$build_dir/CMakeCache.txt" ]] || cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build_dir" --target screenshooter translations -j"$(nproc)"
fi
program="$build_dir/docs/screenshooter"
[[ -x "$program" ]] || { echo "screenshots: $program is not built" >&2; exit 1; }
for command in xvfb-run git python3; do
  command -v "$command" > /dev/null || { echo "screenshots: $command is missing (scripts/install-deps.sh --tests)" >&2; exit 1; }
done

demo=$(mktemp -d "${TMPDIR:-/tmp}/kvl-screenshots.XXXXXX")
ci_pid=
cleanup() {
  [[ -n "$ci_pid" ]] && kill "$ci_pid" 2> /dev/null || true
  # The stand-in server leaves its process id behind; normally the launcher
  # has already stopped it.
  if [[ -f "$demo/home/velt-bin.pid" ]]; then
    kill "$(cat "$demo/home/velt-bin.pid")" 2> /dev/null || true
  fi
  rm -rf "$demo"
}
trap cleanup EXIT

host=$(sed -n 's/^KVL_CODE_HOST_NAME:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
host=${host:-github.com}

export HOME="$demo/home"
export SHELL=/bin/bash
export PATH="$demo/bin:$PATH"
unset XDG_CONFIG_HOME GIT_DIR GIT_WORK_TREE
export XDG_RUNTIME_DIR="$demo/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export GIT_CONFIG_NOSYSTEM=1
servers="$HOME/Documents/velt-servers"
mkdir -p "$HOME/Desktop" "$servers" "$demo/bin" "$demo/install/languages" "$HOME/.config/KydVeltLauncher"

# The terminals wait for a prompt ending in "$", whoever runs this.
printf '%s\n' "PS1='\\W \$ '" > "$HOME/.bashrc"
cat > "$HOME/.gitconfig" << 'EOF'
[user]
	name = Camille Martin
	email = camille.martin@example.org
[init]
	defaultBranch = master
[advice]
	detachedHead = false
EOF

cp "$build_dir"/resources/Translation_QEN_*.qm "$demo/install/languages/"

cat > "$HOME/.config/KydVeltLauncher/config" << 'EOF'
XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX
version:0.9.10 Release candidate 2
showLauncherStatus:1
showServerStatus:2
default_demo:0
default_p2:0
default_shell:0
default_enterprise:1
default_install:
default_upgrades:
auto_port:0
remove_installs:0
installer_status:1
secBeforeShutDown:2
acceptBeta:0
language:en
cursorType:0
-> todo list ->
Review the invoice rounding fix before Friday
Rebase the website menu branch on master
<- todo list <-
EOF

# A stand-in for psql: the database list.
cat > "$demo/bin/psql" << 'EOF'
#!/bin/sh
printf '%s\n' "db_server_a|camille|UTF8|C.UTF-8|C.UTF-8|" "db_server_b|camille|UTF8|C.UTF-8|C.UTF-8|" \
  "demo_sales|camille|UTF8|C.UTF-8|C.UTF-8|" "postgres|postgres|UTF8|C.UTF-8|C.UTF-8|"
EOF
chmod +x "$demo/bin/psql"

# --- Repositories standing in for the code host ------------------------------

commit_at=0
# commit <dir> <author> <message> <file> <content>: one commit, one hour after the previous.
commit() {
  local dir=$1 author=$2 message=$3 file=$4 content=$5
  commit_at=$((commit_at + 1))
  mkdir -p "$(dirname "$dir/$file")"
  printf '%s\n' "$content" > "$dir/$file"
  local date
  date=$(date -u -d "2024-05-06 08:00 UTC + $commit_at hours" '+%Y-%m-%dT%H:%M:%SZ')
  git -C "$dir" add "$file"
  GIT_AUTHOR_NAME="$author" GIT_AUTHOR_EMAIL="$(tr 'A-Z ' 'a-z.' <<< "$author")@example.org" \
    GIT_AUTHOR_DATE="$date" GIT_COMMITTER_DATE="$date" \
    git -C "$dir" commit -q -m "$message"
}

# The start script of the server: answers --version with the branch's version;
# otherwise logs like a starting server and runs until interrupted.
server_script() {
  cat << EOF
#!/bin/sh
if [ "\$1" = "--version" ]; then
    echo "Velt Server $1"
    exit 0
fi
echo \$\$ > "\$HOME/velt-bin.pid"
trap 'echo "Stopping gracefully"; rm -f "\$HOME/velt-bin.pid"; exit 0' INT TERM
now() { date '+%Y-%m-%d %H:%M:%S,000'; }
echo "\$(now) \$\$ INFO ? velt: Velt version $1"
echo "\$(now) \$\$ INFO ? velt: addons paths: \$(echo "\$@" | sed -n 's/.*--addons-path=\([^ ]*\).*/\1/p')"
echo "\$(now) \$\$ INFO ? velt: database: default@default:default"
echo "\$(now) \$\$ INFO ? velt.service.server: HTTP service (werkzeug) running on localhost:\$(echo "\$@" | sed -n 's/.*--xmlrpc-port \([0-9]*\).*/\1/p')"
echo "\$(now) \$\$ INFO db_server_a velt.modules.loading: loading 94 modules..."
echo "\$(now) \$\$ INFO db_server_a velt.modules.loading: 94 modules loaded in 0.61s, 0 queries"
echo "\$(now) \$\$ INFO db_server_a velt.modules.registry: Registry loaded in 1.204s"
while :; do
    sleep 0.2
done
EOF
}

seed_velt() {
  local seed=$1
  git init -q "$seed"
  commit "$seed" "Camille Martin" "Initial layout of the server" README.md "# Velt ERP server"
  server_script 10.0 > "$seed/velt-bin" && chmod +x "$seed/velt-bin"
  commit "$seed" "Camille Martin" "Start script" velt-bin "$(cat "$seed/velt-bin")"
  commit "$seed" "Jonas Peeters" "[ADD] account: invoices and payments" addons/account/models/invoice.py "class Invoice: pass"
  commit "$seed" "Sofia Esposito" "[ADD] sale: quotations and orders" addons/sale/models/order.py "class SaleOrder: pass"
  git -C "$seed" branch 10.0
  server_script 11.0 > "$seed/velt-bin"
  commit "$seed" "Camille Martin" "[REL] 11.0" velt-bin "$(cat "$seed/velt-bin")"
  commit "$seed" "Lukas Weber" "[FIX] account: tax lines keep their sign on refunds" addons/account/models/tax.py "class Tax: pass"
  commit "$seed" "Jonas Peeters" "[IMP] sale: discount per order line" addons/sale/models/order_line.py "class SaleOrderLine: pass"
  git -C "$seed" branch 11.0
  server_script 12.0alpha1 > "$seed/velt-bin"
  commit "$seed" "Camille Martin" "[REL] master is 12.0 alpha" velt-bin "$(cat "$seed/velt-bin")"
  commit "$seed" "Sofia Esposito" "[ADD] website: menus editable in place" addons/website/models/menu.py "class Menu: pass"
  commit "$seed" "Lukas Weber" "[REF] orm: one cache per environment" velt/orm/cache.py "class Cache: pass"
  git -C "$seed" checkout -q 11.0
  commit "$seed" "Jonas Peeters" "[FIX] sale: keep the pricelist on duplicated orders" addons/sale/models/order.py "class SaleOrder:
    pricelist = None"
  commit "$seed" "Sofia Esposito" "[FIX] account: due dates follow the payment terms" addons/account/models/invoice.py "class Invoice:
    due = None"
  git -C "$seed" checkout -q -b 11.0-fix-invoice-rounding
  commit "$seed" "Camille Martin" "[FIX] account: round invoice totals per line" addons/account/models/invoice.py "class Invoice:
    due = None
    rounding = 'per_line'"
  commit "$seed" "Camille Martin" "[FIX] account: rounding method in the settings" addons/account/models/settings.py "ROUNDING = ('per_line', 'global')"
  git -C "$seed" checkout -q master
  git -C "$seed" checkout -q -b master-website-menu-tests
  commit "$seed" "Sofia Esposito" "[ADD] website: tests of the menu editor" addons/website/tests/test_menu.py "def test_menu(): pass"
  git -C "$seed" checkout -q master
}

seed_enterprise() {
  local seed=$1
  git init -q "$seed"
  commit "$seed" "Lukas Weber" "Initial layout of the enterprise add-ons" README.md "# Velt enterprise add-ons"
  commit "$seed" "Lukas Weber" "[ADD] web_studio: form editor" web_studio/models/studio.py "class Studio: pass"
  git -C "$seed" branch 10.0
  commit "$seed" "Jonas Peeters" "[ADD] helpdesk: tickets and teams" helpdesk/models/ticket.py "class Ticket: pass"
  git -C "$seed" branch 11.0
  commit "$seed" "Sofia Esposito" "[ADD] planning: shifts" planning/models/shift.py "class Shift: pass"
  git -C "$seed" checkout -q 11.0
  commit "$seed" "Jonas Peeters" "[FIX] helpdesk: SLA deadlines skip week-ends" helpdesk/models/sla.py "class Sla: pass"
  git -C "$seed" checkout -q -b 11.0-helpdesk-sla-report
  commit "$seed" "Jonas Peeters" "[IMP] helpdesk: SLA report per team" helpdesk/report/sla_report.py "class SlaReport: pass"
  git -C "$seed" checkout -q master
}

hosted="$demo/code-host/$host"
for repo in velt enterprise; do
  seed="$demo/seed-$repo"
  "seed_$repo" "$seed"
  for organisation in velt velt-dev; do
    git init -q --bare "$hosted/$organisation/$repo"
  done
  git -C "$seed" push -q "$hosted/velt/$repo" master 10.0 11.0
  git -C "$seed" push -q "$hosted/velt-dev/$repo" --all
done

# clone_into <letter> <repo> <branch> [local branches...]: a clone as the launcher's
# "Clone repository" makes it (remote "origin", and "dev" for velt-dev).
clone_into() {
  local letter=$1 repo=$2 branch=$3
  shift 3
  local clone="$servers/server_$letter/$repo"
  git clone -q "$hosted/velt/$repo" "$clone"
  git -C "$clone" remote add dev "$hosted/velt-dev/$repo"
  git -C "$clone" fetch -q dev
  local local_branch
  for local_branch in "$branch" "$@"; do
    git -C "$clone" rev-parse -q --verify "refs/heads/$local_branch" > /dev/null && continue
    git -C "$clone" branch -q --track "$local_branch" "origin/$local_branch" 2> /dev/null \
      || git -C "$clone" branch -q --track "$local_branch" "dev/$local_branch"
  done
  git -C "$clone" checkout -q "$branch"
}

clone_into a velt 11.0-fix-invoice-rounding 11.0 10.0 master-website-menu-tests
clone_into a enterprise 11.0 11.0-helpdesk-sla-report
clone_into b velt master 11.0
clone_into b enterprise master

# Work in progress in workspace a, for the git panel's file lists.
printf '%s\n' "class Invoice:" "    due = None" "    rounding = 'global'" > "$servers/server_a/velt/addons/account/models/invoice.py"
mkdir -p "$servers/server_a/velt/addons/account/tests"
printf '%s\n' "def test_rounding(): pass" > "$servers/server_a/velt/addons/account/tests/test_rounding.py"

# Python environments as the installer lays them out; activating one only
# marks the prompt.
for version in v9 v10 v11 vMaster; do
  for python in python2 python3; do
    mkdir -p "$servers/environnements/$version/$python/bin"
    printf '%s\n' "VIRTUAL_ENV=$servers/environnements/$version/$python" "export VIRTUAL_ENV" \
      "PS1=\"($version-$python) \$PS1\"" > "$servers/environnements/$version/$python/bin/activate"
  done
done

cat > "$servers/server_a/VLconfig" << 'EOF'
### CONFIG FILE ###
<--- DB <---
db_server_a
demo_sales
---> DB --->
enterprise:::1
demo_data:::1
install:::sale,account
db:::db_server_a
color:::SolarizedLight
port:::8093
log:::info
log-handler:::velt.http:DEBUG
Workers:::2
LimitTimeCPU:::600
email-from:::erp@example.org
smtp-server:::localhost
smtp-port:::1025
dev-mode-reload:::1
dev-mode-qweb:::1
<--- GitCheckoutPoints <---
---> GitCheckoutPoints --->
EOF
cat > "$servers/server_b/VLconfig" << 'EOF'
### CONFIG FILE ###
<--- DB <---
db_server_b
---> DB --->
enterprise:::0
demo_data:::0
db:::db_server_b
color:::WhiteOnBlack
port:::8097
<--- GitCheckoutPoints <---
---> GitCheckoutPoints --->
EOF

# --- A local page standing in for the CI service -------------------------------

ci_page() {
  printf '%s\n' "<html>" "<body>" "<div class=\"wrapper\">" "<main>" "<div>" "<div>" "<div class=\"card\">" \
    "<table>" "<thead>" "<tr>" "<th>Branch</th>" "</tr>" "</thead>" "<tbody>"
  while (( $# > 1 )); do
    printf '%s\n' "<tr>" "<td><b>$1</b></td>" "<td class=\"$2\">build</td>" "</tr>"
    shift 2
  done
  printf '%s\n' "</tbody>" "</table>" "</div>" "</div>" "</div>" "</main>" "</div>" "</body>" "</html>"
}
slug_host=${host//./-}
ci="$demo/ci/vettor/repo"
mkdir -p "$ci"
ci_page 11.0 success 10.0 success master danger > "$ci/git-$slug_host-velt-velt-1"
ci_page 11.0-fix-invoice-rounding warning master-website-menu-tests success > "$ci/git-$slug_host-velt-dev-velt-2"
ci_page 11.0 success 10.0 success master success > "$ci/git-$slug_host-velt-enterprise-7"
ci_page 11.0-helpdesk-sla-report info > "$ci/git-$slug_host-velt-dev-enterprise-8"

ci_log="$demo/ci.log"
(cd "$demo/ci" && exec python3 -u -m http.server 0 --bind 127.0.0.1) > "$ci_log" 2>&1 &
ci_pid=$!
ci_port=
for _ in $(seq 100); do
  ci_port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$ci_log" | head -n 1)
  [[ -n "$ci_port" ]] && break
  sleep 0.1
done
[[ -n "$ci_port" ]] || { echo "screenshots: the local CI page did not come up" >&2; exit 1; }

# --- The pictures ------------------------------------------------------------

cd "$HOME"
export QT_QPA_PLATFORM=xcb
# A plain picture needs no OpenGL, no input method and no desktop bus; their
# libraries also keep memory the sanitized build would report as leaks.
export QT_XCB_GL_INTEGRATION=none QT_IM_MODULE=compose QT_ACCESSIBILITY=0
export DBUS_SESSION_BUS_ADDRESS="unix:path=$demo/no-session-bus"
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
  "$program" --install-dir "$demo/install" --ci-host "127.0.0.1:$ci_port" --output "$output"
echo "Screenshots written to $output"
