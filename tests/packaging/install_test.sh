#!/bin/sh
# Installs a build into a temporary prefix and checks what a desktop and a user find there:
# the three programs, the menu entry and its icon, the shared files and the README.
#   install_test.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
  echo "install_test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vantorel bin/vantorel-cli bin/vantorel-module-sim \
    share/applications/vantorel.desktop share/icons/hicolor/scalable/apps/vantorel.svg \
    share/vantorel/demo-show.json share/vantorel/show-json.md share/vantorel/demo/library.vt2 \
    share/vantorel/demo/vt2.cnf share/doc/vantorel/README.md; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done

for program in vantorel vantorel-cli vantorel-module-sim; do
  out=$("$prefix/bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed \"$out\""
done

desktop-file-validate "$prefix/share/applications/vantorel.desktop" || fail "the menu entry is not valid"
grep -qx 'Exec=vantorel' "$prefix/share/applications/vantorel.desktop" || fail "the menu entry does not start vantorel"
grep -qx 'Icon=vantorel' "$prefix/share/applications/vantorel.desktop" || fail "the menu entry does not show the icon"
echo "installed and checked in $prefix"
