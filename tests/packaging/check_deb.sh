#!/bin/sh
# Checks a built Debian package: its control fields and files, that its programs run from a
# throwaway root, and that the packages it depends on provide every library they link, so
# `apt install ./vantorel_*.deb` pulls what the programs need.
#   check_deb.sh vantorel_VERSION_ARCH.deb
set -eu
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check_deb: $*" >&2
  exit 1
}

dpkg-deb --info "$deb"
[ "$(dpkg-deb --field "$deb" Package)" = vantorel ] || fail "the package is not named vantorel"

dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in usr/bin/vantorel usr/bin/vantorel-cli usr/bin/vantorel-module-sim \
    usr/share/applications/vantorel.desktop usr/share/icons/hicolor/scalable/apps/vantorel.svg \
    usr/share/vantorel/demo-show.json usr/share/vantorel/show-json.md usr/share/vantorel/demo/library.vt2 \
    usr/share/doc/vantorel/README.md; do
  grep -qx "./$file" "$work/contents" || fail "$file is not in the package"
done

# One declared package name per line, alternatives included, versions dropped.
dpkg-deb --field "$deb" Depends | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//' | sed '/^$/d' >"$work/declared"
echo "declared: $(tr '\n' ' ' <"$work/declared")"
grep -qx libqt6svg6 "$work/declared" || fail "the SVG icon engine (libqt6svg6) is not declared"

dpkg-deb --extract "$deb" "$work/root"
for program in "$work"/root/usr/bin/*; do
  name=$(basename "$program")
  # Every library the program names, where the system finds it, and the package that holds it.
  for library in $(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'); do
    path=$(ldd "$program" | awk -v l="$library" '$1 == l {print $3}')
    [ -n "$path" ] || fail "$name: $library is not found on this system"
    owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null || dpkg -S "/usr$path") ||
      fail "$name: no package holds $path"
    package=${owner%%:*}
    grep -qx "$package" "$work/declared" || fail "$name links $library from $package, which is not declared"
  done
done

version=$(dpkg-deb --field "$deb" Version)
for program in vantorel-cli vantorel-module-sim; do
  out=$("$work/root/usr/bin/$program" --version)
  [ "$out" = "$program $version" ] || fail "$program --version printed \"$out\""
done
echo "check_deb: $deb is complete and declares what its programs link"
