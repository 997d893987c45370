#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary folder (DESTDIR), then checks that every
# file a desktop needs is there and passes its own validator, that a program
# installed under another prefix or copied elsewhere finds the right list, and
# that the Debian package made from the build passes lintian. A validator that
# is not installed is skipped with a message (exit 77 when nothing failed).
#   usage: CheckInstall.sh BUILD_FOLDER INSTALL_PREFIX VERSION
set -uo pipefail
build=$1
version=$3
id=ee.tarvalind.Zerizedozi
destdir=$(mktemp -d)
system=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$destdir" "$system" "$elsewhere"' EXIT
prefix=$destdir$2

failures=0
skipped=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null || { echo "SKIPPED: $1 not found, $2 not checked"; skipped=$((skipped + 1)); return 1; }; }
# Runs a validator that must print nothing and succeed.
silent() {
    local output
    output=$("$@" 2>&1) && [[ -z $output ]] || fail "$* says: ${output:-(exit status $?)}"
}

DESTDIR=$destdir cmake --install "$build" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

sizes=(16 32 48 64 128 256)
expected=(bin/zerizedozi bin/zerizedozi-cli
          share/applications/$id.desktop share/metainfo/$id.metainfo.xml
          share/icons/hicolor/scalable/apps/$id.svg
          share/man/man1/zerizedozi.1.gz share/man/man1/zerizedozi-cli.1.gz
          share/bash-completion/completions/zerizedozi-cli
          lib/systemd/user/zerizedozi-sync.service lib/systemd/user/zerizedozi-sync.timer)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x$size/apps/$id.png"); done
for file in "${expected[@]}"; do
    [[ -s $prefix/$file ]] || fail "$file is not installed"
done
for program in zerizedozi zerizedozi-cli; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is not executable"
done

# Each PNG is as large as its folder says (width and height from its header).
for size in "${sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" 2>/dev/null |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [[ ${width:-0}x${height:-0} == "${size}x$size" ]] || fail "$png is ${width:-?}x${height:-?}"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
if have rsvg-convert "the SVG's rendering"; then
    rsvg-convert -w 64 -h 64 "$prefix/share/icons/hicolor/scalable/apps/$id.svg" >/dev/null ||
        fail "the scalable icon does not render"
fi

desktop=$prefix/share/applications/$id.desktop
grep -qx "Exec=zerizedozi" "$desktop" || fail "the desktop entry does not start zerizedozi"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the installed icon"
if have desktop-file-validate "the desktop entry"; then silent desktop-file-validate "$desktop"; fi

# The autostart entry: in PREFIX/etc, and for the package's /usr in /etc,
# where desktops look for it.
reminder=$prefix/etc/xdg/autostart/$id.Reminder.desktop
[[ $2 == /usr ]] && reminder=$destdir/etc/xdg/autostart/$id.Reminder.desktop
[[ -s $reminder ]] || fail "the autostart entry is not installed"
DESTDIR=$system cmake --install "$build" --prefix /usr >/dev/null
[[ -s $system/etc/xdg/autostart/$id.Reminder.desktop ]] || fail "with the /usr prefix the autostart entry is not in /etc"
# It runs the installed command line by its path, and only while it is there.
for entry in "$reminder:$2" "$system/etc/xdg/autostart/$id.Reminder.desktop:/usr"; do
    file=${entry%:*} installed=${entry##*:}/bin/zerizedozi-cli
    grep -qx "Exec=$installed notify" "$file" || fail "$file does not run $installed notify"
    grep -qx "TryExec=$installed" "$file" || fail "$file does not try $installed"
done
if have desktop-file-validate "the autostart entry"; then silent desktop-file-validate "$reminder"; fi

# The sync timer: off until the user enables it, running the sync service.
units=$prefix/lib/systemd/user
grep -qx "ExecStart=zerizedozi-cli sync" "$units/zerizedozi-sync.service" || fail "the sync service does not sync"
grep -qx "OnUnitActiveSec=15min" "$units/zerizedozi-sync.timer" || fail "the sync timer does not run every 15 minutes"
# systemd finds the program in /usr/bin once the package is installed, not here.
if have systemd-analyze "the sync units"; then
    output=$(XDG_RUNTIME_DIR=$destdir systemd-analyze verify --user --man=no "$units/zerizedozi-sync.service" \
        "$units/zerizedozi-sync.timer" 2>&1 | grep -v "Command zerizedozi-cli is not executable")
    [[ -z $output ]] || fail "systemd-analyze says: $output"
fi

metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "the metainfo names no licence"
if have appstreamcli "the metainfo"; then
    output=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $output"
    grep -E '^[WE]:' <<<"$output" && fail "appstreamcli warns"
fi

if have mandoc "the manual pages"; then
    for page in zerizedozi zerizedozi-cli; do
        silent mandoc -T lint -W warning "$prefix/share/man/man1/$page.1.gz"
        zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH .*\"Zerizedozi $version\"" ||
            fail "$page(1) does not carry version $version"
    done
fi

[[ $("$prefix/bin/zerizedozi-cli" --version) == "zerizedozi-cli $version" ]] ||
    fail "zerizedozi-cli --version does not print $version"

# The completion offers the commands, each command's options, and files.
completions() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _zerizedozi_cli; printf "%s\n" "${COMPREPLY[@]}"' \
        _ "$prefix/share/bash-completion/completions/zerizedozi-cli" "$@"
}
mkdir -p "$destdir/files" && touch "$destdir/files/kontaktid.vcf" "$destdir/files/muu.txt"
[[ $(completions zerizedozi-cli add) == add-holidays ]] || fail "completion of the command 'add'"
[[ $(completions zerizedozi-cli upcoming --d) == --days ]] || fail "completion of upcoming's --days"
[[ $(completions zerizedozi-cli export-ics --a) == --alarm ]] || fail "completion of export-ics's --alarm"
[[ $(completions zerizedozi-cli sync --se) == --setup ]] || fail "completion of sync's --setup"
[[ $(completions zerizedozi-cli import-vcf "$destdir/files/") == "$destdir/files/kontaktid.vcf" ]] ||
    fail "completion of import-vcf's file"

# Where the list goes, for a user whose home is $1: run the command line of
# folder $2 with the arguments that follow, in another working directory.
cli_in_home() {
    local home=$1 bin=$2
    shift 2
    mkdir -p "$home/work"
    (cd "$home/work" && env -u XDG_DATA_HOME HOME="$home" DBUS_SESSION_BUS_ADDRESS=disabled: "$bin/zerizedozi-cli" "$@") \
        >/dev/null 2>&1 || fail "zerizedozi-cli $* in $bin"
}
# Installed under a prefix other than the configured one: the install knows
# itself by its layout. Commands that only read make nothing; the first that
# writes makes the user's own list.
relocated=$elsewhere/relocated
DESTDIR= cmake --install "$build" --prefix "$relocated" >/dev/null || fail "cmake --install --prefix $relocated"
home=$elsewhere/home
users_list=$home/.local/share/Tarvalind/Zerizedozi/Vozoraza.xml
for command in upcoming notify export-ics export-csv; do cli_in_home "$home" "$relocated/bin" "$command"; done
[[ -e $home/.local ]] && fail "a command that only reads made $(find "$home/.local" -mindepth 3 -maxdepth 3)"
cli_in_home "$home" "$relocated/bin" add-holidays
[[ -s $users_list ]] || fail "the relocated install did not make the list in the user's folder"
[[ -e $relocated/bin/Vozoraza.xml || -e $home/work/Vozoraza.xml ]] && fail "the relocated install made a list of its own"
# The relocated zerizedozi-cli finds its modules: the calendar's is there, and
# notify shows its reminder through the desktop's on a private session bus.
compgen -G "$relocated/lib*/zerizedozi/modules/zerizedozi-calendar.so" >/dev/null ||
    fail "the calendar module is not installed"
stand_in=$build/tests/cli/notification_service_stand_in
if [[ -x $stand_in ]] && have dbus-run-session "notify through the installed desktop module"; then
    printf '%s' '<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>' \
        >"$elsewhere/bus.conf"
    printf 'Nimi;Päev;Kuu;Aasta;Tüüp\r\nMari;%s;%s;;N\r\n' "$(date +%-d)" "$(date +%-m)" >"$elsewhere/notify.csv"
    "$relocated/bin/zerizedozi-cli" import-csv "$elsewhere/notify.csv" --file "$elsewhere/notify.xml" >/dev/null ||
        fail "import-csv of one entry"
    dbus-run-session --config-file="$elsewhere/bus.conf" -- "$stand_in" "$elsewhere/record.txt" body -- \
        "$relocated/bin/zerizedozi-cli" notify --file "$elsewhere/notify.xml" >/dev/null 2>&1
    grep -q "^summary=Täna: Mari" "$elsewhere/record.txt" 2>/dev/null ||
        fail "the installed notify did not reach the notification service"
fi
# A copy of the program elsewhere is portable: it keeps its list beside itself.
portable=$elsewhere/portable
mkdir -p "$portable" && cp "$relocated/bin/zerizedozi-cli" "$portable/"
rm -rf "$home"
cli_in_home "$home" "$portable" add-holidays
[[ -s $portable/Vozoraza.xml ]] || fail "the portable copy did not keep its list beside itself"
[[ -e $home/.local ]] && fail "the portable copy made the user's folder"

# The Debian package, made from this build as scripts/package.sh makes it.
if have lintian "the Debian package"; then
    if cpack -G DEB --config "$build/CPackConfig.cmake" -B "$elsewhere/package" >/dev/null 2>&1; then
        deb=$(ls "$elsewhere"/package/zerizedozi_*.deb)
        output=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $output"
    else
        fail "cpack could not make the package"
    fi
fi

((failures > 0)) && exit 1
((skipped > 0)) && exit 77
echo "every installed file is present and valid"
