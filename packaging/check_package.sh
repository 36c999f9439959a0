#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
# Checks that ポムル installs like a desktop program: the desktop entry and the
# metadata validate and agree with each other, `cmake --install` puts exactly the
# expected files in the usual places, and the Debian package carries the same
# files and names the Qt and font packages a fresh Debian 12 machine must pull in.
# Also that every source file names its licence, that the package has its
# copyright file and changelog, that its binary is hardened, and that lintian
# (--pedantic) finds no error and no warning in it.
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
  usr/share/doc/pomuru/copyright
  usr/share/doc/pomuru/changelog.Debian.gz
  usr/share/lintian/overrides/pomuru
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
# `file` is what CPack uses to find the binaries it hands to dpkg-shlibdeps;
# binutils has readelf.
tools=(desktop-file-utils appstream dpkg-dev file binutils lintian)
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
# The package's version: the upstream version and the Debian revision, from the
# newest entry of the package's changelog.
deb_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
echo "ポムル $version, package $deb_version, build directory $build"

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

# --- licence ---------------------------------------------------------------------
echo "== licence"
check "LICENSE is the full text of the GPL, version 3" cmp -s LICENSE /usr/share/common-licenses/GPL-3

# Every text file of the source starts with its SPDX header: GPL-3.0-or-later,
# but CC0-1.0 for the metadata. Binary files (pictures, screenshots), JSON, the
# fuzzing corpus and the Debian files that have a fixed format cannot carry one;
# packaging/copyright covers them.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t sources < <(git -C "$root" ls-files)
else
  mapfile -t sources < <(find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||')
fi
unlicensed=()
for file in "${sources[@]}"; do
  case "$file" in
    LICENSE | *.json | fuzz/corpus/* | packaging/copyright | packaging/changelog) continue ;;
  esac
  [ -f "$file" ] || continue
  grep -Iq . "$file" || continue # binary
  licence=GPL-3.0-or-later
  [ "$file" = "$metainfo_src" ] && licence=CC0-1.0
  head -n 4 "$file" | grep -q "SPDX-License-Identifier: $licence\b" \
    && head -n 4 "$file" | grep -q 'SPDX-FileCopyrightText: The ポムル developers' \
    || unlicensed+=("$file")
done
if [ ${#unlicensed[@]} -eq 0 ]; then
  pass "all ${#sources[@]} files of the source carry their SPDX header or are covered by packaging/copyright"
else
  fail "no SPDX header (licence and copyright line) in the first lines of: ${unlicensed[*]}"
fi

# Words pupils and teachers type into a menu or software centre to find the
# program, in both the desktop entry and the metadata.
search_words=(３年生 3年生 しょうすう さんすう ぽむる pomuru)

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
keywords=";$(desktop_value "$desktop_src" Keywords)"
for word in "${search_words[@]}"; do
  check "desktop Keywords include $word" grep -qF ";$word;" <<<"$keywords"
done
comment=$(desktop_value "$desktop_src" Comment)
check "desktop Comment is Japanese text" bash -c 'LC_ALL=C grep -q "[^ -~]" <<<"$1"' _ "$comment"

# --- metadata --------------------------------------------------------------------
echo "== metadata"
# Pedantic notes are shown but do not fail the check: the one there is, an
# upper-case letter in the id, comes with the id itself.
report=$(appstreamcli validate --pedantic --no-net "$metainfo_src" 2>&1) && ! grep -q '^ *[EWI]: ' <<<"$report" \
  && pass "appstreamcli validate --pedantic --no-net: no error, warning or info" \
  || fail "appstreamcli validate --pedantic --no-net:"$'\n'"$report"
grep '^ *P: ' <<<"$report" | sed 's/^ */      note: /' || true
same "metainfo project licence" "$(xml_text "$metainfo_src" project_license)" GPL-3.0-or-later
same "metainfo metadata licence" "$(xml_text "$metainfo_src" metadata_license)" CC0-1.0
for word in "${search_words[@]}"; do
  check "metainfo keywords include $word" grep -qE "<keyword( xml:lang=\"ja\")?>$word</keyword>" "$metainfo_src"
done
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

# The project owns no domain yet, so neither the metadata nor the desktop entry
# may name any web or mail address (no home page, no screenshot address).
check "metainfo and desktop entry name no web or mail address" \
  bash -c '! grep -nE "(https?|ftp)://|mailto:|[A-Za-z0-9._-]+@[A-Za-z0-9-]+\.[A-Za-z]" "$@"' _ "$metainfo_src" "$desktop_src"

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
deb=$work/deb/pomuru_${deb_version}_$arch.deb
if [ -f "$deb" ]; then
  pass "cpack made $(basename "$deb")"
  same "package name" "$(dpkg-deb -f "$deb" Package)" pomuru
  same "package version is the changelog's" "$(dpkg-deb -f "$deb" Version)" "$deb_version"
  same "upstream part of the package version is the project version" "${deb_version%-*}" "$version"
  check "package version has a Debian revision (not a native package)" test "${deb_version%-*}" != "$deb_version"
  same "package architecture" "$(dpkg-deb -f "$deb" Architecture)" "$arch"
  same "package section" "$(dpkg-deb -f "$deb" Section)" education
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "      Depends: $depends"
  # Names only: one alternative group per comma, version constraints dropped.
  depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/:any//; s/^ *//; s/ *$//')
  for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libcanberra0 fonts-ipafont-gothic fonts-ipafont-mincho; do
    check "package depends on $package" grep -qx "$package" <<<"$depends_names"
  done
  # Installed without recommended packages, the window must still open on
  # X11: whichever package holds the X11 platform plugin here is a
  # dependency, not only a recommendation of one.
  xcb_plugin=$(dpkg -S '*/qt6/plugins/platforms/libqxcb.so' 2>/dev/null | sed -n '1s/:.*//p')
  check "the X11 platform plugin's package (${xcb_plugin:-none found}) is a dependency" \
    grep -qx "${xcb_plugin:-none}" <<<"$depends_names"
  recommends=$(dpkg-deb -f "$deb" Recommends)
  for package in libcanberra-pulse qt6-translations-l10n; do
    check "package recommends $package" grep -qx "$package" <<<"$(tr ',' '\n' <<<"$recommends" | sed 's/^ *//; s/ *$//')"
  done
  check "Qt dependencies carry a minimum version" grep -q 'libqt6widgets6 (>= 6' <<<"$depends"
  recommends=$(dpkg-deb -f "$deb" Recommends)
  echo "      Recommends: $recommends"
  for package in $(tr ',|' '  ' <<<"$recommends" | sed 's/([^)]*)//g'); do
    check "recommended $package is a package apt knows" \
      bash -c 'apt-cache show -q "$1" 2>/dev/null | grep -q "^Package: $1\$"' _ "$package"
  done
  check "package names no home page" test -z "$(dpkg-deb -f "$deb" Homepage)"

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

  unpacked=$work/unpacked
  dpkg-deb -x "$deb" "$unpacked"
  doc=$unpacked/usr/share/doc/pomuru
  check "copyright file is packaging/copyright" cmp -s packaging/copyright "$doc/copyright"
  same "copyright file is machine-readable (DEP-5)" "$(head -n1 "$doc/copyright")" \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
  check "changelog.Debian.gz unpacks to packaging/changelog" \
    bash -c 'gzip -dc "$1" | cmp -s - "$2"' _ "$doc/changelog.Debian.gz" packaging/changelog

  # Hardening of the binary, as readelf shows it.
  binary=$unpacked/usr/bin/pomuru
  dynamic=$(readelf -dW "$binary")
  symbols=$(readelf --dyn-syms -W "$binary")
  sections=$(readelf -SW "$binary" | sed -n 's/^ *\[ *[0-9]*\] \([^ ]*\) .*/\1/p')
  check "binary is position-independent (PIE)" grep -q 'FLAGS_1.*PIE' <<<"$dynamic"
  check "binary binds immediately (BIND_NOW)" grep -q 'FLAGS) *BIND_NOW' <<<"$dynamic"
  check "binary has read-only relocations (GNU_RELRO)" bash -c 'readelf -lW "$1" | grep -q GNU_RELRO' _ "$binary"
  check "binary uses the stack protector (__stack_chk_fail)" grep -q ' __stack_chk_fail' <<<"$symbols"
  check "binary uses fortified functions (__*_chk)" grep -qE ' __[a-z0-9_]+_chk(@|$)' <<<"$symbols"
  check "binary is stripped (no .symtab)" bash -c '! grep -qx .symtab <<<"$1"' _ "$sections"
  check "binary has no .comment or .note section" bash -c '! grep -qxE "\.comment|\.note" <<<"$1"' _ "$sections"

  # Lintian, pedantic. Errors and warnings fail the check; information and
  # pedantic tags are shown. An override in packaging/lintian-overrides needs
  # a comment that gives its reason, which lintian shows with it.
  echo "== lintian"
  lintian_report=$(lintian --pedantic --display-info --show-overrides --fail-on none "$deb" 2>&1 \
    | grep -v '^running with root privileges is not recommended!$' || true)
  sed 's/^/      /' <<<"$lintian_report"
  problems=$(grep -E '^[EW]: ' <<<"$lintian_report" || true)
  if [ -z "$problems" ]; then
    pass "lintian --pedantic: no error or warning"
  else
    fail "lintian --pedantic reports:"$'\n'"$problems"
  fi
  check "every lintian override has a comment with its reason" \
    awk '/^#/ { commented = 1; next } /^[[:space:]]*$/ { commented = 0; next } !commented { bad = 1 } END { exit bad }' \
    packaging/lintian-overrides
else
  fail "cpack made no $(basename "$deb"); it made: $(ls "$work/deb" 2>/dev/null | tr '\n' ' ')"
fi

echo "packaging: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
