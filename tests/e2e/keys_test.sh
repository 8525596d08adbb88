# Keys 1 to 6 show what the key help promises: cube only leaves the sphere's side background,
# sphere only the cube's; bumps only is grey where the models are; colours only shows the red
# bricks unlit; the capability lines are green and the key help white. Each picture is kept in
# the artifacts with its measures; under Wine they are compared with the Linux build's.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
start_until_frame
# Each key's picture differs from the one before it, so the wait sees the key take effect.
for key in 1 2 3 4 5 6; do
    press_key "$key"
    wait_for_key_effect "$key"
    if [ -n "${DOT3BUMP_COMPARE_WITH:-}" ]; then
        [ -f "$DOT3BUMP_COMPARE_WITH/key_$key.json" ] ||
            fail "no picture of the other build to compare with in $DOT3BUMP_COMPARE_WITH"
        python3 "$E2E_DIR/picture.py" agree "$DOT3BUMP_COMPARE_WITH/key_$key.json" \
            "$ARTIFACTS/key_$key.json" || fail "key $key: the two builds disagree"
    fi
done
escape_ends_with_0 20 "after the keys"
echo "PASS"
