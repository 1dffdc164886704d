#!/usr/bin/env bash
# Builds the Debian package from this build folder (cpack -G DEB) and checks what an
# installation of it would hold: dependencies found by dpkg-shlibdeps, a version that both
# programs and the changelog report, the sample folder where the installed program looks for
# it, the desktop files valid together with their icons (and the metainfo as the packaging
# tools validate it), the program offered for folders without becoming their default, the
# manual pages and completions where man and the shells look; then lintian, where it is
# installed, finds no error and no warning.
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
# As the packaging tools run it, with the network: no address in it may be out of reach.
appstreamcli validate "$root"/usr/share/metainfo/*.xml || fail "AppStream, with the network"

# The program that opens folders is the desktop's choice, the file manager's, before and after
# an installation, as xdg-mime answers it (from the applications' folders and the cache that
# the installation's trigger makes) on a desktop without settings of its own.
default_for_folders() {
    HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/config" XDG_DATA_HOME="$scratch/home/data" \
        XDG_CURRENT_DESKTOP= XDG_DATA_DIRS="$1" xdg-mime query default inode/directory 2>/dev/null
}
if command -v xdg-mime >/dev/null && command -v update-desktop-database >/dev/null; then
    mkdir -p "$scratch/home/config" "$scratch/home/data"
    before=$(default_for_folders /usr/local/share:/usr/share)
    update-desktop-database "$root/usr/share/applications"
    after=$(default_for_folders "$root/usr/share:/usr/local/share:/usr/share")
    [ "$after" = "$before" ] ||
        fail "installing makes ${after:-nothing} the default for folders, was ${before:-nothing}"
fi

for page in quorvane quorvane-list; do
    man_page=$root/usr/share/man/man1/$page.1.gz
    [ -f "$man_page" ] || fail "no compressed manual page of $page"
    [ -f "$man_page" ] && MANWIDTH=80 man -l "$man_page" 2>/dev/null | grep -q "^NAME" ||
        fail "the manual page of $page does not read"
done
doc=$root/usr/share/doc/quorvane
[ -f "$doc/copyright" ] || fail "no copyright file"
changelog_version=$(zcat "$doc/changelog.gz" 2>/dev/null | sed -n '1s/^quorvane (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's last entry is ${changelog_version:-missing}, the package $version"
for shell in bash-completion fish; do
    dir=$(pkg-config --variable=completionsdir $shell)
    ls "$root$dir"/quorvane-list* >/dev/null 2>&1 || fail "no $shell completion in $dir"
done
found=$(zsh -fc 'for d in $fpath; do ls "$1$d/_quorvane-list" 2>/dev/null; done; true' zsh "$root")
[ -n "$found" ] || fail "no zsh completion in zsh's function path"

if command -v lintian >/dev/null; then
    # Root is warned against, not refused; informational tags (the sample folder's text files
    # outside share/doc, a build without optimisation's unfortified calls) are no fault.
    if lintian --fail-on error,warning "$package" 2> >(grep -v 'running with root privileges' >&2)
    then
        echo "lintian: no error, no warning"
    else
        fail "lintian finds errors or warnings"
    fi
else
    echo "lintian is not installed: the package is not checked against Debian's policy"
fi
exit $status
