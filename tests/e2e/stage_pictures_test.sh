# The pictures of docs/how_it_works.md as the stage program makes them, offscreen: every one is
# written, and the finished one is a frame of the program as key 6 promises it.
# Usage: stage_pictures_test.sh STAGES ARTIFACTS
source "$(dirname "$0")/harness.sh" program
begin_test "$@"
SDL_VIDEODRIVER=offscreen "$PROGRAM" "$ARTIFACTS" >"$WORK/made.txt" 2>&1 ||
    fail "the stage program failed: $(cat "$WORK/made.txt")"
for name in texture normal_map cube_map light_vectors bumps colours finished flat_and_real; do
    [ -s "$ARTIFACTS/$name.png" ] || fail "no $name.png"
done
python3 "$E2E_DIR/picture.py" measure "$ARTIFACTS/finished.png" >"$ARTIFACTS/finished.json" &&
    python3 "$E2E_DIR/picture.py" lacking 6 "$DRIVER_LACKS" "$ARTIFACTS/finished.json" ||
    fail "the finished picture is not key 6's"
echo "PASS"
