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

allowed() { [[ " ${allowed_dlls[*]} " == *" ${1,,} "* ]]; }
shown_or_ended() { frame_shown || program_ended; }

source "$(dirname "$0")/../e2e/harness.sh" program pictures
clean_prefix=${DOT3BUMP_E2E_WINEPREFIX:-}
unpacked=$(mktemp -d)
folder=$unpacked/prefix/drive_c/dot3bump-$version
export DOT3BUMP_E2E_WINEPREFIX=$unpacked/prefix DOT3BUMP_RUNNER=wine
unset WINEPATH
begin_test "$folder/dot3bump.exe" "$6"
at_exit 'wineserver -k 2>/dev/null; rm -rf "$unpacked"'
[ -f "$zip" ] || fail "no $zip"
(cd "$(dirname "$zip")" && sha256sum --check --quiet "$(basename "$zip").sha256") ||
    fail "$zip does not match its SHA-256 sum"
[ -d "$clean_prefix" ] || fail "no clean Wine prefix: run the test through ctest"
cp -a "$clean_prefix" "$unpacked/prefix" || fail "cannot copy the Wine prefix"
(cd "$unpacked/prefix/drive_c" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
[ -f "$folder/dot3bump.exe" ] || fail "no dot3bump-$version/dot3bump.exe in $zip"

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
escape_ends_with_0 20 "dot3bump.exe from the zip"

wine dot3bump-assets.exe check "${data_files[@]}" >"$WORK/check.log" 2>&1 ||
    fail "dot3bump-assets.exe check refused the shipped files: $(tr -d '\r' <"$WORK/check.log")"
echo "PASS"
