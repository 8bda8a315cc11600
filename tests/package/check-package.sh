#!/usr/bin/env bash
# check-package.sh BUILD_DIR VERSION: makes the .deb with cpack into a
# folder of its own and checks its files, its desktop entry and AppStream
# metadata, that both installed programs answer --version with VERSION, and
# that lintian finds no error in it (skipped, and said so, without lintian).
set -uo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack -G DEB"
  exit 1
fi
deb=$(ls "$work"/dezoredu_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { fail "no dezoredu_*.deb made"; exit 1; }

# The release with the first Debian revision.
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "package version $(dpkg-deb -f "$deb" Version), not $version-1"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/files"
expected=(
  /usr/bin/dezoredu /usr/bin/dezoredu-cli
  /usr/share/dezoredu/help/DEZOREDU.HLP
  /usr/share/applications/dezoredu.desktop
  /usr/share/metainfo/org.example.dezoredu.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/dezoredu.svg
  /usr/share/man/man1/dezoredu.1.gz /usr/share/man/man1/dezoredu-cli.1.gz
  /usr/share/doc/dezoredu/copyright /usr/share/doc/dezoredu/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/dezoredu.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$work/files" || fail "missing $file"
done
# The modules that alone load FFmpeg, libheif and libgeonames, in the package's private folder.
for module in dezoredu-video.so dezoredu-heif.so dezoredu-places.so; do
  grep -qE "^/usr/lib/([^/]+/)?dezoredu/$module\$" "$work/files" || fail "missing the private module $module"
done
dpkg-deb -f "$deb" Depends | grep -q libheif || fail "Depends lacks libheif: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q libgeonames || fail "Depends lacks libgeonames: $(dpkg-deb -f "$deb" Depends)"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/dezoredu.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=dezoredu %f' "$root/usr/share/applications/dezoredu.desktop" || fail "Exec does not take %f"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.dezoredu.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.dezoredu.metainfo.xml" ||
  fail "AppStream release is not $version"
for size in 16 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/dezoredu.png" | grep -q "$size x $size" ||
    fail "the ${size}x${size} icon has another size"
done
for page in dezoredu dezoredu-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .*\"Dezoredu $version\"" || fail "$page.1 is not of $version"
done
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$root/usr/share/metainfo/org.example.dezoredu.metainfo.xml" ||
  fail "AppStream metadata lacks the project licence"
grep -q '^License: GPL-3.0-or-later$' "$root/usr/share/doc/dezoredu/copyright" || fail "copyright names no GPL-3.0-or-later"
# gzip -9n: no name and no time stored, best compression (XFL 2), Unix.
for gz in usr/share/man/man1/dezoredu.1.gz usr/share/man/man1/dezoredu-cli.1.gz usr/share/doc/dezoredu/changelog.Debian.gz; do
  header=$(od -An -tx1 -N10 "$root/$gz" | tr -d ' \n')
  [ "$header" = 1f8b0800000000000203 ] || fail "$gz is not compressed as gzip -9n does (header $header)"
done
changes=$(zcat "$root/usr/share/doc/dezoredu/changelog.Debian.gz")
grep -q "^dezoredu ($version-1) " <<<"$changes" || fail "changelog.Debian is not of $version-1"

for program in dezoredu dezoredu-cli; do
  out=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version said '$out'"
  # Read whole before matching: grep -q leaving early would cut the program's output short.
  help=$("$root/usr/bin/$program" --help) || fail "$program --help failed"
  grep -q "^usage: $program" <<<"$help" || fail "$program --help"
done

if command -v lintian >/dev/null; then
  lintian "$deb" >"$work/lintian.log" 2>&1
  if grep -q '^E:' "$work/lintian.log"; then
    cat "$work/lintian.log"
    fail "lintian reports errors"
  fi
else
  echo "SKIP: lintian is not installed, so the package was not checked against Debian's policy"
fi

# Installed, the programs start without FFmpeg or libheif and open a module
# from the private folder when a file needs it.
data="$(cd "$(dirname "$0")/../data" && pwd)"
started=$(LD_DEBUG=libs "$root/usr/bin/dezoredu-cli" --version 2>&1)
grep -qE 'libav|libheif|libgeonames|libglib|dezoredu-(video|heif|places)' <<<"$started" &&
  fail "--version loads FFmpeg, libheif, libgeonames or GLib"
heic=$("$root/usr/bin/dezoredu-cli" info --all-formats --all "$data/IMG_5195.HEIC" 2>&1)
grep -q '"cameraModel":"iPhone 11 Pro Max"' <<<"$heic" || fail "the installed program does not read a HEIC file: $heic"

[ "$failures" -eq 0 ] && echo "package $(basename "$deb"): $(wc -l <"$work/files") entries, all checks passed"
exit "$failures"
