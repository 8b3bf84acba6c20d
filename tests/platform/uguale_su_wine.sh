#!/usr/bin/env bash
# The Windows program under Wine gives the Linux program's bytes: the normal
# run, beside the .exe, writes the pinned reference files; init, compile,
# inspect, draw, view and decompile write what the Linux program writes for
# the same inputs. Windows-only faults leave the old file and exit 3.
# Usage: uguale_su_wine.sh WINE PROGRAM.exe REFERENCE_DIR [LINUX_PROGRAM]
set -euo pipefail
wine=$1 exe=$(realpath "$2") riferimento=$(realpath "$3") linux=${4:+$(realpath "$4")}
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
export WINEDEBUG=-all
fallito=0
diverso() { echo "DIFFERENT: $*"; fallito=1; }

# The normal run, in the program's own folder.
mkdir "$lavoro/normale"
cp "$exe" "$lavoro/normale/compattatore.exe"
(cd "$lavoro/normale" && "$wine" ./compattatore.exe --no-window) 2>"$lavoro/normale.err" ||
    diverso "normal run exit status $?: $(cat "$lavoro/normale.err")"
for f in Corvale_Mendra_4821-3.dat Corvale_Mendra_4821-3.sim Corvale_Mendra_4821-3_rallentamenti.txt \
    Corvale_Mendra_4821-3_scheda_treno.txt; do
    cmp -s "$riferimento/$f" "$lavoro/normale/$f" || diverso "normal run: $f"
done

# A folder with accents, whose files' paths pass the old limit of 260 characters.
lungo="$lavoro/$(printf 'cartella_molto_lunga_%.0s' 1 2 3 4 5)/$(printf 'ancora_più_lunga_àè_%.0s' 1 2 3 4 5 6)"
mkdir -p "$lungo"
"$wine" "$exe" --no-window --dir "$lungo" 2>"$lavoro/lungo.err" || diverso "long path: $(cat "$lavoro/lungo.err")"
cmp -s "$riferimento/Corvale_Mendra_4821-3.sim" "$lungo/Corvale_Mendra_4821-3.sim" || diverso "long path: the plan file"

# Windows refuses to replace a file held open without sharing, and a
# read-only one: exit 3, the old file intact.
doc=Corvale_Mendra_4821-3_scheda_treno.txt
prima=$(sha256sum <"$lavoro/normale/$doc")
chmod a-w "$lavoro/normale/$doc"
stato=0
(cd "$lavoro/normale" && "$wine" ./compattatore.exe --no-window) 2>"$lavoro/sola.err" || stato=$?
[ "$stato" = 3 ] && grep -q "read-only" "$lavoro/sola.err" || diverso "read-only output: status $stato, $(cat "$lavoro/sola.err")"
[ "$(sha256sum <"$lavoro/normale/$doc")" = "$prima" ] || diverso "read-only output changed"
chmod u+w "$lavoro/normale/$doc"
# A folder in the way of a binary file.
rm "$lavoro/normale/Corvale_Mendra_4821-3.sim"
mkdir -p "$lavoro/normale/Corvale_Mendra_4821-3.sim/dentro"
stato=0
(cd "$lavoro/normale" && "$wine" ./compattatore.exe --no-window) 2>"$lavoro/cartella.err" || stato=$?
[ "$stato" = 3 ] || diverso "folder in the way: status $stato, $(cat "$lavoro/cartella.err")"
cmp -s "$riferimento/Corvale_Mendra_4821-3.dat" "$lavoro/normale/Corvale_Mendra_4821-3.dat" ||
    diverso "folder in the way: the old object file changed"

[ -n "$linux" ] || exit $fallito

# Each command on both systems, in a folder whose name has an accent.
for sistema in linux windows; do
    d="$lavoro/$sistema/città"
    mkdir -p "$d/uscita" "$d/ricostruiti"
    if [ $sistema = linux ]; then esegui() { (cd "$d" && "$linux" "$@"); }; else
        esegui() { (cd "$d" && "$wine" "$exe" "$@"); }
    fi
    {
        esegui init . && esegui compile Corvale_Mendra_linea.txt Corvale_Mendra_4821-3-.txt -o uscita &&
            esegui inspect uscita >"$d/ispeziona.txt" && esegui inspect uscita --json >"$d/ispeziona.json" &&
            esegui draw uscita -o disegno.svg && esegui view uscita -o vista.html &&
            esegui decompile uscita -o ricostruiti
    } >/dev/null 2>"$lavoro/$sistema.err" || diverso "$sistema commands: $(cat "$lavoro/$sistema.err")"
done
diff -r "$lavoro/linux/città" "$lavoro/windows/città" >/dev/null || diverso "command outputs: $(diff -rq "$lavoro/linux/città" "$lavoro/windows/città")"
exit $fallito
