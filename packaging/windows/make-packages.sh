#!/usr/bin/env bash
# Makes VANTOR's two Windows packages from a built vantor.exe:
#   OUT/vantor-VERSION-win64.zip   unzips to VANTOR\ (VANTOR.cmd, bin\, Content\, licences\, README.txt)
#   OUT/vantor-VERSION-setup.exe   installs the same folder under Program Files
#
#   make-packages.sh --exe EXE --licences DIR --version VERSION --out DIR [--icon ICO]
#
# --licences holds the licence text of each library built into the game, one
# plain file each (GLFW.txt, ...); they go into licences\ beside the game's own
# and the font's. Without --icon the icon is made from Content/Icons/vantor.png.
# Needs zip, makensis (nsis) and, without --icon, icotool (icoutils) and
# ImageMagick's convert.
set -euo pipefail

usage() {
    echo "usage: $0 --exe EXE --licences DIR --version VERSION --out DIR [--icon ICO]" >&2
    exit 2
}
exe= licences= version= out= icon=
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case "$1" in
        --exe) exe=$2 ;;
        --licences) licences=$2 ;;
        --version) version=$2 ;;
        --out) out=$2 ;;
        --icon) icon=$2 ;;
        *) usage ;;
    esac
    shift 2
done
[ -n "$exe" ] && [ -n "$licences" ] && [ -n "$version" ] && [ -n "$out" ] || usage
[[ "$version" =~ ^[0-9]+(\.[0-9]+){0,3}$ ]] || { echo "version '$version' is not 1 to 4 numbers" >&2; exit 2; }
[ -f "$exe" ] || { echo "no game at '$exe'" >&2; exit 1; }
[ -d "$licences" ] && [ -n "$(ls -A "$licences")" ] || { echo "no licence texts in '$licences'" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/VANTOR"
mkdir -p "$stage/bin" "$stage/Content" "$stage/licences"

# Text files get Windows line ends (Notepad and cmd read them so).
crlf() { awk '{ sub(/\r$/, ""); printf "%s\r\n", $0 }' "$1" > "$2"; }

cp "$exe" "$stage/bin/vantor.exe"
# What the game reads at run time, as in the Linux install.
for folder in Shader Images Models Fonts; do
    cp -R "$root/Content/$folder" "$stage/Content/"
done
crlf "$here/VANTOR.cmd" "$stage/VANTOR.cmd"
sed "s/@VERSION@/$version/" "$here/README.txt" > "$work/README.txt"
crlf "$work/README.txt" "$stage/README.txt"
crlf "$root/LICENSE" "$stage/licences/VANTOR.txt"
crlf "$root/Content/Fonts/LICENSE-LiberationSans.txt" "$stage/licences/LiberationSans.txt"
for text in "$licences"/*; do
    crlf "$text" "$stage/licences/$(basename "$text")"
done
if [ -n "$icon" ]; then
    cp "$icon" "$stage/vantor.ico"
else
    for size in 16 32 48; do
        convert "$root/Content/Icons/vantor.png" -resize "${size}x$size" "$work/icon-$size.png"
    done
    icotool -c -o "$stage/vantor.ico" "$work"/icon-{16,32,48}.png -r "$root/Content/Icons/vantor.png"
fi

zip_file="$out/vantor-$version-win64.zip"
rm -f "$zip_file"
(cd "$work" && find VANTOR | sort | zip -qX "$zip_file" -@)

# The installer's file lists, in the staged tree's order: folders before
# their files when installing, files before their folders, deepest first,
# when uninstalling.
(
    cd "$stage"
    find . -type d | sort | while read -r dir; do
        dir=${dir#./}; dir=${dir#.}
        [ -n "$(find "./$dir" -maxdepth 1 -type f)" ] || continue
        echo "SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
        find "./$dir" -maxdepth 1 -type f | sort | while read -r file; do
            echo "File \"$stage/${file#./}\""
        done
    done > "$work/install.nsh"
    {
        find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
        find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
    } > "$work/uninstall.nsh"
)
file_version=$version
while [[ ! "$file_version" =~ ^[0-9]+(\.[0-9]+){3}$ ]]; do
    file_version="$file_version.0"
done
size_kb=$(du -sk "$stage" | cut -f1)
setup="$out/vantor-$version-setup.exe"
copyright=$(grep -m1 '^Copyright' "$root/LICENSE")
makensis -V2 -DVERSION="$version" -DCOPYRIGHT="$copyright" -DFILE_VERSION="$file_version" -DSTAGE="$stage" -DLISTS="$work" \
    -DSIZE_KB="$size_kb" -DOUTFILE="$setup" "$here/installer.nsi"
echo "made $zip_file"
echo "made $setup"
