# The Debian packages as a user gets them, without installing anything: lintian finds no error
# in them, and unpacked into a throwaway tree, the tree's own dot3bump command, run from an
# unrelated folder, shows the shipped scene; given a folder, it shows that folder's files (made
# with the tree's own dot3bump-assets, with a blue texture in place of the red bricks), leaves a
# missing file to the program (its exit code 3), and refuses a folder that does not exist.
# Usage: debian_package_test.sh BUILD_DIR VERSION ARTIFACTS
set -u
arch=$(dpkg --print-architecture)
packages=("$1/dot3bump_$2_$arch.deb" "$1/dot3bump-assets_$2_$arch.deb")
tree=$(mktemp -d)
for package in "${packages[@]}"; do
    (cd "$(dirname "$package")" && sha256sum --check --quiet "$(basename "$package").sha256") ||
        { echo "FAIL: $package does not match its SHA-256 sum" >&2; exit 1; }
    dpkg-deb -x "$package" "$tree" || { echo "FAIL: cannot unpack $package" >&2; exit 1; }
done
source "$(dirname "$0")/../e2e/lib.sh" "$tree/usr/games/dot3bump" "$3"
trap 'cleanup; rm -rf "$tree"' EXIT

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
quit_with_escape 20
[ "$EXIT_CODE" -eq 0 ] || fail "the shipped scene: Escape ended it with exit code $EXIT_CODE"

# A folder given by a path relative to where the command runs.
"$tree/usr/bin/dot3bump-assets" generate "$RUN_DIR/mine" || fail "the tree's tool cannot generate"
convert -size 256x256 "xc:rgb(40,90,230)" -type TrueColor "bmp3:$RUN_DIR/mine/tex.bmp" ||
    fail "cannot make the blue texture"
models_blue() {
    screenshot folder &&
        python3 "$E2E_DIR/picture.py" measure "$ARTIFACTS/folder.png" >"$ARTIFACTS/folder.json" &&
        python3 - "$ARTIFACTS/folder.json" >"$WORK/expect.txt" <<'PY'
import json, sys
measures = json.load(open(sys.argv[1]))
for name in ("cube", "sphere"):
    r, g, b = measures[name]["mean"]
    if measures[name]["coverage"] < 0.15 or b < max(r, g) + 20:
        print(f"the {name} is not drawn blue: covered {measures[name]['coverage']:.0%}, "
              f"mean colour {r:.0f} {g:.0f} {b:.0f}")
        sys.exit(1)
PY
}
start_program mine
wait_for_frame
poll 30 models_blue || fail "dot3bump mine: $(cat "$WORK/expect.txt")"
quit_with_escape 20
[ "$EXIT_CODE" -eq 0 ] || fail "dot3bump mine: Escape ended it with exit code $EXIT_CODE"

rm "$RUN_DIR/mine/tex.bmp"
start_program mine
wait_for_box "Error"
dismiss_box "Error"
wait_for_exit 20
[ "$EXIT_CODE" -eq 3 ] || fail "a folder without tex.bmp: exit code $EXIT_CODE, not 3"
echo "PASS"
