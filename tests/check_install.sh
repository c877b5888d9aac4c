#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: tests/check_install.sh <build dir> <version>
# Installs a built tree into a scratch prefix and has CPack make the Debian package into a scratch
# folder (nothing is installed on this machine). Both must hold exactly the program, its menu
# entry, its metainfo, its icons, its MIME type, its manual page, the copyright file and the
# changelog; the validators must accept the menu entry, the metainfo and the MIME type; the
# package's dependencies must be read from the program's libraries; lintian, when present, must
# report no error and no warning.
# CMAKE and CPACK name the tools when they are not the ones on the PATH.
set -euo pipefail

build=$1
version=$2
id=org.velmaro.Velmaro
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# same_list <what> <expected> <actual>
same_list() {
  if [ "$2" != "$3" ]; then
    fail "$1 differ:"
    diff <(echo "$2") <(echo "$3") >&2 || true
  fi
}
# quietly <command...>: the output is shown only when the command fails, which ends the check.
quietly() {
  "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2 && echo "FAIL: $*" >&2 && exit 1; }
}

sizes=(16 24 32 48 64 128 256)
expected=(bin/velmaro "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg" "share/mime/packages/$id.xml"
  share/man/man1/velmaro.1.gz share/doc/velmaro/copyright share/doc/velmaro/changelog.gz)
for size in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
# The manual with its pictures.
expected+=(share/doc/velmaro/manual.md)
for picture in "$(dirname "$0")"/../docs/*.png; do
  expected+=("share/doc/velmaro/$(basename "$picture")")
done

prefix=$work/prefix
quietly "${CMAKE:-cmake}" --install "$build" --prefix "$prefix"
same_list "installed files" "$(printf '%s\n' "${expected[@]}" | sort)" \
  "$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)"

# Even desktop-file-validate's hints count: one of them is a menu entry without a main category.
if ! report=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) ||
  [ -n "$report" ]; then
  fail "desktop-file-validate: ${report:-non-zero exit}"
fi
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# The MIME type, built into a database of its own: *.velmaro is application/x-velmaro.
mime=$work/mime
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/$id.xml" "$mime/packages/"
if ! report=$(XDG_DATA_HOME=$work XDG_DATA_DIRS=$work update-mime-database "$mime" 2>&1) || [ -n "$report" ]; then
  fail "update-mime-database: ${report:-non-zero exit}"
fi
grep -qx '50:application/x-velmaro:\*\.velmaro' "$mime/globs2" 2>/dev/null ||
  fail "the MIME database does not map *.velmaro to application/x-velmaro"
grep -qx 'MimeType=application/x-velmaro;' "$prefix/share/applications/$id.desktop" ||
  fail "the menu entry does not open application/x-velmaro"

# The changelog's first entry is this version; the manual page has its version and no warning.
zcat "$prefix/share/doc/velmaro/changelog.gz" | head -n 1 | grep -q "^velmaro ($version) " ||
  fail "the changelog does not begin with version $version"
man_page=$prefix/share/man/man1/velmaro.1.gz
zcat "$man_page" | grep -q "\"Velmaro $version\"" || fail "the manual page is not of version $version"
if report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >/dev/null) &&
  [ -n "$report" ]; then
  fail "the manual page: $report"
fi

# Each PNG has the size its folder names (width and height from the IHDR chunk).
for size in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$png" ] || continue
  header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
  actual=$((16#${header:32:8}))x$((16#${header:40:8}))
  [ "${header:0:16}$actual" = "89504e470d0a1a0a${size}x$size" ] ||
    fail "the ${size}x$size icon is not a PNG of that size (${actual})"
done

quietly "${CPACK:-cpack}" --config "$build/CPackConfig.cmake" -B "$work/package"
deb=$work/package/velmaro_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
  fail "no $(basename "$deb"), only: $(cd "$work/package" && echo *.deb)" && exit 1
fi
same_list "the package's files" "$(printf '/usr/%s\n' "${expected[@]}" | sort)" \
  "$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-translations-l10n; do
  [[ ", $depends," =~ ,\ ${library}[\ ,] ]] || fail "Depends does not name $library: '$depends'"
done

# Lintian, where it is installed (the scripts install it), on the package as a maintainer runs it.
if command -v lintian >/dev/null; then
  status=0
  report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
  report=$(grep -v 'running with root privileges' <<<"$report" || true)
  [ "$status" -eq 0 ] || fail "lintian (status $status): $report"
  lintian_report=${report:-no error, no warning}
else
  lintian_report="not installed, not run"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2 && exit 1; }
echo "$(basename "$deb"): ${#expected[@]} files; Depends: $depends; lintian: $lintian_report"
