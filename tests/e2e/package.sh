#!/usr/bin/env bash
# The end-to-end check (run.sh) against the programs of the Debian package: the package is
# unpacked into a temporary root (dpkg-deb -x) and the programs run with a home folder of
# their own in which nothing exists yet. The proposed "C:\THAI\" is accepted, so the
# programs must fill ~/.local/share/thai-kit/drive_c from the installed starter and write
# the new word there. Afterwards the user's folder holds the starter's files, two of them
# with the new records appended, and the installed starter is as the package has it.
#   usage: package.sh DEB        needs: dpkg-deb, and what run.sh needs
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package e2e: FAIL: $*" >&2; exit 1; }

root=$work/root
dpkg-deb -x "$deb" "$root"
starter=$root/usr/share/thai-kit/drive_c/THAI
[ -d "$starter" ] || fail "the package has no starter folder"
fingerprint() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
installed=$(fingerprint "$starter")

# run.sh starts BUILD/bin/PROGRAM: links to the unpacked programs, which find their
# installed starter from where they really are. Screenshots stay in BUILD/e2e.
build=$(dirname "$deb")/e2e-package
rm -rf "$build"
mkdir -p "$build/bin"
ln -s "$root/usr/bin/vocaboro" "$root/usr/bin/chartola" "$root/usr/bin/ripasso" "$root/usr/bin/thai-kit" "$build/bin/"

home=$work/home
user=$home/.local/share/thai-kit/drive_c/THAI
for attempt in 1 2; do
    rm -rf "$home"
    mkdir -p "$home"
    if env -u XDG_DATA_HOME HOME="$home" E2E_DRIVE_C_THAI="$user" "$here/run.sh" "$build"; then
        break
    fi
    # An X server under load can drop a key press.
    [ "$attempt" = 2 ] && fail "the end-to-end check failed twice"
    echo "package e2e: trying once more"
done

[ "$(fingerprint "$starter")" = "$installed" ] || fail "the installed starter changed"
changed=()
for file in "$starter"/*; do
    name=$(basename "$file")
    copy=$user/$name
    [ -f "$copy" ] || fail "$name was not copied into the user's folder"
    if ! cmp -s "$file" "$copy"; then
        if [ "$name" = LEXFWD_P.DAT ]; then
            # run.sh takes perche's cross-reference out, and adds nothing.
            cmp -s <(grep -av '^"perche",' "$file") "$copy" ||
                fail "$name is not the starter's less perche's cross-reference"
        elif [ "$name" = LEXFWD_G.DAT ] || [ "$name" = LEXREV_M.DAT ]; then
            # The Words page changed the starter's gatto = maeu, then removed it; the keys'
            # own gatto = maeu follows the rest.
            grep -av '^"gatto","maeu","s.m.",\|^"maeu","gatto","s.m.",' "$file" >"$work/kept"
            cmp -s -n "$(stat -c %s "$work/kept")" "$work/kept" "$copy" ||
                fail "$name is not the starter's less the gatto the Words page removed"
        else
            size=$(stat -c %s "$file")
            cmp -s -n "$size" "$file" "$copy" || fail "$name in the user's folder is not the starter's"
        fi
        changed+=("$name")
    fi
done
# The two entries' four files, the long word and the listing that run.sh adds itself, the
# cross-reference it takes out, and the two words imported from Ripasso's File menu
# (farfalla = phiisuea, lucciola = hinghoi).
expected="LEXFWD_B.DAT LEXFWD_C.DAT LEXFWD_F.DAT LEXFWD_G.DAT LEXFWD_L.DAT LEXFWD_P.DAT LEXFWD_Z.DAT"
expected+=" LEXREV_B.DAT LEXREV_H.DAT LEXREV_M.DAT LEXREV_P.DAT"
[ "${changed[*]}" = "$expected" ] ||
    fail "the files that changed are '${changed[*]}', not $expected"
[ "$(ls -A "$user" | wc -l)" = "$(ls -A "$starter" | wc -l)" ] ||
    fail "the user's folder holds files that the starter does not"
[ "$(ls -A "$(dirname "$user")")" = "THAI" ] || fail "something beside THAI in the user's drive_c"
echo "package e2e: the programs filled $(ls "$user" | wc -l) files into the new home from the" \
    "package's starter, the new word went there, and the installed starter is unchanged"
