#!/usr/bin/env bash
# Checks what the build installs and the Debian package that CPack makes from it.
#   packaging_test.sh stage BUILD_DIR STAGE        install into STAGE and check the file list
#   packaging_test.sh desktop STAGE                validate the installed desktop entry
#   packaging_test.sh metainfo STAGE               validate the installed AppStream metainfo
#   packaging_test.sh man STAGE                    check the manual pages with man's warnings
#   packaging_test.sh deb BUILD_DIR OUT VERSION    build the .deb and check its fields and files
#   packaging_test.sh lintian OUT VERSION          check the .deb with Debian's policy checker
set -euo pipefail

app_id=com.tarnik.Pomvexa
expected_files() {
    echo usr/games/pomvexa
    echo usr/share/applications/$app_id.desktop
    for size in 128 16 22 24 256 32 48 64; do
        echo "usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    done
    echo usr/share/metainfo/$app_id.metainfo.xml
    echo usr/share/doc/pomvexa/changelog.gz
    echo usr/share/doc/pomvexa/copyright
    echo usr/share/man/man6/pomvexa.6.gz
    echo usr/share/man/zh_CN/man6/pomvexa.6.gz
}

package() { # OUT VERSION
    echo "$1/pomvexa_$2_$(dpkg --print-architecture).deb"
}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null || fail "$1 is missing: install $2 (./dev test does)"
}

same_files() { # what was found, as sorted paths, against the expected list
    diff <(expected_files | sort) <(sort) || fail "$1 differs from the expected file list"
}

field() { dpkg-deb -f "$deb" "$1"; }

expect_field() { # name, extended regular expression
    local value
    value=$(field "$1")
    [[ "$value" =~ $2 ]] || fail "field $1 is '$value', expected to match '$2'"
}

case "$1" in
stage)
    rm -rf "$3"
    DESTDIR="$3" cmake --install "$2" --prefix /usr >/dev/null
    (cd "$3" && find . -type f -printf '%P\n') | same_files "the installed tree"
    [ -x "$3/usr/games/pomvexa" ] || fail "the program is not executable"
    ;;
desktop)
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$2/usr/share/applications/$app_id.desktop"
    grep -qx 'Categories=Game;ArcadeGame;' "$2/usr/share/applications/$app_id.desktop" ||
        fail "the desktop entry is not in the games' categories"
    grep -qx "Icon=$app_id" "$2/usr/share/applications/$app_id.desktop" ||
        fail "the desktop entry does not name the icon"
    grep -qx "Exec=/usr/games/pomvexa" "$2/usr/share/applications/$app_id.desktop" ||
        fail "the desktop entry does not start the installed program"
    ;;
man)
    need man man-db
    for page in "$2"/usr/share/man/man6/pomvexa.6.gz "$2"/usr/share/man/zh_CN/man6/pomvexa.6.gz; do
        # As lintian reads them: UTF-8, 80 columns, every warning of groff's.
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
            >/dev/null)
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
    ;;
metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net "$2/usr/share/metainfo/$app_id.metainfo.xml"
    ;;
deb)
    need dpkg-deb dpkg
    need dpkg-shlibdeps dpkg-dev
    rm -rf "$3"
    cpack --config "$2/CPackConfig.cmake" -B "$3" >/dev/null
    deb=$(package "$3" "$4")
    [ -f "$deb" ] || fail "no package $deb"
    expect_field Package '^pomvexa$'
    expect_field Version "^$4\$"
    expect_field Section '^games$'
    expect_field Maintainer '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$'
    expect_field Depends 'libqt6widgets6'
    expect_field Depends 'libcanberra0'
    expect_field Depends 'qt6-qpa-plugins'
    expect_field Depends 'fonts-wqy-microhei \| fonts-noto-cjk'
    expect_field Recommends 'sound-theme-freedesktop'
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' |
        same_files "the package's contents"
    ;;
lintian)
    need lintian lintian
    # Every tag, pedantic and informational ones included; an override in the package would
    # say why.
    report=$(lintian --pedantic --display-info --display-experimental \
        "$(package "$2" "$3")" 2>&1 | grep -v '^running with root privileges') || true
    [ -z "$report" ] || fail "lintian says:
$report"
    ;;
*)
    fail "unknown check '$1'"
    ;;
esac
echo "passed: $1"
