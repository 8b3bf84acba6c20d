#!/usr/bin/env bash
# The package cpack makes from a build folder holds what a user needs: the
# Debian package's program, unpacked, makes the normal run's reference files;
# the Windows zip holds the .exe, the README, the pages for authors and the
# manual page as text.
# Usage: pacchetto.sh BUILD_DIR REFERENCE_DIR
set -euo pipefail
build=$(realpath "$1") riferimento=$(realpath "$2")
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$lavoro/pacchetti" >"$lavoro/cpack.log" 2>&1 ||
    { cat "$lavoro/cpack.log"; exit 1; }
versione=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
fallito=0
manca() { echo "MISSING: $*"; fallito=1; }

if [ -f "$build/compattatore.exe" ]; then
    zip="$lavoro/pacchetti/compattatore-$versione-win64.zip"
    [ -f "$zip" ] || { echo "no $zip: $(ls "$lavoro/pacchetti")"; exit 1; }
    contenuto=$(unzip -Z1 "$zip")
    for f in compattatore.exe README.md compattatore.txt docs/usage.md docs/description-files.md; do
        grep -qx "$f" <<<"$contenuto" || manca "$f in the zip"
    done
    exit $fallito
fi

deb="$lavoro/pacchetti/compattatore_${versione}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb: $(ls "$lavoro/pacchetti")"; exit 1; }
dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ' | grep -q "compattatore Version: $versione" ||
    manca "the package's name and version: $(dpkg-deb -f "$deb")"
dpkg-deb -x "$deb" "$lavoro/radice"
for f in usr/bin/compattatore usr/share/man/man1/compattatore.1 usr/share/doc/compattatore/README.md; do
    [ -f "$lavoro/radice/$f" ] || manca "$f in the package"
done
# The normal run writes beside the program.
mkdir "$lavoro/corsa"
cp "$lavoro/radice/usr/bin/compattatore" "$lavoro/corsa/"
"$lavoro/corsa/compattatore" --no-window 2>/dev/null || manca "a normal run of the packaged program"
for f in Corvale_Mendra_4821-3.dat Corvale_Mendra_4821-3.sim; do
    cmp -s "$riferimento/$f" "$lavoro/corsa/$f" || manca "the reference bytes of $f"
done
exit $fallito
