#!/usr/bin/env bash
# The Windows zip as a user gets it, unpacked into the drive C of a fresh Wine prefix (a copy of
# the test run's clean one): every executable and DLL in it stripped and importing only Windows's
# own DLLs and the lib3ds DLL shipped beside it, the executables carrying the version, the
# licences and the lib3ds source in it, its texts with Windows's line ends, dot3bump.exe started
# from its folder with nothing on the path drawing its first frame and ending with exit code 0 on
# Escape, and dot3bump-assets.exe accepting the shipped data files.
# Usage: windows_zip_test.sh ZIP VERSION LIB3DS_DLL OBJDUMP WINDRES ARTIFACTS
zip=$1 version=$2 lib3ds_dll=$3 objdump=$4 windres=$5
allowed_dlls=(kernel32.dll user32.dll gdi32.dll advapi32.dll winmm.dll opengl32.dll glu32.dll
    msvcrt.dll "${lib3ds_dll,,}")
shipped=(README.txt LICENSE THIRD-PARTY-NOTICES.md licences/LGPL-2.1.txt licences/mingw-w64.txt
    licences/gcc-runtime.txt source/build-lib3ds-mingw.sh source/*.dsc source/*.orig.tar.*)
data_files=(cube.3ds sphere.3ds tex.bmp map_normal.bmp)

stop() { echo "FAIL: $*" >&2 && exit 1; }
allowed() { [[ " ${allowed_dlls[*]} " == *" ${1,,} "* ]]; }
shown_or_ended() { frame_shown || program_ended; }

[ -f "$zip" ] || stop "no $zip"
(cd "$(dirname "$zip")" && sha256sum --check --quiet "$(basename "$zip").sha256") ||
    stop "$zip does not match its SHA-256 sum"
[ -d "${DOT3BUMP_E2E_WINEPREFIX:-}" ] || stop "no clean Wine prefix: run the test through ctest"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
cp -a "$DOT3BUMP_E2E_WINEPREFIX" "$unpacked/prefix" || stop "cannot copy the Wine prefix"
(cd "$unpacked/prefix/drive_c" && cmake -E tar xf "$zip") || stop "cannot unpack $zip"
folder=$unpacked/prefix/drive_c/dot3bump-$version
[ -f "$folder/dot3bump.exe" ] || stop "no dot3bump-$version/dot3bump.exe in $zip"

export DOT3BUMP_E2E_WINEPREFIX=$unpacked/prefix DOT3BUMP_RUNNER=wine
unset WINEPATH
source "$(dirname "$0")/../e2e/lib.sh" "$folder/dot3bump.exe" "$6"
trap 'cleanup; rm -rf "$unpacked"' EXIT

cd "$folder"
for file in "${shipped[@]}" "${data_files[@]}" "$lib3ds_dll"; do
    compgen -G "$file" >/dev/null || fail "$file is not in the zip"
done
for text in README.txt LICENSE THIRD-PARTY-NOTICES.md licences/*.txt; do
    ! LC_ALL=C grep -qv $'\r$' "$text" || fail "$text has lines that do not end in CR LF"
done
for binary in *.exe *.dll; do
    ! "$objdump" -h "$binary" | grep -q '\.debug_' || fail "$binary is not stripped"
    for dll in $("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        allowed "$dll" ||
            fail "$binary imports $dll, which is neither Windows's own nor $lib3ds_dll"
    done
done
for program in dot3bump.exe dot3bump-assets.exe; do
    "$windres" -i "$program" -O rc | grep -qF "VALUE \"ProductVersion\", \"$version\"" ||
        fail "$program has no version resource of version $version"
done

start_display
start_program
poll 60 shown_or_ended || fail "dot3bump.exe drew no frame within 60 s"
if program_ended; then
    wait_for_exit 0
    fail "dot3bump.exe ended with exit code $EXIT_CODE before its first frame"
fi
screenshot first_frame  # kept in the artifacts, for a person to look at
quit_with_escape 20
[ "$EXIT_CODE" -eq 0 ] || fail "Escape ended dot3bump.exe with exit code $EXIT_CODE, not 0"

wine dot3bump-assets.exe check "${data_files[@]}" >"$WORK/check.log" 2>&1 ||
    fail "dot3bump-assets.exe check refused the shipped files: $(tr -d '\r' <"$WORK/check.log")"
echo "PASS"
