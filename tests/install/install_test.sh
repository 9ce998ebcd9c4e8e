#!/bin/bash
# Installs the build into a temporary prefix and checks what lands there:
# the file list, the desktop files (with the validators when they are
# installed), and that the installed program seeds a fresh user's data
# folder once, keeps the user's changes and writes nothing under the prefix.
#
#     install_test.sh <build folder>
set -u
build=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

for file in \
  bin/vantrel \
  share/vantrel/templates/language.html \
  share/vantrel/icons/Job.png share/vantrel/icons/Job-16.png \
  share/vantrel/defs/Demo.vto share/vantrel/defs/Demo.vtw share/vantrel/defs/holiday.vth \
  share/applications/vantrel.desktop \
  share/icons/hicolor/16x16/apps/vantrel.png \
  share/icons/hicolor/32x32/apps/vantrel.png \
  share/icons/hicolor/scalable/apps/vantrel.svg \
  share/mime/packages/vantrel.xml \
  share/metainfo/org.vantrel.Vantrel.metainfo.xml \
  share/man/man1/vantrel.1 \
  share/doc/vantrel/user-guide.md; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/vantrel" ] || fail "bin/vantrel is not executable"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.vantrel.Vantrel.metainfo.xml" ||
    fail "appstreamcli validate"
else
  echo "appstreamcli not installed: metainfo not validated"
fi
# Every type the desktop entry claims is one the package defines.
for type in $(sed -n 's/^MimeType=//p' "$prefix/share/applications/vantrel.desktop" | tr ';' ' '); do
  grep -q "type=\"$type\"" "$prefix/share/mime/packages/vantrel.xml" || fail "no mime type $type"
done

[ "$("$prefix/bin/vantrel" --version)" = "vantrel $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt") (build 20030823)" ] ||
  fail "--version: $("$prefix/bin/vantrel" --version)"

# A fresh user without a display: the program seeds the data folder before
# it finds there is no display.
find "$prefix" -printf '%p %s %T@\n' | sort >"$tmp/prefix.before"
home=$tmp/home
start() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_DATA_HOME \
    HOME="$home" XDG_CONFIG_HOME="$home/config" "$prefix/bin/vantrel" >>"$tmp/run.log" 2>&1
}
mkdir -p "$home"
start
data=$home/.local/share/vantrel
for file in defs/Demo.vto defs/Demo.vtw defs/holiday.vth templates/language.html icons/Job.png; do
  cmp -s "$prefix/share/vantrel/$file" "$data/$file" || fail "not seeded: $file"
done

# The second start keeps the user's changes and what the user deleted.
echo "; the user's own" >>"$data/defs/Demo.vto"
cp "$data/defs/Demo.vto" "$tmp/changed.vto"
rm "$data/defs/holiday.vth"
start
cmp -s "$tmp/changed.vto" "$data/defs/Demo.vto" || fail "the user's Demo.vto was replaced"
[ -e "$data/defs/holiday.vth" ] && fail "a deleted holiday list came back"

find "$prefix" -printf '%p %s %T@\n' | sort >"$tmp/prefix.after"
diff "$tmp/prefix.before" "$tmp/prefix.after" >&2 || fail "the program wrote under the prefix"

if [ "$failures" -ne 0 ]; then
  cat "$tmp/run.log" >&2
  exit 1
fi
echo "install test passed"
