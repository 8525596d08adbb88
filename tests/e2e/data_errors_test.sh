# A missing tex.bmp, a missing cube.3ds, a corrupt map_normal.bmp, a folder named tex.bmp and a
# FIFO named cube.3ds each end the program with exit code 3 after exactly one message box; the
# FIFO must not keep it waiting for a writer.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
data_files=(cube.3ds sphere.3ds tex.bmp map_normal.bmp)
for file in "${data_files[@]}"; do
    [ -f "$RUN_DIR/$file" ] || fail "the build did not make $file in $RUN_DIR"
done

# run_broken WHAT DAMAGE: runs the program from a copy of its run folder that the function
# DAMAGE has spoiled.
run_broken() {
    local what=$1 damage=$2
    RUN_DIR="$WORK/run-$what"
    mkdir -p "$RUN_DIR"
    for file in "${data_files[@]}"; do cp "$ORIGINAL_RUN_DIR/$file" "$RUN_DIR/"; done
    $damage
    start_program
    wait_for_box "Error"
    screenshot "message_$what"
    [ "$(x11 find "Error" | wc -l)" -eq 1 ] || fail "$what: more than one message box"
    dismiss_box "Error"
    wait_for_exit 20
    [ "$EXIT_CODE" -eq 3 ] || fail "$what: exit code $EXIT_CODE, not 3"
    [ -z "$(x11 find "Error")" ] || fail "$what: a second message box followed"
    echo "ok: $what"
}
ORIGINAL_RUN_DIR=$RUN_DIR

remove_texture() { rm "$RUN_DIR/tex.bmp"; }
remove_cube() { rm "$RUN_DIR/cube.3ds"; }
# The headers survive, the pixels are cut off.
truncate_normal_map() { head -c 300 "$ORIGINAL_RUN_DIR/map_normal.bmp" >"$RUN_DIR/map_normal.bmp"; }
folder_texture() { rm "$RUN_DIR/tex.bmp" && mkdir "$RUN_DIR/tex.bmp"; }
fifo_cube() { rm "$RUN_DIR/cube.3ds" && mkfifo "$RUN_DIR/cube.3ds"; }

run_broken missing_texture remove_texture
run_broken missing_cube remove_cube
run_broken corrupt_normal_map truncate_normal_map
run_broken folder_texture folder_texture
run_broken fifo_cube fifo_cube
echo "PASS"
