#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder writes chengmu_<version>_<arch>.deb
# there. Unpacked into a scratch root, it holds the program with its characters in
# /usr/lib/chengmu, a relative /usr/bin/chengmu link that runs it, the help texts and every
# lesson of data/lessons in the folder the menu entry's Path names, the icon the entry names in
# every size, the manual page, copyright and a changelog of the package's version. It depends
# on the libraries (shlibdeps) and on what they do not pull in. desktop-file-validate,
# appstreamcli and lintian find no error.
# Usage: test_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
FAILURES=0
fail() {
  echo "FAIL: $*" >&2
  FAILURES=$((FAILURES + 1))
}
expect_file() { [ -f "$ROOT/$1" ] || fail "the package has no file /$1"; }

cd "$BUILD_DIR"
rm -f chengmu_*.deb
cpack -G DEB >packaging/cpack.log 2>&1 || {
  cat packaging/cpack.log >&2
  exit 1
}
DEB=$(echo chengmu_*.deb)
VERSION=$(dpkg-deb -f "$DEB" Version)
echo "made $DEB ($(stat -c %s "$DEB") bytes)"
ROOT=$(mktemp -d "${TMPDIR:-/tmp}/chengmu-package.XXXXXX")
trap 'rm -rf "$ROOT"' EXIT
dpkg-deb -x "$DEB" "$ROOT"

# The program and the command on the PATH.
for file in chengmu chengmu-festival chengmu_speech.so chengmu_listening.so ku.dat nu.dat fi.dat; do
  expect_file "usr/lib/chengmu/$file"
done
[ "$(readlink "$ROOT/usr/bin/chengmu")" = ../lib/chengmu/chengmu ] ||
  fail "/usr/bin/chengmu is no relative link to ../lib/chengmu/chengmu"
[ "$("$ROOT/usr/bin/chengmu" --version | head -n 1)" = "chengmu ${VERSION%-*}" ] ||
  fail "the installed command does not say its version ${VERSION%-*}"

# The menu entry: its Path holds the help texts and the lessons, its icon is there.
desktop=$(echo "$ROOT"/usr/share/applications/*.desktop)
app_id=$(basename "$desktop" .desktop)
desktop-file-validate "$desktop" || fail "desktop-file-validate"
share=$(sed -n 's/^Path=//p' "$desktop")
expect_file "${share#/}/软件介绍.txt"
expect_file "${share#/}/使用帮助.txt"
for lesson in "$SOURCE_DIR"/data/lessons/*; do
  expect_file "${share#/}/lessons/$(basename "$lesson")"
done
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256; do
  expect_file "usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
done
expect_file "usr/share/icons/hicolor/scalable/apps/$icon.svg"

# AppStream, manual page, copyright and changelog.
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate"
expect_file usr/share/man/man1/chengmu.1.gz
expect_file usr/share/doc/chengmu/copyright
zcat "$ROOT/usr/share/doc/chengmu/changelog.Debian.gz" | head -n 1 | grep -qF "chengmu ($VERSION)" ||
  fail "the changelog's latest entry is not version $VERSION"

# Dependencies: found by shlibdeps, and named because no library pulls them in.
depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libespeak-ng1 qt6-qpa-plugins libqt6svg6 fonts-arphic-uming \
  fonts-arphic-ukai fonts-liberation espeak-ng-data librubberband2 festvox-us-slt-hts \
  libpocketsphinx3 pocketsphinx-en-us pocketsphinx sphinxtrain; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package does not depend on $package"
done

# lintian: warnings are listed, errors fail.
lintian --fail-on error --tag-display-limit 0 "$DEB" || fail "lintian found errors"

if [ "$FAILURES" -ne 0 ]; then
  echo "$FAILURES check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
