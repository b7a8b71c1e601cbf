#!/bin/sh
# Release packages, into build/packages/:
#   tavkonv40-VERSION-windows-x86_64.zip  the command line for Windows (one static .exe), README, licence
#   tavkonv40-VERSION-setup.exe           the Windows setup program: the COM library (32-bit, and
#                                         64-bit on 64-bit Windows) registered, the dialog's launcher
#                                         in the Start menu, the command line, the skins
#   tavkonv40_VERSION_amd64.deb           the Linux build: dialog with menu entry and icon, command
#                                         line with man page and bash completion, skins
# and lintian's verdict on the .deb (the script fails on any lintian error).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows packages
version="$(sed -n 's/^project(tavKonv40 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
out="$PWD/build/packages"
rm -rf "$out"
mkdir -p "$out"

# --- Windows: the cross-built command line ------------------------------------------------
scripts/ci-windows.sh --release
name="tavkonv40-$version-windows-x86_64"
mkdir "$out/$name"
x86_64-w64-mingw32-strip -o "$out/$name/tavkonv40.exe" build/windows-release/cli/tavkonv40.exe
# Notepad and the other Windows tools a user opens these with expect CR LF.
sed 's/$/\r/' README.md > "$out/$name/README.txt"
sed 's/$/\r/' packaging/copyright > "$out/$name/LICENCE.txt"
(cd "$out" && zip -q -r "$name.zip" "$name")
rm -rf "$out/$name"

# --- Windows: the setup program (packaging/windows/) ----------------------------------------
. scripts/windows-build.sh
configure_windows_i686
cmake --build build/windows-i686 -j2 --target tavkonv40 tavkonv40_com tavkonv40_launcher
packaging/windows/make-setup.sh build/windows-release build/windows-i686 "$out" >/dev/null

# --- Debian: the Linux build installed under /usr -----------------------------------------
build="$PWD/build/package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTAVKONV40_BUILD_TESTS=OFF -DTAVKONV40_BUILD_BENCH=OFF \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$build"
root="$out/root"
DESTDIR="$root" cmake --install "$build" --strip >/dev/null

share="$root/usr/share"
doc="$share/doc/tavkonv40"
install -d "$share/man/man1" "$share/applications" "$share/icons/hicolor/scalable/apps" "$doc"
help2man --no-info --version-string="$version" \
    --name="convert Visual Basic 6 projects to edition 4.0 or 4.0L of the Nexaria control suite" \
    "$build/cli/tavkonv40" | gzip -9n > "$share/man/man1/tavkonv40.1.gz"
install -m 644 packaging/tavkonv40.desktop "$share/applications/tavkonv40.desktop"
install -m 644 packaging/tavkonv40.svg "$share/icons/hicolor/scalable/apps/tavkonv40.svg"
install -m 644 packaging/copyright "$doc/copyright"
gzip -9n < README.md > "$doc/README.md.gz"
date="$(date -R -d "@$(git log -1 --format=%ct 2>/dev/null || date +%s)")"
printf 'tavkonv40 (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
    "$version" "$version" "tavKonv40 developers <tavkonv40@example.org>" "$date" | gzip -9n > "$doc/changelog.gz"
find "$root" -type d -exec chmod 755 {} +

# Library dependencies as dpkg-shlibdeps finds them (it wants a debian/control to read).
shlib="$(mktemp -d)"
mkdir "$shlib/debian"
printf 'Source: tavkonv40\n\nPackage: tavkonv40\nArchitecture: any\n' > "$shlib/debian/control"
depends="$(cd "$shlib" && dpkg-shlibdeps -O --ignore-missing-info -l"$root/usr/lib/x86_64-linux-gnu" \
    $(find "$root/usr/bin" "$root/usr/lib" -type f -perm -u+x -o -type f -name '*.so*' | sort -u) 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')"
rm -rf "$shlib"

install -d "$root/DEBIAN"
size="$(du -sk "$root/usr" | cut -f1)"
cat > "$root/DEBIAN/control" <<CONTROL
Package: tavkonv40
Version: $version
Architecture: amd64
Maintainer: tavKonv40 developers <tavkonv40@example.org>
Installed-Size: $size
Depends: $depends
Section: devel
Priority: optional
Description: convert Visual Basic 6 projects to a newer Nexaria control suite
 tavKonv40 rewrites the form, user-control and project files of a Visual
 Basic 6 project folder so that they name edition 4.0 or 4.0L of the Nexaria
 ActiveX control suite. It backs the folder up first and logs every step.
 .
 The package holds the conversion dialog (in the application menu), the
 tavkonv40 command line with its bash completion, and the dialog's skins.
CONTROL
# The shared library of the dialog lies in the library path.
echo "activate-noawait ldconfig" > "$root/DEBIAN/triggers"
(cd "$root" && find usr -type f -exec md5sum {} + | sort -k2) > "$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/triggers" "$root/DEBIAN/md5sums"
deb="$out/tavkonv40_${version}_amd64.deb"
fakeroot dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
rm -rf "$root"

lintian --fail-on error "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "Packages in $out:"
ls -l "$out"
