#!/usr/bin/env bash
# Usage: tests/check_install.sh <build dir> <version>
# Installs a built tree into a scratch prefix and has CPack make the Debian package into a scratch
# folder (nothing is installed on this machine), then checks both hold exactly the program, its
# menu entry, its metainfo and its icons, that the two validators accept the menu entry and the
# metainfo, and that the package's dependencies were read from the program's libraries.
# CMAKE and CPACK name the tools when they are not the ones on the PATH.
set -euo pipefail

build=$1
version=$2
cmake=${CMAKE:-cmake}
cpack=${CPACK:-cpack}
id=org.velmaro.Velmaro
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

icon_sizes=(16 24 32 48 64 128 256)
expected=(
  bin/velmaro
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
)
for size in "${icon_sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
expected_list=$(printf '%s\n' "${expected[@]}" | sort)

# same_list <what> <expected> <actual>
same_list() {
  if [ "$2" != "$3" ]; then
    fail "$1 differ from the expected list:"
    diff <(echo "$2") <(echo "$3") >&2 || true
  fi
}

# run_quietly <log> <command...>: the command's output is shown only when it fails.
run_quietly() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "FAIL: $*" >&2
    exit 1
  fi
}

# --- cmake --install ---
prefix=$work/prefix
run_quietly "$work/install.log" "$cmake" --install "$build" --prefix "$prefix"
same_list "installed files" "$expected_list" "$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)"

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
# Even its hints count: one of them is a menu entry without a main category.
if ! report=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$report" ]; then
  fail "desktop-file-validate: ${report:-non-zero exit}"
fi
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"

# The menu entry starts the installed program by the icon installed; the metainfo names the
# menu entry and this release.
grep -qx 'Exec=velmaro' "$desktop" || fail "the menu entry does not start velmaro"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not name the menu entry $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

[ -x "$prefix/bin/velmaro" ] || fail "bin/velmaro is not executable"
if readelf -d "$prefix/bin/velmaro" | grep -Eq 'R(UN)?PATH'; then
  fail "the installed program keeps a run path: $(readelf -d "$prefix/bin/velmaro" | grep PATH)"
fi

# Each PNG is a PNG of the size its folder names (width and height from the IHDR chunk).
for size in "${icon_sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$png" ] || continue
  header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
  if [ "${header:0:16}" != 89504e470d0a1a0a ]; then
    fail "${size}x$size/apps/$id.png is not a PNG"
  elif [ "$((16#${header:32:8}))x$((16#${header:40:8}))" != "${size}x$size" ]; then
    fail "${size}x$size/apps/$id.png is $((16#${header:32:8}))x$((16#${header:40:8})) pixels"
  fi
done

# --- the Debian package ---
run_quietly "$work/cpack.log" "$cpack" --config "$build/CPackConfig.cmake" -B "$work/package"
deb=$work/package/velmaro_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
  fail "no $(basename "$deb"); CPack wrote: $(cd "$work/package" && echo *.deb)"
else
  same_list "the package's files" "$(printf '/usr/%s\n' "${expected[@]}" | sort)" \
    "$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)"
  [ "$(dpkg-deb --field "$deb" Package)" = velmaro ] || fail "the package is not named velmaro"
  [ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
  depends=$(dpkg-deb --field "$deb" Depends)
  for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
    [[ ", $depends," =~ ,\ $library[\ ,] ]] || fail "Depends does not name $library: '$depends'"
  done
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "Installation and package: ${#expected[@]} files; Depends: $depends"
