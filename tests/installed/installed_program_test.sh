#!/usr/bin/env bash
# Installs the build into a temporary prefix as a user would have it: the
# program folder complete and read-only, the desktop entry and icon in their
# places. Then runs the installed-program tests there as a user who does not
# own the folder (nobody, when this runs as root; root ignores permissions).
# Arguments: the build folder, the test driver. Exit 77: skipped.
set -euo pipefail
build=$1
driver=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
program=$prefix/lib/korvel
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

# The program folder holds the programs and every data file, as built.
expected=$( (printf '%s\n' korvel quillet libfendrix.so
    cd "$source_dir/data" && find . -type f ! -name CMakeLists.txt ! -name 'README*' | sed 's|^\./||') | sort)
installed=$(cd "$program" && find . -type f | sed 's|^\./||' | sort)
[ "$expected" = "$installed" ] || fail "the program folder differs from the build's:
$(diff <(echo "$expected") <(echo "$installed") || true)"
for file in $expected; do
    cmp -s "$build/program/$file" "$program/$file" 2>/dev/null \
        || [ "$file" = korvel ] || [ "$file" = quillet ] || [ "$file" = libfendrix.so ] \
        || fail "$file is not the build's"
done
[ -x "$program/korvel" ] && [ -x "$program/quillet" ] || fail "the programs are not executable"
[ "$(readlink -f "$prefix/bin/korvel")" = "$(readlink -f "$program/korvel")" ] || fail "bin/korvel"
desktop=$prefix/share/applications/korvel.desktop
grep -qx "Exec=\"$program/korvel\" %f" "$desktop" || fail "the desktop entry does not start $program/korvel"
grep -qx "Icon=korvel" "$desktop" || fail "the desktop entry names no icon"
grep -q "^Categories=.*;" "$desktop" || fail "the desktop entry has no categories"
[ -s "$prefix/share/icons/hicolor/scalable/apps/korvel.svg" ] || fail "no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi

chmod -R a-w "$program"
# The user's own folders, and the driver where that user can run it.
home=$work/home
mkdir -p "$home"
cp "$driver" "$work/driver"
chmod 755 "$work/driver"
run=()
if [ "$(id -u)" = 0 ]; then
    if ! id nobody >/dev/null 2>&1 || ! command -v setpriv >/dev/null; then
        echo "SKIP: no unprivileged user to run as"
        exit 77
    fi
    chown -R nobody "$home"
    run=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
fi
cd "$home"
env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u KORVEL_REGISTRY_DIR -u KORVEL_INSTANCE_NAME \
    HOME="$home" TMPDIR="$home" QT_QPA_PLATFORM=offscreen \
    KORVEL_INSTALLED_PROGRAM_DIR="$program" KORVEL_INSTALLED_COMMAND="$prefix/bin/korvel" \
    "${run[@]}" "$work/driver"
