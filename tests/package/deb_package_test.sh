#!/usr/bin/env bash
# Builds the Debian package from this build folder (cpack -G DEB) and checks what an
# installation of it would hold: dependencies found by dpkg-shlibdeps, a version that both
# programs report, the sample folder where the installed program looks for it, the desktop
# files valid together with their icons, and the manual page and completions where man and the
# shells look.
# Usage: deb_package_test.sh BUILD_FOLDER SOURCE_FOLDER SAMPLES_FROM_PROGRAM
set -euo pipefail
build=$1
source=$2
samples_from_program=$3
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
package=$(ls "$scratch"/out/quorvane_*.deb)
echo "built $(basename "$package")"

field() { dpkg-deb -f "$package" "$1"; }
depends=$(field Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt library found by dpkg-shlibdeps: $depends"
grep -q 'zlib1g' <<<"$depends" || fail "Depends lacks zlib, which the workbooks need: $depends"
grep -q 'qt6-qpa-plugins' <<<"$depends" || fail "Depends lacks the platform plugins: $depends"
for name in $(sed -E 's/\([^)]*\)//g; s/[,|]/ /g' <<<"$depends, $(field Recommends)"); do
    apt-cache show "$name" >/dev/null 2>&1 || fail "Debian has no package $name"
done

root=$scratch/root
dpkg-deb -x "$package" "$root"
version=$(field Version)
[ "$("$root/usr/bin/quorvane-list" --version)" = "quorvane-list $version" ] ||
    fail "quorvane-list --version is not $version"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/quorvane" --version)" = "Quorvane $version" ] ||
    fail "quorvane --version is not $version"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/quorvane" --help | grep -q 'FOLDER' ||
    fail "quorvane --help does not name FOLDER"

diff -r "$source/samples" "$root/usr/bin/$samples_from_program" >/dev/null ||
    fail "the sample folder is not at $samples_from_program from the program"

desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate-tree --no-net "$root" || fail "AppStream"

[ -f "$root/usr/share/man/man1/quorvane-list.1" ] || fail "no manual page of quorvane-list"
for shell in bash-completion fish; do
    dir=$(pkg-config --variable=completionsdir $shell)
    ls "$root$dir"/quorvane-list* >/dev/null 2>&1 || fail "no $shell completion in $dir"
done
found=$(zsh -fc 'for d in $fpath; do ls "$1$d/_quorvane-list" 2>/dev/null; done; true' zsh "$root")
[ -n "$found" ] || fail "no zsh completion in zsh's function path"
exit $status
