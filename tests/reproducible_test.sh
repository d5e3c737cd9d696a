#!/usr/bin/env bash
# Builds the packages a second time, from a copy of the sources in another, deeply nested
# folder, later, under another umask, time zone and locale, and checks that they are the same,
# byte for byte, as those of the build tree the tests ran in.
#   reproducible_test.sh SOURCES BUILD_TREE ARTIFACT...
# Each ARTIFACT is a path inside the build tree; the copy is built with the same build type and
# toolchain, without tests. An artifact that ends in .deb is made with CPack, as in the README.
set -euo pipefail
sources=$1 tree=$(cd "$2" && pwd)
shift 2

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

setting() { sed -n "s/^$1:[A-Z]*=//p" "$tree/CMakeCache.txt"; }

# The copy: with the sources' git history where they have one (the packages' times come from
# the last commit), and with the files as they are now in the work tree, changes included.
work=$tree/rebuild
copy=$work/a/folder/much/deeper/than/the/first/one/to/show/that/no/path/is/recorded/pomvexa
rm -rf "$work"
mkdir -p "$(dirname "$copy")"
if [ -z "$(git -C "$sources" rev-parse --show-prefix 2>/dev/null || echo none)" ]; then
    git clone --quiet --no-hardlinks "$sources" "$copy"
    git -C "$sources" ls-files -z --cached --others --exclude-standard |
        tar -C "$sources" --null --files-from=- --ignore-failed-read -c 2>/dev/null |
        tar -C "$copy" -x
else
    mkdir "$copy"
    tar -C "$sources" --exclude=./build --exclude='./build-*' -c . | tar -C "$copy" -x
fi

# Another umask, a time zone 14 hours east of UTC (a POSIX zone, which needs no time-zone
# data), and a locale other than the caller's.
case "${LC_ALL:-${LANG:-C}}" in
*.UTF-8 | *.utf8) locale=C ;;
*) locale=C.UTF-8 ;;
esac
toolchain=$(setting CMAKE_TOOLCHAIN_FILE)
(
    umask 0002
    export TZ=XYZ-14 LC_ALL=$locale
    cmake -S "$copy" -B "$copy/build" -DCMAKE_BUILD_TYPE="$(setting CMAKE_BUILD_TYPE)" \
        ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$toolchain"} -DPOMVEXA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$copy/build" --parallel "$(nproc)" >/dev/null
) || fail "the second build failed"

for artifact in "$@"; do
    first=$tree/$artifact second=$copy/build/$(basename "$artifact")
    [ -f "$first" ] || fail "$first was not built"
    case "$artifact" in
    *.deb)
        said=$(umask 0002 && TZ=XYZ-14 LC_ALL=$locale \
            cpack --config "$copy/build/CPackConfig.cmake" -B "$copy/build" 2>&1) ||
            fail "CPack failed in the second build: $said"
        ;;
    *) second=$copy/build/$artifact ;;
    esac
    if ! cmp "$first" "$second"; then
        command -v diffoscope >/dev/null &&
            diffoscope --text - "$first" "$second" 2>/dev/null | head -n 200 >&2 || true
        fail "$artifact differs between two builds of the same sources"
    fi
    echo "the same: $artifact"
done
rm -rf "$work"
echo "passed: the same packages from another folder, time, umask, time zone and locale"
