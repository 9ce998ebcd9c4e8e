#!/bin/bash
# Builds the Debian package with cpack into a temporary folder and checks it
# without installing it: the control fields, that every library the program
# links is a dependency and no development package or build path is, the
# file list under /usr, ownership and modes, the checksums, and that the
# unpacked program runs.
#
#     package_test.sh <build folder>
set -u
build=$(cd "$1" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-package-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps file readelf; do
  command -v "$tool" >/dev/null ||
    { echo "FAIL: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb=$tmp/vantrel_${version}_${arch}.deb

(cd "$tmp" && cpack -G DEB -B "$tmp" --config "$build/CPackConfig.cmake") >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log" >&2; echo "FAIL: cpack -G DEB" >&2; exit 1; }
[ -f "$deb" ] || { ls "$tmp" >&2; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }

# --- The control fields.

dpkg-deb --info "$deb" >"$tmp/info" 2>&1 || { cat "$tmp/info" >&2; fail "dpkg-deb --info"; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantrel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), the project is $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
[ "$(field Installed-Size)" -gt 0 ] 2>/dev/null || fail "Installed-Size: $(field Installed-Size)"
description=$(field Description)
[ -n "$(head -n 1 <<<"$description")" ] || fail "no summary line in Description"
[ "$(wc -l <<<"$description")" -gt 1 ] || fail "no long Description"
# The control archive holds the control file and the checksums; no scripts
# are needed, the desktop's caches are refreshed by dpkg triggers.
dpkg-deb -e "$deb" "$tmp/control"
for script in preinst postinst prerm postrm; do
  [ -e "$tmp/control/$script" ] && fail "unexpected maintainer script $script"
done
grep -F -e "$build" -e "$(cd "$build/.." && pwd)/" -r "$tmp/control" >&2 && fail "the control files name the build tree"

# --- Dependencies: every library the program links, and nothing to build with.

depends=$(field Depends)
echo "Depends: $depends"
packages=$(tr ',|' '\n' <<<"$depends" | sed 's/(.*)//; s/^ *//; s/ *$//; s/:.*//' | sort -u)
grep -E -- '-dev$' <<<"$packages" >&2 && fail "Depends names a development package"
grep -F -e "$build" -e / <<<"$depends" >&2 && fail "Depends names a path"

dpkg-deb -x "$deb" "$tmp/root"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null)
program=$tmp/root/usr/bin/vantrel
for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  # The package that holds the library on this machine, e.g. libcairo2:amd64.
  owner=$(dpkg -S "*/$multiarch/$soname" 2>/dev/null | sed -n '1s/[:,].*//p')
  if [ -z "$owner" ]; then
    fail "no package holds $soname"
  elif ! grep -qxF "$owner" <<<"$packages"; then
    fail "the program links $soname of $owner, which is no dependency"
  fi
done
# What the program is built on, whatever the sonames are called today
# (freetype comes through cairo: the linker drops the direct link).
for library in libsdl2 libcairo2 libfontconfig libpng libjpeg libgif libx11 fonts-dejavu-core; do
  grep -q "^$library" <<<"$packages" || fail "no dependency on $library"
done
readelf -d "$program" | grep -E 'RPATH|RUNPATH' >&2 && fail "the program keeps a library search path"

# --- The files: all under /usr, owned by root, none writable by others.

dpkg-deb --contents "$deb" >"$tmp/contents"
awk '{ print substr($6, 2) }' "$tmp/contents" | grep -v '/$' | sort >"$tmp/files"
for file in \
  /usr/bin/vantrel \
  /usr/share/vantrel/templates/language.html \
  /usr/share/vantrel/icons/Job.png \
  /usr/share/vantrel/defs/Demo.vto /usr/share/vantrel/defs/Demo.vtw \
  /usr/share/vantrel/defs/holiday.vth \
  /usr/share/applications/vantrel.desktop \
  /usr/share/icons/hicolor/16x16/apps/vantrel.png \
  /usr/share/icons/hicolor/32x32/apps/vantrel.png \
  /usr/share/icons/hicolor/scalable/apps/vantrel.svg \
  /usr/share/mime/packages/vantrel.xml \
  /usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml \
  /usr/share/man/man1/vantrel.1 \
  /usr/share/doc/vantrel/user-guide.md \
  /usr/share/doc/vantrel/main-window.png; do
  grep -qxF "$file" "$tmp/files" || fail "the package lacks $file"
done
grep -v '^/usr/' "$tmp/files" >&2 && fail "files outside /usr"
grep -E '^/usr/(local|include|lib/cmake|lib/pkgconfig)/' "$tmp/files" >&2 && fail "files a program package does not carry"
awk '$2 != "root/root"' "$tmp/contents" | grep . >&2 && fail "files not owned by root"
awk 'substr($1, 9, 1) == "w"' "$tmp/contents" | grep . >&2 && fail "files writable by everyone"
grep -qE '^-rwxr-xr-x .* \./usr/bin/vantrel$' "$tmp/contents" || fail "/usr/bin/vantrel is not an executable of mode 755"
file "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file -b "$program")"

(cd "$tmp/root" && md5sum --quiet -c "$tmp/control/md5sums") >&2 || fail "md5sums do not match the files"

[ "$("$program" --version)" = "vantrel $version (build 20030823)" ] || fail "--version: $("$program" --version)"

if [ "$failures" -ne 0 ]; then
  cat "$tmp/info" >&2
  exit 1
fi
echo "package test passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
