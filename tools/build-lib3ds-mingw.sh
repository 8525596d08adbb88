#!/usr/bin/env bash
# Builds lib3ds for the Windows cross target as a DLL from Debian's lib3ds source package and
# installs it into PREFIX_DIR: include/lib3ds/*.h, bin/lib3ds-1-3.dll (the name lib3ds's own
# build gives it), lib/lib3ds.dll.a (its import library) and src/ (the .dsc and the upstream
# tarball the DLL was built from, which the Windows zip ships beside it).
#
#   tools/build-lib3ds-mingw.sh PREFIX_DIR [WORK_DIR]
#
# PREFIX_DIR must not exist or be empty; one that already holds lib/lib3ds.dll.a is left alone
# (the script has nothing to do), and any other is refused. Nothing is written there unless the
# build succeeded. WORK_DIR (default PREFIX_DIR-work) gets three folders: apt/ (a private apt
# configuration with deb-src entries copied from the system's own apt sources), download/ (the
# .dsc and the upstream tarball; a download already there is not fetched again, so a
# WORK_DIR/download holding both builds without a network) and, while it builds, a build.XXXXXX/
# folder of its own, removed when it ends. Nothing under /etc is changed, and the script removes
# nothing it did not make.
#
# NOTE: the package registry serves the upstream tarball and the .dsc but not Debian's patch
# archive, so `apt-get source --download-only` ends with a failed fetch. That error is
# expected; the upstream tarball is then checked against the SHA256 the .dsc lists, and the
# build is refused on a mismatch. Environment: LIB3DS_HOST (default x86_64-w64-mingw32),
# CC, AR, RANLIB (default: the host triple's tools).
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 PREFIX_DIR [WORK_DIR]" >&2
    echo "  installs lib3ds into PREFIX_DIR, which must be new or empty, once it is built;" >&2
    echo "  downloads into WORK_DIR/download and WORK_DIR/apt (default PREFIX_DIR-work) and" >&2
    echo "  builds in a folder of its own under WORK_DIR, removed when it ends" >&2
    exit 2
fi
prefix=$(realpath -m "$1")
work=$(realpath -m "${2:-$prefix-work}")
host=${LIB3DS_HOST:-x86_64-w64-mingw32}
package=lib3ds

log() { echo "build-lib3ds-mingw: $*" >&2; }

if [[ -f $prefix/lib/lib3ds.dll.a ]]; then
    log "$prefix/lib/lib3ds.dll.a exists, nothing to do"
    exit 0
fi
if [[ -e $prefix && ( ! -d $prefix || -n $(ls -A "$prefix") ) ]]; then
    log "$prefix is not an empty folder: name a new or empty one to install into"
    exit 1
fi

apt_dir=$work/apt
download_dir=$work/download
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "APT::Sandbox::User=$(id -un)"
)

# Prints the system's apt sources as deb-src entries: one-line "deb" entries of
# sources.list and *.list become "deb-src" lines; deb822 *.sources paragraphs of type deb are
# copied whole (Signed-By, Architectures and all) with their Types changed to deb-src.
copy_sources_as_deb_src() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f $file ]] || continue
        sed -n -E 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' "$file"
    done > "$apt_dir/sources.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] || continue
        awk '
            function flush() {
                if (paragraph != "" && isDeb && !disabled) print paragraph "\n"
                paragraph = ""; isDeb = 0; disabled = 0
            }
            /^[[:space:]]*$/ { flush(); next }
            /^#/ { next }
            tolower($1) == "types:" {
                for (i = 2; i <= NF; i++) if ($i == "deb") isDeb = 1
                $0 = "Types: deb-src"
            }
            tolower($1) == "enabled:" && tolower($2) == "no" { disabled = 1 }
            { paragraph = paragraph (paragraph == "" ? "" : "\n") $0 }
            END { flush() }
        ' "$file" > "$apt_dir/sources.list.d/$(basename "$file")"
    done
}

has_source_record() {
    apt-cache "${apt_options[@]}" showsrc "$package" 2>/dev/null | grep -q "^Package: $package\$"
}

dsc_files() { find "$download_dir" -maxdepth 1 -name "${package}_*.dsc" | sort; }

# The name and SHA256 of the upstream tarball, as the .dsc's Checksums-Sha256 lists it.
orig_tarball_checksum() {
    awk '
        /^Checksums-Sha256:/ { inSection = 1; next }
        inSection && /^[^ ]/ { inSection = 0 }
        inSection && $3 ~ /\.orig\.tar\./ { print $1, $3; exit }
    ' "$1"
}

fetch_sources() {
    if [[ -n $(dsc_files) ]]; then
        return
    fi
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    copy_sources_as_deb_src
    if ! has_source_record; then
        log "apt-get update for the deb-src entries in $apt_dir"
        # A third-party entry without a source index fails here; what matters is the record.
        apt-get "${apt_options[@]}" update || true
    fi
    if ! has_source_record; then
        log "no source package '$package' in the apt sources copied from /etc/apt"
        exit 1
    fi
    mkdir -p "$download_dir"
    log "apt-get source --download-only $package (a failed fetch of the Debian patch" \
        "archive is expected)"
    (cd "$download_dir" && apt-get "${apt_options[@]}" source --download-only "$package") || true
}

fetch_sources
mapfile -t dscs < <(dsc_files)
if [[ ${#dscs[@]} -ne 1 ]]; then
    log "expected one ${package}_*.dsc in $download_dir, found ${#dscs[@]}"
    exit 1
fi
dsc=${dscs[0]}
read -r expected_sha256 tarball_name < <(orig_tarball_checksum "$dsc") || true
if [[ -z ${tarball_name:-} ]]; then
    log "$dsc lists no upstream tarball under Checksums-Sha256"
    exit 1
fi
tarball=$download_dir/$tarball_name
if [[ ! -f $tarball ]]; then
    log "$tarball_name was not downloaded"
    exit 1
fi
actual_sha256=$(sha256sum "$tarball" | cut -d' ' -f1)
if [[ $actual_sha256 != "$expected_sha256" ]]; then
    log "SHA256 mismatch for $tarball_name: $actual_sha256, the .dsc says $expected_sha256;" \
        "refusing to build (delete $download_dir to download again)"
    exit 1
fi
log "$tarball_name matches the SHA256 of $(basename "$dsc")"

mkdir -p "$work"
build=$(mktemp -d "$work/build.XXXXXX")
trap 'rm -rf "$build"' EXIT
tar -xzf "$tarball" -C "$build"
source_dir=$(find "$build" -mindepth 1 -maxdepth 1 -type d | head -n 1)

export CC=${CC:-$host-gcc} AR=${AR:-$host-ar} RANLIB=${RANLIB:-$host-ranlib}
build_log=$build/build.log
: > "$build_log"
staged=$build/stage$prefix
log "building for $host with $CC in $build"
# NOTE: libtool makes a Windows DLL only when told that the library leaves no symbol undefined
# (-no-undefined); without it, it only warns and builds a static library instead.
if [[ -z $source_dir ]] || ! (cd "$source_dir" \
        && ./configure --host="$host" --enable-shared --disable-static --prefix="$prefix" \
        && make -j"$(nproc)" LDFLAGS=-no-undefined \
        && make install DESTDIR="$build/stage") > "$build_log" 2>&1 ||
    [[ ! -f $staged/lib/lib3ds.dll.a ]]; then
    tail -n 30 "$build_log" >&2
    log "building lib3ds as a DLL failed; $prefix is as it was"
    exit 1
fi
mkdir -p "$staged/src"
cp "$dsc" "$tarball" "$staged/src/"
made_prefix=
[[ -d $prefix ]] || made_prefix=yes
# Takes back what the copy below put into the prefix, which was new or empty before.
undo_install() {
    local entry
    for entry in "$staged"/*; do rm -rf "${prefix:?}/${entry##*/}"; done
    if [[ -n $made_prefix ]]; then rmdir "$prefix" 2>/dev/null || true; fi
}
if ! mkdir -p "$prefix" || ! cp -R "$staged/." "$prefix/"; then
    undo_install
    log "copying the build into $prefix failed; $prefix is as it was"
    exit 1
fi
log "installed into $prefix"
