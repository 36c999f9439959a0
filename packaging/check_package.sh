#!/usr/bin/env bash
# Checks that ポムル installs like a desktop program: the desktop entry and the
# metadata validate and agree with each other, `cmake --install` puts exactly the
# expected files in the usual places, and the Debian package carries the same
# files and names the Qt and font packages a fresh Debian 12 machine must pull in.
#
#   bash packaging/check_package.sh [BUILD_DIR]     (default: build)
#
# Every mismatch is reported; the script exits non-zero if there was any.
# Installs its own tools with apt-get (through sudo when not root).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=$(realpath -m "${1:-build}")

app_id=org.pomuru.Pomuru
desktop_src=packaging/$app_id.desktop
metainfo_src=packaging/$app_id.metainfo.xml
icon_sizes=(16 22 24 32 48 64 128 256)

# What a teacher's machine gets, relative to the root of the file system; the
# staged install and the package must both hold exactly these files.
expected_files=(
  usr/bin/pomuru
  usr/share/pomuru/sounds/mark.wav
  usr/share/man/man1/pomuru.1.gz
  usr/share/man/ja/man1/pomuru.1.gz
  usr/share/applications/$app_id.desktop
  usr/share/metainfo/$app_id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$app_id.svg
)
for size in "${icon_sizes[@]}"; do
  expected_files+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "ok    $*"; }
fail() { failed=$((failed + 1)); echo "FAIL  $*" >&2; }
# check DESCRIPTION COMMAND...: the command's success is the check.
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
same() { # same DESCRIPTION ACTUAL EXPECTED
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}

# --- tools -----------------------------------------------------------------------
# `file` is what CPack uses to find the binaries it hands to dpkg-shlibdeps.
tools=(desktop-file-utils appstream dpkg-dev file)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

version=$(sed -n 's/^project(pomuru VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "FAIL  no version in the project() line of CMakeLists.txt" >&2; exit 1; }
echo "ポムル $version, build directory $build"

# Value of KEY in the [Desktop Entry] group of FILE (other groups ignored).
desktop_value() {
  awk -v key="$2" '
    /^\[/ { group = $0; next }
    group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$1"
}

# Width and height of a PNG from its IHDR chunk, as "W H".
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

# Text of the first element <TAG ...>text</TAG> without an xml:lang, or with LANG.
xml_text() { # xml_text FILE TAG [LANG]
  local attrs='[^>]*'
  if [ -n "${3:-}" ]; then
    sed -n "s|.*<$2 xml:lang=\"$3\">\\([^<]*\\)</$2>.*|\\1|p" "$1" | head -n1
  else
    sed -n "/xml:lang=/d; s|.*<$2\\( $attrs\\)\\{0,1\\}>\\([^<]*\\)</$2>.*|\\2|p" "$1" | head -n1
  fi
}

# --- desktop entry ---------------------------------------------------------------
echo "== desktop entry"
report=$(desktop-file-validate "$desktop_src" 2>&1) && [ -z "$report" ] \
  && pass "desktop-file-validate has nothing to say" \
  || fail "desktop-file-validate: ${report:-exit status non-zero}"
same "desktop Type" "$(desktop_value "$desktop_src" Type)" Application
same "desktop Name" "$(desktop_value "$desktop_src" Name)" "ポムル"
same "desktop Exec" "$(desktop_value "$desktop_src" Exec)" pomuru
same "desktop Icon is the application id" "$(desktop_value "$desktop_src" Icon)" "$app_id"
same "desktop StartupWMClass is the binary's X11 class" "$(desktop_value "$desktop_src" StartupWMClass)" pomuru
categories=";$(desktop_value "$desktop_src" Categories)"
for category in Education Math; do
  check "desktop Categories include $category" grep -q ";$category;" <<<"$categories"
done
comment=$(desktop_value "$desktop_src" Comment)
check "desktop Comment is Japanese text" bash -c 'LC_ALL=C grep -q "[^ -~]" <<<"$1"' _ "$comment"

# --- metadata --------------------------------------------------------------------
echo "== metadata"
report=$(appstreamcli validate --no-net "$metainfo_src" 2>&1) && ! grep -q '^ *[EWI]: ' <<<"$report" \
  && pass "appstreamcli validate --no-net: no error, warning or info" \
  || fail "appstreamcli validate --no-net:"$'\n'"$report"
same "metainfo id" "$(xml_text "$metainfo_src" id)" "$app_id"
same "metainfo launchable is the desktop entry" "$(xml_text "$metainfo_src" launchable)" "$app_id.desktop"
same "metainfo provides the binary" "$(xml_text "$metainfo_src" binary)" pomuru
same "metainfo name" "$(xml_text "$metainfo_src" name)" "ポムル"
check "metainfo has an English summary" test -n "$(xml_text "$metainfo_src" summary)"
check "metainfo has a Japanese summary" test -n "$(xml_text "$metainfo_src" summary ja)"
check "metainfo has English description paragraphs" grep -q '^ *<p>' "$metainfo_src"
check "metainfo has Japanese description paragraphs" grep -q '<p xml:lang="ja">' "$metainfo_src"
# The validator only mentions a missing rating as information.
check "metainfo carries an OARS content rating" grep -q '<content_rating type="oars-1\.[01]"' "$metainfo_src"
for category in Education Math; do
  check "metainfo category $category" grep -q "<category>$category</category>" "$metainfo_src"
done
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo_src" | head -n1)
same "metainfo newest release is the project version" "$release" "$version"

# The screenshot is served from docs/ of this repository: the file must exist and
# the size the metadata announces must be its real size.
shot_url=$(sed -n 's|.*<image type="source"[^>]*>\([^<]*\)</image>.*|\1|p' "$metainfo_src" | head -n1)
shot_file=docs/${shot_url##*/docs/}
if [[ "$shot_url" == https://*/docs/*.png ]] && [ -f "$shot_file" ]; then
  pass "metainfo screenshot $shot_file exists"
  shot_declared=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*|\1 \2|p' "$metainfo_src" | head -n1)
  same "metainfo screenshot size is the size of $shot_file" "$shot_declared" "$(png_size "$shot_file")"
else
  fail "metainfo screenshot '$shot_url' does not name a PNG in docs/ of this repository"
fi

# --- staged install ----------------------------------------------------------------
echo "== cmake --install"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target pomuru -j "$(nproc)" >/dev/null
work=$build/package-check
rm -rf "$work"
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

expected_list=$(printf '%s\n' "${expected_files[@]}" | sort)
staged_list=$(cd "$stage" && find . ! -type d | sed 's|^\./||' | sort)
if [ "$staged_list" = "$expected_list" ]; then
  pass "staged install holds exactly the ${#expected_files[@]} expected files"
else
  fail "staged install differs from the expected files (< expected, > staged):"$'\n'"$(diff <(echo "$expected_list") <(echo "$staged_list") || true)"
fi
check "installed pomuru is an executable ELF file" \
  bash -c '[ -x "$1" ] && [ "$(head -c4 "$1" | od -An -c | tr -d " ")" = "177ELF" ]' _ "$stage/usr/bin/pomuru"
for size in "${icon_sizes[@]}"; do
  icon=$stage/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  if [ -f "$icon" ]; then
    same "icon in ${size}x${size} is $size × $size pixels" "$(png_size "$icon")" "$size $size"
  else
    fail "icon in ${size}x${size} is missing"
  fi
done
for page in usr/share/man/man1/pomuru.1.gz usr/share/man/ja/man1/pomuru.1.gz; do
  # gzip -9n: no file name and no time stamp in the header (bytes 3 to 7).
  check "$page is compressed as Debian wants it (gzip -9n)" \
    bash -c 'gzip -t "$1" && [ "$(od -An -tx1 -j3 -N5 "$1" | tr -d " ")" = 0000000000 ]' _ "$stage/$page"
  check "$page is a manual page of pomuru" bash -c 'gzip -dc "$1" | grep -q "^\.TH POMURU 1 "' _ "$stage/$page"
done
check "scalable icon is an SVG drawing" grep -q '<svg' "$stage/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
check "installed desktop entry is the checked one" cmp -s "$desktop_src" "$stage/usr/share/applications/$app_id.desktop"
check "installed metadata is the checked one" cmp -s "$metainfo_src" "$stage/usr/share/metainfo/$app_id.metainfo.xml"
# Also finds the desktop entry the metadata launches, where a software centre looks.
report=$(appstreamcli validate-tree --no-net "$stage" 2>&1) && ! grep -q '^ *[EWI]: ' <<<"$report" \
  && pass "appstreamcli validate-tree on the staged install" \
  || fail "appstreamcli validate-tree on the staged install:"$'\n'"$report"

# --- Debian package ----------------------------------------------------------------
echo "== Debian package"
arch=$(dpkg --print-architecture)
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$work/deb/pomuru_${version}_$arch.deb
if [ -f "$deb" ]; then
  pass "cpack made $(basename "$deb")"
  same "package name" "$(dpkg-deb -f "$deb" Package)" pomuru
  same "package version" "$(dpkg-deb -f "$deb" Version)" "$version"
  same "package architecture" "$(dpkg-deb -f "$deb" Architecture)" "$arch"
  same "package section" "$(dpkg-deb -f "$deb" Section)" education
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "      Depends: $depends"
  # Names only: one alternative group per comma, version constraints dropped.
  depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/:any//; s/^ *//; s/ *$//')
  for package in libqt6widgets6 libqt6gui6 libqt6core6 libcanberra0 fonts-ipafont-gothic fonts-ipafont-mincho; do
    check "package depends on $package" grep -qx "$package" <<<"$depends_names"
  done
  recommends=$(dpkg-deb -f "$deb" Recommends)
  for package in libcanberra-pulse qt6-translations-l10n; do
    check "package recommends $package" grep -qx "$package" <<<"$(tr ',' '\n' <<<"$recommends" | sed 's/^ *//; s/ *$//')"
  done
  check "Qt dependencies carry a minimum version" grep -q 'libqt6widgets6 (>= 6' <<<"$depends"

  contents=$(dpkg-deb -c "$deb")
  package_list=$(awk '$1 !~ /^d/ { print $6 }' <<<"$contents" | sed 's|^\./||' | sort)
  if [ "$package_list" = "$expected_list" ]; then
    pass "package holds exactly the staged files"
  else
    fail "package differs from the expected files (< expected, > package):"$'\n'"$(diff <(echo "$expected_list") <(echo "$package_list") || true)"
  fi
  check "every file in the package belongs to root" \
    test -z "$(awk '$2 != "root/root"' <<<"$contents")"
  check "pomuru in the package is executable by everyone" \
    grep -q '^-rwxr-xr-x .* \./usr/bin/pomuru$' <<<"$contents"
  # Every dependency must be one apt can resolve here: a misspelt or
  # non-existent package name fails this.
  check "apt-get accepts the package (simulated install)" \
    bash -c 'apt-get install -s -q "$1" >"$2" 2>&1 || { cat "$2" >&2; false; }' _ "$deb" "$work/apt-simulate.log"
else
  fail "cpack made no $(basename "$deb"); it made: $(ls "$work/deb" 2>/dev/null | tr '\n' ' ')"
fi

echo "packaging: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
