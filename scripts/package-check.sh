#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as the distribution would: lintian,
# desktop-file-validate on the desktop entry, appstreamcli on the AppStream metadata, and an
# install test that runs both programs from the unpacked package, with nothing from a build folder.
#
# Findings kept on purpose (see the README's "Install"):
# - desktop-file-validate hints that the entry has two main categories (AudioVideo and Graphics),
#   so a menu may list it under both: it is a music tool that edits pictures.
# - appstreamcli notes (info) that it does not know the id's top-level domain: the id is the
#   reverse of the program's home page address, which is a placeholder so far.
# Any lintian error or warning fails the check.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh lintian desktop-file-utils appstream >&2

deb="$(scripts/package.sh | tail -n 1)"
echo "== package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Version Depends

echo "== lintian"
# lintian warns on stderr that it runs as root; that is how CI runs.
lintian --fail-on error,warning --display-info "$deb" 2> >(grep -v "root privileges" >&2)
echo "lintian: no errors or warnings"

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root/pkg"
desktop_entry=("$root"/pkg/usr/share/applications/*.desktop)
metainfo=("$root"/pkg/usr/share/metainfo/*.metainfo.xml)

echo "== desktop-file-validate $(basename "${desktop_entry[0]}")"
desktop-file-validate "${desktop_entry[0]}"
echo "desktop-file-validate: passed"

echo "== appstreamcli validate $(basename "${metainfo[0]}")"
appstreamcli validate --no-net "${metainfo[0]}"

echo "== install test from the unpacked package"
# The entry, metadata and icon must agree on one id.
id="$(basename "${desktop_entry[0]}" .desktop)"
grep -qx "Icon=$id" "${desktop_entry[0]}"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "${metainfo[0]}"
test -f "$root/pkg/usr/share/icons/hicolor/scalable/apps/$id.svg"
bin="$root/pkg/usr/bin"
for program in zentavour zentavour-cli; do
  # Every library comes from the system, none from a build folder or beside the program.
  if ldd "$bin/$program" | grep -v -E '=> /(usr/)?lib/|linux-vdso|ld-linux'; then
    echo "$program loads a library from outside the system's folders" >&2
    exit 1
  fi
done
cd "$root"
export QT_QPA_PLATFORM=offscreen
"$bin/zentavour-cli" --version
"$bin/zentavour-cli" samples "$root/samples"
for entry in orvane:orvane orvane-mi:orvane-mi ossik:ossik orvane-salone:orvane-salone-I \
             orvane-salone:orvane-salone-II; do
  "$bin/zentavour-cli" check --model "${entry%%:*}" --dir "$root/samples/${entry##*:}"
done
# The window program has no way to quit by itself: it passes if it is still up after 3 s.
status=0
timeout 3 "$bin/zentavour" || status=$?
if [ "$status" -ne 124 ]; then
  echo "zentavour ended early with status $status" >&2
  exit 1
fi
echo "zentavour: started offscreen and ran for 3 s"
echo "package check: passed"
