# A driver without vertex buffer objects: the "Extensions" message box, then exit code 2 once
# it is dismissed.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
export MESA_EXTENSION_OVERRIDE=-GL_ARB_vertex_buffer_object
start_program
wait_for_box "Extensions"
screenshot message_box
dismiss_box "Extensions"
wait_for_exit 20
[ "$EXIT_CODE" -eq 2 ] || fail "missing vertex buffers ended with exit code $EXIT_CODE, not 2"
# The Linux build also writes its message boxes to standard error.
if ! under_wine; then
    grep -q "Vertex Buffer Object not supported!" "$WORK/program.log" ||
        fail "the message text was not written to standard error"
fi
echo "PASS"
