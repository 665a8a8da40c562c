#!/usr/bin/env bash
# The package's life with dpkg in a throw-away root (its own database, no container): install,
# run `tarvos --version`, install again over itself, remove, purge. The user's data files under
# ~/.local/share/Tarvos/ are the user's, like documents: removing the program never touches
# them. The package carries no maintainer scripts, so dpkg alone decides what goes.
#   packaging/test-lifecycle.sh <folder with the .deb>
set -euo pipefail
deb=$(ls "$1"/tarvos_*.deb)
root=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$root" "$log"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort | tr '\n' ' ')
[ "$control" = "control md5sums " ] || fail "the package carries more than control and md5sums: $control"

mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
# The libraries the programs need are those of this machine, not of the empty root.
# dpkg's notes about them go to a log, shown when a step fails.
dpkg_root() {
    dpkg --root="$root" --force-depends --force-not-root --log=/dev/null "$@" >>"$log" 2>&1 ||
        { cat "$log"; fail "dpkg $*"; }
}
state() { dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' tarvos 2>/dev/null || true; }

data="$root/home/controller/.local/share/Tarvos"
mkdir -p "$data"
printf '5051\r\n5103\r\nEDDT\r\n 3 \r\n' >"$data/squawk.txt"
printf 'a strip\r\n' >"$data/log.txt"
before=$(cd "$data" && md5sum squawk.txt log.txt)

dpkg_root -i "$deb"
[ "$(state)" = "install ok installed" ] || fail "after install: '$(state)'"
version=$("$root/usr/bin/tarvos" --version)
[ "$version" = "Tarvos V7.4" ] || fail "tarvos --version printed '$version'"
[ -x "$root/usr/bin/tarvos-netsim" ] || fail "tarvos-netsim missing"

dpkg_root -i "$deb"
[ "$(state)" = "install ok installed" ] || fail "after the second install: '$(state)'"
"$root/usr/bin/tarvos" --version >/dev/null || fail "tarvos --version after the second install"

dpkg_root -r tarvos
case $(state) in "" | "unknown ok not-installed" | "deinstall ok config-files") ;;
*) fail "after remove: '$(state)'" ;;
esac
dpkg_root -P tarvos
[ -z "$(state)" ] || [ "$(state)" = "unknown ok not-installed" ] || fail "after purge: '$(state)'"
left=$(find "$root" -path "$root/var/lib/dpkg" -prune -o -path "$root/home" -prune -o -type f -print)
[ -z "$left" ] || fail "remove and purge left files: $left"

[ "$(cd "$data" && md5sum squawk.txt log.txt)" = "$before" ] || fail "the user's data files changed"
echo "install, --version, reinstall, remove and purge: fine; the user's data files untouched"
