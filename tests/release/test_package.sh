#!/bin/sh
# The packages end to end: the installed program folder, the .tar.gz, and the .deb installed
# into a scratch root, started through its launcher by a user with a scratch home, then
# upgraded to a newer package and started again.
#   sh test_package.sh <source folder> <build folder> <cpack> <scratch folder>
# Needs dpkg (dpkg-deb), desktop-file-validate, timeout, cmp, tar.
set -u
source=$1
build=$2
cpack=$3
scratch=$4
failures=0
checks=0
run_seconds=3

check() { # check <what> <command...>
    what=$1
    shift
    checks=$((checks + 1))
    if ! "$@"; then
        failures=$((failures + 1))
        echo "FAILED: $what" >&2
    fi
}
same() { cmp -s "$1" "$2"; }
differ() { ! cmp -s "$1" "$2"; }
absent() { [ ! -e "$1" ]; }
contains() { case $1 in *"$2"*) return 0 ;; *) return 1 ;; esac; }
stop() {
    echo "$*" >&2
    chmod -R u+w "$scratch" 2>/dev/null
    echo "package: $((checks - failures)) passed, $((failures + 1)) failed"
    exit 1
}
# Every file of folder $1 is in folder $2 with the same bytes.
same_tree() {
    (cd "$1" && find . -type f) | while IFS= read -r f; do
        cmp -s "$1/$f" "$2/$f" || {
            echo "  differs: $f" >&2
            return 1
        }
    done
}
# Lines of `dpkg-deb -c` for files or folders under opt/ that anyone but root may write.
writable_by_others() { dpkg-deb -c "$1" | awk '$6 ~ /^\.\/opt\// && $1 ~ /^.....w|^........w/'; }

chmod -R u+w "$scratch" 2>/dev/null
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$build" || stop "no build folder $build"

# --- cmake --install: a complete program folder, nothing of the desktop integration. ---
folder=$scratch/folder
cmake --install "$build" --prefix "$folder" >"$scratch/install.log" 2>&1 ||
    stop "cmake --install failed: $(cat "$scratch/install.log")"
check "the installed folder has the program" [ -x "$folder/ravolin" ]
check "the installed folder has everything in dist/ byte for byte" \
    same_tree "$source/dist" "$folder"
for d in data wheels languages; do
    check "the installed folder has $d/" [ -d "$folder/$d" ]
done
check "the installed folder has the settings file" [ -f "$folder/ravolin.ini" ]
check "the installed folder has the icon" [ -f "$folder/ravolin.png" ]
check "the installed folder has no launcher" absent "$folder/bin"
check "the installed folder has no stamp" absent "$folder/.ravolin-package"

# --- The .tar.gz: the portable program folder under one top folder. ---
"$cpack" --config "$build/CPackConfig.cmake" -G TGZ -B "$scratch/tgz" >"$scratch/tgz.log" 2>&1 ||
    stop "cpack TGZ failed: $(cat "$scratch/tgz.log")"
set -- "$scratch"/tgz/ravolin-*.tar.gz
[ -f "$1" ] || stop "no .tar.gz made"
mkdir -p "$scratch/untar"
tar -xzf "$1" -C "$scratch/untar" || stop "the .tar.gz does not unpack"
top=$(basename "$1" .tar.gz)
check "the .tar.gz holds one folder named like it" [ "$(ls "$scratch/untar")" = "$top" ]
check "the .tar.gz folder has the program" [ -x "$scratch/untar/$top/ravolin" ]
check "the .tar.gz folder has dist/ byte for byte" same_tree "$source/dist" "$scratch/untar/$top"
check "the .tar.gz folder holds what cmake --install lays out" \
    [ "$(cd "$folder" && find . | sort)" = "$(cd "$scratch/untar/$top" && find . | sort)" ]
check "the .tar.gz has no desktop integration" absent "$scratch/untar/$top/share"

# --- The .deb: contents, metadata, menu entry. ---
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb1" >"$scratch/deb1.log" 2>&1 ||
    stop "cpack DEB failed: $(cat "$scratch/deb1.log")"
set -- "$scratch"/deb1/ravolin_*.deb
deb1=$1
[ -f "$deb1" ] || stop "no .deb made"
version=$(dpkg-deb -f "$deb1" Version)
check "the package is named ravolin" [ "$(dpkg-deb -f "$deb1" Package)" = ravolin ]
depends=$(dpkg-deb -f "$deb1" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    check "the package depends on $lib" contains "$depends" "$lib"
done
dpkg-deb -c "$deb1" >"$scratch/deb1.list"
for f in ./opt/ravolin/ravolin ./opt/ravolin/ravolin.ini ./opt/ravolin/.ravolin-package \
    ./usr/bin/ravolin ./usr/share/applications/ravolin.desktop \
    ./usr/share/icons/hicolor/scalable/apps/ravolin.svg \
    ./usr/share/icons/hicolor/48x48/apps/ravolin.png \
    ./usr/share/icons/hicolor/256x256/apps/ravolin.png; do
    check "the package holds $f" grep -q " $f\$" "$scratch/deb1.list"
done
check "the package's files belong to root" \
    [ -z "$(awk '$2 != "root/root"' "$scratch/deb1.list")" ]
check "the installed program folder is read-only for users" [ -z "$(writable_by_others "$deb1")" ]
check "the package ships no ticket folders" [ -z "$(grep /tickets "$scratch/deb1.list")" ]

root=$scratch/root
dpkg -x "$deb1" "$root" || stop "dpkg -x failed"
sys=$root/opt/ravolin
check "the menu entry is valid" desktop-file-validate "$root/usr/share/applications/ravolin.desktop"
check "the menu entry starts the launcher" grep -qx "Exec=ravolin" \
    "$root/usr/share/applications/ravolin.desktop"
check "the launcher can be run" [ -x "$root/usr/bin/ravolin" ]
check "the launcher looks in /opt/ravolin" grep -q '/opt/ravolin}' "$root/usr/bin/ravolin"
check "the installed folder has everything in dist/" same_tree "$source/dist" "$sys"

# Starts the launcher as the scratch user. Once the launcher has set up the
# folder and handed over to the program (the process then runs the user's copy),
# the program is given a few seconds for its start-up and is then stopped.
home=$scratch/home
user=$home/.local/share/ravolin
start() {
    env -u XDG_DATA_HOME HOME="$home" RAVOLIN_SYSTEM_FOLDER="$sys" QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/ravolin" >"$scratch/run.log" 2>&1 &
    pid=$!
    tries=0
    while [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" != "$user/ravolin" ]; do
        if ! kill -0 "$pid" 2>/dev/null || [ "$tries" -ge 600 ]; then
            kill "$pid" 2>/dev/null
            wait "$pid"
            echo "  the program did not start from the user's folder:" >&2
            cat "$scratch/run.log" >&2
            return 1
        fi
        tries=$((tries + 1))
        sleep 0.2
    done
    sleep "$run_seconds"
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "  the program ended by itself with status $?:" >&2
        cat "$scratch/run.log" >&2
        return 1
    fi
    kill "$pid"
    wait "$pid"
    return 0
}

# --- First start: the user's program folder is made and the program runs in it. ---
check "the program runs from the launcher until stopped" start
check "the user's folder is a full copy of the installed one" same_tree "$sys" "$user"
for n in 10 11 12 13 14 15; do
    check "the program made tickets/$n in the user's folder" [ -d "$user/tickets/$n" ]
done
check "nothing was written into the installed folder" absent "$sys/tickets"

# --- The user's work: a ticket and another open game; a shipped language edited by hand. ---
set -- "$user"/data/*.def
[ $# -ge 2 ] || stop "the package ships fewer than two games"
opened=$(sed -n 2p "$2" | tr -d '\r')
printf '14\r\n1X21X21X21X21X\r\n2X12X12X12X12X\r\nW\351ek \2121\r\n' >"$user/tickets/14/Week 1"
printf '[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\n%s\r\n[LANGUAGE]\r\nEnglish\r\n' \
    "$opened" >"$user/ravolin.ini"
mkdir -p "$scratch/before"
cp "$user/tickets/14/Week 1" "$scratch/before/ticket"
cp "$user/ravolin.ini" "$scratch/before/ini"
set -- "$user"/languages/*.lng
language=$1
printf 'changed by hand\r\n' >>"$language"

# --- The upgrade: the same sources packaged under a higher version, installed over it. ---
newer=$version.1
check "the new version is higher" dpkg --compare-versions "$newer" gt "$version"
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb2" \
    -D CPACK_PACKAGE_VERSION="$newer" >"$scratch/deb2.log" 2>&1 ||
    stop "cpack DEB (upgrade) failed: $(cat "$scratch/deb2.log")"
set -- "$scratch"/deb2/ravolin_*.deb
deb2=$1
check "the upgrade package has the new version" [ "$(dpkg-deb -f "$deb2" Version)" = "$newer" ]
cp "$sys/.ravolin-package" "$scratch/before/stamp"
dpkg -x "$deb2" "$root" || stop "dpkg -x of the upgrade failed"
check "the upgrade has a new stamp" differ "$scratch/before/stamp" "$sys/.ravolin-package"

check "the upgraded program runs from the launcher" start
check "the ticket survives the upgrade byte for byte" same "$scratch/before/ticket" \
    "$user/tickets/14/Week 1"
check "the settings survive the upgrade byte for byte" same "$scratch/before/ini" \
    "$user/ravolin.ini"
check "the upgrade refreshed the shipped language" same "$sys/languages/${language##*/}" \
    "$language"
check "the upgrade refreshed the program" same "$sys/ravolin" "$user/ravolin"
check "the user's copy has the new stamp" same "$sys/.ravolin-package" "$user/.ravolin-package"
check "the ticket folders are still there" [ -d "$user/tickets/15" ]

chmod -R u+w "$scratch"
echo "package: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
