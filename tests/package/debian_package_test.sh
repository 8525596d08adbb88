# The Debian packages as a user gets them, without installing anything: lintian finds no error
# in them, and unpacked into a throwaway tree, the tree's own dot3bump command, run from an
# unrelated folder, shows the shipped scene; given a folder, it shows that folder's files (made
# with the tree's own dot3bump-assets, with a blue texture in place of the red bricks), leaves a
# missing file to the program (its exit code 3), and refuses a folder that does not exist.
# Usage: debian_package_test.sh BUILD_DIR VERSION ARTIFACTS
source "$(dirname "$0")/../e2e/harness.sh" program pictures
arch=$(dpkg --print-architecture)
packages=("$1/dot3bump_$2_$arch.deb" "$1/dot3bump-assets_$2_$arch.deb")
tree=$(mktemp -d)
begin_test "$tree/usr/games/dot3bump" "$3"
at_exit rm -rf "$tree"
for package in "${packages[@]}"; do
    (cd "$(dirname "$package")" && sha256sum --check --quiet "$(basename "$package").sha256") ||
        fail "$package does not match its SHA-256 sum"
    dpkg-deb -x "$package" "$tree" || fail "cannot unpack $package"
done

command -v lintian >/dev/null || fail "lintian is not installed (tools/install-deps.sh test)"
lintian --tag-display-limit 0 "${packages[@]}" >"$ARTIFACTS/lintian.txt" 2>&1
lintian_status=$?
sed 's/^/  lintian: /' "$ARTIFACTS/lintian.txt"
[ "$lintian_status" -eq 0 ] && ! grep -q "^E:" "$ARTIFACTS/lintian.txt" ||
    fail "lintian reports errors (exit code $lintian_status)"

start_display
# Refused at once; a command that ran the program instead is stopped by the deadline.
timeout 10 "$PROGRAM" "$WORK/absent" >/dev/null 2>"$WORK/absent.txt"
status=$?
expected="dot3bump: $WORK/absent: no such folder"
[ "$status" -eq 66 ] && [ "$(cat "$WORK/absent.txt")" = "$expected" ] ||
    fail "a folder that does not exist: Expected exit code 66 and \"$expected\"; Observed" \
        "exit code $status and \"$(cat "$WORK/absent.txt")\""

RUN_DIR=$WORK/elsewhere
mkdir -p "$RUN_DIR"
start_program
wait_for_frame
screenshot shipped
escape_ends_with_0 20 "the shipped scene"

# A folder given by a path relative to where the command runs.
"$tree/usr/bin/dot3bump-assets" generate "$RUN_DIR/mine" || fail "the tree's tool cannot generate"
convert -size 256x256 "xc:rgb(40,90,230)" -type TrueColor "bmp3:$RUN_DIR/mine/tex.bmp" ||
    fail "cannot make the blue texture"
start_program mine
wait_for_frame
poll 30 picture_shows folder tinted blue || fail "dot3bump mine: $(cat "$WORK/expect.txt")"
escape_ends_with_0 20 "dot3bump mine"

rm "$RUN_DIR/mine/tex.bmp"
start_program mine
wait_for_box "Error"
dismiss_box "Error"
wait_for_exit 20
[ "$EXIT_CODE" -eq 3 ] || fail "a folder without tex.bmp: exit code $EXIT_CODE, not 3"
echo "PASS"
