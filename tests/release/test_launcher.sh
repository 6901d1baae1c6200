#!/bin/sh
# The launcher against a hand-made installed folder whose "program" only records how it was
# started: first start, later starts, an upgrade of the package, the user's own files, the XDG
# rules and failures.
#   sh test_launcher.sh <configured launcher> <scratch folder>
set -u
launcher=$1
scratch=$2
failures=0
checks=0

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
no_leftovers() { [ -z "$(find "$1" -name '.ravolin-new.*' -o -name '.ravolin-files.new.*')" ]; }
user_writable() { case $(stat -c %A "$1") in ?rw*) return 0 ;; *) return 1 ;; esac; }

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch" || exit 1 # a relative XDG_DATA_HOME that was wrongly used lands here
sys=$scratch/opt/ravolin
record=$scratch/record
export RAVOLIN_TEST_RECORD="$record"

# An installed folder of version $1: program, settings, games, a wheel, languages, help.
make_system() {
    chmod -R u+w "$sys" 2>/dev/null
    rm -rf "$sys"
    mkdir -p "$sys/data" "$sys/wheels" "$sys/languages"
    printf '#!/bin/sh\n# version %s\nprintf "%%s\\n" "$0" "$@" >"$RAVOLIN_TEST_RECORD"\n' "$1" \
        >"$sys/ravolin"
    chmod 755 "$sys/ravolin"
    printf '[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nGame A %s\r\n[LANGUAGE]\r\nEnglish\r\n' \
        "$1" >"$sys/ravolin.ini"
    printf '[DO NOT CHANGE THIS FILE]\r\nGame A %s\r\n13\r\n10\r\n' "$1" >"$sys/data/A.def"
    printf '[DO NOT CHANGE THIS FILE]\r\nGame B\r\n14\r\n10\r\n' >"$sys/data/B.def"
    printf 'wheel rows %s\r\n' "$1" >"$sys/wheels/03041300001314.txt"
    printf 'English %s\r\n' "$1" >"$sys/languages/English.lng"
    printf '<html>%s</html>\r\n' "$1" >"$sys/languages/English-help.htm"
    printf 'Ravolin %s\n' "$1" >"$sys/.ravolin-package"
    # Installed read-only, as the package does for everyone but root.
    find "$sys" -type f ! -name ravolin -exec chmod 444 {} +
    find "$sys" -type d -exec chmod 555 {} +
}

run() { # run <HOME> <XDG_DATA_HOME or "-" for unset> [arguments]
    home=$1
    xdg=$2
    shift 2
    rm -f "$record"
    if [ "$xdg" = - ]; then
        env -u XDG_DATA_HOME HOME="$home" RAVOLIN_SYSTEM_FOLDER="$sys" sh "$launcher" "$@"
    else
        env HOME="$home" XDG_DATA_HOME="$xdg" RAVOLIN_SYSTEM_FOLDER="$sys" sh "$launcher" "$@"
    fi
}
started_from() { [ -f "$record" ] && [ "$(sed -n 1p "$record")" = "$1/ravolin" ]; }

# --- First start: the whole installed folder is copied and the copy is started. ---
make_system 1
home=$scratch/home
user=$scratch/xdg/ravolin
run "$home" "$scratch/xdg" one "two words"
check "first start exits with the program's status" [ $? -eq 0 ]
check "the program starts from the user's folder" started_from "$user"
check "arguments are passed on" [ "$(sed -n 2,3p "$record")" = "one
two words" ]
for f in ravolin ravolin.ini data/A.def data/B.def wheels/03041300001314.txt \
    languages/English.lng languages/English-help.htm .ravolin-package; do
    check "first start copies $f byte for byte" same "$sys/$f" "$user/$f"
done
check "the copy of the program can be run" [ -x "$user/ravolin" ]
check "the user can rewrite the settings file" user_writable "$user/ravolin.ini"
check "the user can write into the games folder" user_writable "$user/data"
check "no temporary file is left" no_leftovers "$user"
check "nothing goes to the home's default folder" absent "$home/.local/share/ravolin"
check "no ticket folders are made by the launcher" absent "$user/tickets"

# --- A later start with the same package reuses the folder as it is. ---
printf 'my own edit\r\n' >"$user/languages/English.lng"
run "$home" "$scratch/xdg"
check "a later start runs the user's program" started_from "$user"
check "a later start leaves the user's folder alone" \
    [ "$(cat "$user/languages/English.lng")" = "$(printf 'my own edit\r\n')" ]

# --- The user's work before the upgrade. ---
mkdir -p "$user/tickets/14"
printf '14\r\n1X21X21X21X21X\r\n\351t\r\n' >"$user/tickets/14/Saturday"
cp "$user/tickets/14/Saturday" "$scratch/ticket.before"
printf '[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nGame B\r\n[LANGUAGE]\r\nEnglish\r\n' \
    >"$user/ravolin.ini"
cp "$user/ravolin.ini" "$scratch/ini.before"
printf '[DO NOT CHANGE THIS FILE]\r\nMy renamed A\r\n13\r\n10\r\n' >"$user/data/A.def"
cp "$user/data/A.def" "$scratch/A.before"
rm "$user/data/B.def"
printf '[DO NOT CHANGE THIS FILE]\r\nMine\r\n12\r\n10\r\n' >"$user/data/Mine.def"
printf 'my wheel\r\n' >"$user/wheels/02020900000910.txt"

# --- Upgrade: version 2 changes the program and a wheel, drops the help page, adds a language
# and a game. ---
make_system 2
chmod u+w "$sys" "$sys/languages" "$sys/data"
rm "$sys/languages/English-help.htm"
printf 'Deutsch 2\r\n' >"$sys/languages/Deutsch.lng"
printf '[DO NOT CHANGE THIS FILE]\r\nGame C\r\n15\r\n10\r\n' >"$sys/data/C.def"
chmod 555 "$sys" "$sys/languages" "$sys/data"
run "$home" "$scratch/xdg"
check "after the upgrade the program starts from the user's folder" started_from "$user"
check "the upgrade replaces the program" same "$sys/ravolin" "$user/ravolin"
check "the upgraded program can be run" [ -x "$user/ravolin" ]
check "the upgrade replaces a shipped wheel" same "$sys/wheels/03041300001314.txt" \
    "$user/wheels/03041300001314.txt"
check "the upgrade replaces a shipped language" same "$sys/languages/English.lng" \
    "$user/languages/English.lng"
check "the upgrade adds a new language" same "$sys/languages/Deutsch.lng" \
    "$user/languages/Deutsch.lng"
check "the upgrade removes a page the package no longer has" \
    absent "$user/languages/English-help.htm"
check "the upgrade adds a new game" same "$sys/data/C.def" "$user/data/C.def"
check "the stamp is the new one" same "$sys/.ravolin-package" "$user/.ravolin-package"
check "the ticket is kept byte for byte" same "$scratch/ticket.before" "$user/tickets/14/Saturday"
check "the settings are kept byte for byte" same "$scratch/ini.before" "$user/ravolin.ini"
check "an edited shipped game is kept" same "$scratch/A.before" "$user/data/A.def"
check "the shipped game really changed" differ "$sys/data/A.def" "$user/data/A.def"
check "a game the user deleted stays deleted" absent "$user/data/B.def"
check "the user's own game is kept" [ -f "$user/data/Mine.def" ]
check "the user's own wheel is kept" [ -f "$user/wheels/02020900000910.txt" ]
check "no temporary file is left after the upgrade" no_leftovers "$user"

# --- A lost settings file is restored, even without an upgrade. ---
rm "$user/ravolin.ini"
run "$home" "$scratch/xdg"
check "a missing settings file is restored" same "$sys/ravolin.ini" "$user/ravolin.ini"
check "the ticket survives the repair" same "$scratch/ticket.before" "$user/tickets/14/Saturday"

# --- The XDG rules: unset, empty or relative XDG_DATA_HOME means ~/.local/share. ---
for xdg in - "" "relative/path"; do
    home2=$scratch/home-$checks
    run "$home2" "$xdg"
    check "XDG_DATA_HOME '$xdg' means ~/.local/share" started_from "$home2/.local/share/ravolin"
    check "XDG_DATA_HOME '$xdg' gives a complete copy" same "$sys/ravolin" \
        "$home2/.local/share/ravolin/ravolin"
done

# --- A portable program folder the user moved into place keeps its games, settings and
# tickets; only the program and the shipped files are brought in. ---
moved=$scratch/home-moved/xdg/ravolin
mkdir -p "$moved/data" "$moved/tickets/13"
printf '[DO NOT CHANGE THIS FILE]\r\nMy A\r\n13\r\n10\r\n' >"$moved/data/A.def"
printf '[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nMy A\r\n[LANGUAGE]\r\nDeutsch\r\n' \
    >"$moved/ravolin.ini"
printf '13\r\n1111111111111\r\n' >"$moved/tickets/13/Old"
cp "$moved/data/A.def" "$scratch/movedA"
cp "$moved/ravolin.ini" "$scratch/movedini"
cp "$moved/tickets/13/Old" "$scratch/movedticket"
run "$scratch/home-moved" "$scratch/home-moved/xdg"
check "a moved-in folder is used" started_from "$moved"
check "a moved-in folder keeps its game" same "$scratch/movedA" "$moved/data/A.def"
check "a moved-in folder keeps its settings" same "$scratch/movedini" "$moved/ravolin.ini"
check "a moved-in folder keeps its ticket" same "$scratch/movedticket" "$moved/tickets/13/Old"
check "a moved-in folder gets the missing games" same "$sys/data/C.def" "$moved/data/C.def"
check "a moved-in folder gets the program" same "$sys/ravolin" "$moved/ravolin"

# --- Failures: no installed program; a set-up that cannot finish. ---
home3=$scratch/home-missing
env HOME="$home3" XDG_DATA_HOME="$home3/xdg" RAVOLIN_SYSTEM_FOLDER="$scratch/nowhere" \
    sh "$launcher" >/dev/null 2>"$scratch/err"
check "a missing installed folder is an error" [ $? -ne 0 ]
check "the error names the folder" grep -q "$scratch/nowhere" "$scratch/err"
check "a missing installed folder makes no user folder" absent "$home3/xdg/ravolin"

home4=$scratch/home-blocked
mkdir -p "$home4/xdg/ravolin"
: >"$home4/xdg/ravolin/wheels" # a file where the wheels folder has to go
rm -f "$record"
run "$home4" "$home4/xdg" 2>"$scratch/err"
check "a set-up that cannot finish is an error" [ $? -ne 0 ]
check "a set-up that cannot finish starts nothing" absent "$record"
check "a set-up that cannot finish writes no stamp" absent "$home4/xdg/ravolin/.ravolin-package"
rm "$home4/xdg/ravolin/wheels"
run "$home4" "$home4/xdg"
check "the next start completes the set-up" started_from "$home4/xdg/ravolin"
check "the completed set-up has the wheels" same "$sys/wheels/03041300001314.txt" \
    "$home4/xdg/ravolin/wheels/03041300001314.txt"

chmod -R u+w "$scratch"
echo "launcher: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
