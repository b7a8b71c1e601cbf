#!/bin/sh
# Builds the Windows setup program, tavkonv40-VERSION-setup.exe, from cross-built trees:
#
#   packaging/windows/make-setup.sh X64_BUILD X86_BUILD OUTPUT_FOLDER [VERSION]
#
# X64_BUILD holds the 64-bit cli/tavkonv40.exe and com/tavKonv40.dll (scripts/ci-windows.sh),
# X86_BUILD the 32-bit ones and com/launcher/tavkonv40-gui.exe (configure_windows_i686 in
# scripts/windows-build.sh). The programs are stripped into a staging folder that
# tavkonv40.nsi reads; makensis comes from Debian's nsis package. Prints the setup's path. The
# version is the top-level CMakeLists.txt's unless given (the setup job makes an older one).
set -eu
cd "$(dirname "$0")/../.."
x64="$1" x86="$2" out="$3"
version="${4:-$(sed -n 's/^project(tavKonv40 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}"
stage="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-setup-stage.XXXXXX")"
trap 'rm -rf "$stage"' EXIT

mkdir -p "$stage/x64" "$stage/x86" "$stage/skins" "$out"
x86_64-w64-mingw32-strip -o "$stage/x64/tavkonv40.exe" "$x64/cli/tavkonv40.exe"
x86_64-w64-mingw32-strip -o "$stage/x64/tavKonv40.dll" "$x64/com/tavKonv40.dll"
i686-w64-mingw32-strip -o "$stage/x86/tavkonv40.exe" "$x86/cli/tavkonv40.exe"
i686-w64-mingw32-strip -o "$stage/x86/tavKonv40.dll" "$x86/com/tavKonv40.dll"
i686-w64-mingw32-strip -o "$stage/x86/tavkonv40-gui.exe" "$x86/com/launcher/tavkonv40-gui.exe"
cp skins/bitmaps/* "$stage/skins/"
cp com/launcher/tavkonv40.ico "$stage/"
# Notepad and the other Windows tools a user opens these with expect CR LF.
sed 's/$/\r/' README.md >"$stage/README.txt"
sed 's/$/\r/' packaging/copyright >"$stage/LICENCE.txt"
# The uninstaller removes the skins it installed by name, and no other file in that folder.
for f in skins/bitmaps/*; do printf 'Delete "$INSTDIR\\skins\\%s"\n' "$(basename "$f")"; done >"$stage/skins.nsh"

setup="$(cd "$out" && pwd)/tavkonv40-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
    packaging/windows/tavkonv40.nsi >&2
echo "$setup"
