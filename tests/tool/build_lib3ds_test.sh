#!/usr/bin/env bash
# tools/build-lib3ds-mingw.sh with a user's files where it works: it never removes what it did
# not make, installs only a build that succeeded, and leaves a finished prefix alone. Built from
# made-up lib3ds sources whose checksum matches their .dsc, whose configure fails or makes a
# Makefile that installs the files a real build would.
# Usage: build_lib3ds_test.sh SCRIPT WORK_DIR
set -u
script=$1
work=$2
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"
cd "$work" || exit 1

# download WORK CONFIGURE: WORK/download holding a tarball with that configure script and the
# .dsc naming its checksum; WORK also holds a file of the user's.
download() {
    local folder=$1/download/src/lib3ds-1.3.0
    mkdir -p "$folder" && printf '%s\n' "$2" >"$folder/configure" && chmod +x "$folder/configure"
    tar -czf "$1/download/lib3ds_1.3.0.orig.tar.gz" -C "$1/download/src" lib3ds-1.3.0
    rm -rf "$1/download/src"
    printf 'Source: lib3ds\nChecksums-Sha256:\n %s 1 lib3ds_1.3.0.orig.tar.gz\n' \
        "$(sha256sum "$1/download/lib3ds_1.3.0.orig.tar.gz" | cut -d' ' -f1)" \
        >"$1/download/lib3ds_1.3.0-1.dsc"
    echo mine >"$1/keep.txt"
}
fails='exit 1'
# shellcheck disable=SC2016
builds='for a; do case $a in --prefix=*) p=${a#--prefix=};; esac; done
printf "all:\ninstall:\n\tmkdir -p \$(DESTDIR)%s/lib \$(DESTDIR)%s/bin\n\ttouch \$(DESTDIR)%s/lib/lib3ds.dll.a \$(DESTDIR)%s/bin/lib3ds-1-3.dll\n" "$p" "$p" "$p" "$p" >Makefile'

# run NAME EXPECTED_STATUS PREFIX WORK: runs the script, its output into NAME.txt.
run() {
    bash "$script" "$3" "$4" >"$1.txt" 2>&1
    local status=$?
    [ $status -eq "$2" ] || fail "$1: exit status $status, expected $2: $(tail -n 3 "$1.txt")"
}
# unchanged NAME WORK: the user's file is there and the script's build folder is gone.
unchanged() {
    [ "$(cat "$2/keep.txt" 2>/dev/null)" = mine ] || fail "$1: the user's file in $2 is gone"
    ! compgen -G "$2/build.*" >/dev/null || fail "$1: $(echo "$2"/build.*) was left behind"
}

mkdir used && echo mine >used/keep.txt
download used-work "$fails"
run used_prefix 1 used used-work
[ "$(ls -A used)" = keep.txt ] && [ "$(cat used/keep.txt)" = mine ] ||
    fail "used_prefix: a prefix holding a file of the user's was changed: $(ls -A used)"
grep -q "used is not an empty folder" used_prefix.txt || fail "used_prefix said: $(cat used_prefix.txt)"
unchanged used_prefix used-work

download failing-work "$fails"
run failing_build 1 failing failing-work
[ ! -e failing ] || fail "failing_build: a build that failed made its prefix: $(ls -A failing)"
unchanged failing_build failing-work

mkdir empty
download empty-work "$builds"
run empty_prefix 0 empty empty-work
for file in lib/lib3ds.dll.a bin/lib3ds-1-3.dll src/lib3ds_1.3.0-1.dsc src/lib3ds_1.3.0.orig.tar.gz
do
    [ -f "empty/$file" ] || fail "empty_prefix: no $file in the prefix: $(cat empty_prefix.txt)"
done
unchanged empty_prefix empty-work
run finished_prefix 0 empty empty-work
grep -q "nothing to do" finished_prefix.txt || fail "finished_prefix said: $(cat finished_prefix.txt)"
finish
