# Checks of an installed Kestro, shared by the install and the package tests: the files
# where the layout puts them, and the programs run as a user runs them from that tree.
# Sourced; the caller sets BUILD (the build folder), SOURCE (the source tree) and SCRATCH
# (a fresh folder of its own).

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_file() { [ -f "$1" ] || fail "missing file ${1#"$SCRATCH"/}"; }

# Programs of this build: what bin/ of the build tree holds.
built_programs() {
    local p
    for p in kestro kestro-lib kestro-sch kestro-netlist kestro-examples tarn graphon; do
        [ -x "$BUILD/bin/$p" ] && echo "$p"
    done
}

# Top-level examples: those whose netlist is checked in beside them.
example_names() {
    local netlist
    for netlist in "$SOURCE"/examples/*.CCT; do basename "$netlist" .CCT; done
}

# The programs find their folder, and the library in it, through the links in bin/;
# nothing of the user's own may leak in, so home, config, data and runtime are scratch.
isolate_user() {
    export HOME="$SCRATCH/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_RUNTIME_DIR="$SCRATCH/runtime"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
}

check_layout() {
    local root=$1 p size
    local program_folder="$root/lib/kestro"
    for p in $(built_programs); do
        [ -x "$program_folder/$p" ] || fail "$p is not in the program folder"
        [ -L "$root/bin/$p" ] || fail "bin/$p is not a link"
        [ "$(readlink -f "$root/bin/$p")" = "$(readlink -f "$program_folder/$p")" ] ||
            fail "bin/$p does not lead to the program folder"
        expect_file "$root/share/man/man1/$p.1.gz"
    done
    expect_file "$program_folder/KESTRO.LIB"
    cmp -s "$program_folder/KESTRO.LIB" "$BUILD/bin/KESTRO.LIB" ||
        fail "the installed KESTRO.LIB is not the one built"
    for p in $(example_names); do
        expect_file "$root/share/kestro/examples/$p.sch"
        expect_file "$root/share/kestro/examples/$p.CCT"
    done
    expect_file "$root/share/kestro/examples/README.md"
    for p in README.md elements.md library-format.md; do expect_file "$root/share/doc/kestro/$p"; done
    [ -x "$BUILD/bin/kestro" ] || return 0
    # The desktop's entries come with the editor.
    expect_file "$root/share/applications/com.quorvant.kestro.desktop"
    expect_file "$root/share/metainfo/com.quorvant.kestro.metainfo.xml"
    expect_file "$root/share/mime/packages/kestro-schematic.xml"
    expect_file "$root/share/icons/hicolor/scalable/apps/kestro.svg"
    for size in 16 32 48 256; do
        expect_file "$root/share/icons/hicolor/${size}x$size/apps/kestro.png"
    done
}

# The tools, without --library, read the installed library and write the netlists of
# the examples exactly as they are checked in.
check_tools() {
    local root=$1 name work="$SCRATCH/work"
    "$root/bin/kestro-lib" --version > /dev/null || fail "kestro-lib --version"
    rm -rf "$work" && mkdir -p "$work"
    cp "$root"/share/kestro/examples/*.sch "$work/"
    for name in $(example_names); do
        "$root/bin/kestro-netlist" "$work/$name.sch" > /dev/null 2> "$SCRATCH/netlist.err" ||
            fail "kestro-netlist $name.sch: $(cat "$SCRATCH/netlist.err")"
        cmp -s "$work/$name.CCT" "$SOURCE/examples/$name.CCT" ||
            fail "the netlist of $name differs from examples/$name.CCT"
    done
    # The engine finds ngspice's library and writes its table beside the netlist.
    if [ -x "$root/bin/tarn" ]; then
        "$root/bin/tarn" --batch "$work/buck_converter.CCT" > /dev/null 2> "$SCRATCH/tarn.err" ||
            fail "tarn on the buck converter: $(cat "$SCRATCH/tarn.err")"
        head -n 1 "$work/buck_converter.TXT" 2> /dev/null | grep -q '^Time \[s\]' ||
            fail "tarn wrote no result table"
    fi
    if [ -x "$root/bin/graphon" ]; then
        QT_QPA_PLATFORM=offscreen "$root/bin/graphon" --version > /dev/null 2>&1 ||
            fail "graphon does not start"
    fi
}

# The editor opens an example under the offscreen platform and says nothing: any message
# it would have shown in a box (a missing library first of all) reaches standard error.
check_editor() {
    local root=$1 picture="$SCRATCH/editor.png"
    [ -x "$root/bin/kestro" ] || return 0
    QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu \
        timeout 60 "$root/bin/kestro" --screenshot "$picture" --zoom fit \
        "$root/share/kestro/examples/buck_converter.sch" 2> "$SCRATCH/editor.err" ||
        fail "the editor failed on an example: $(cat "$SCRATCH/editor.err")"
    if grep -q '^kestro: ' "$SCRATCH/editor.err"; then
        fail "the editor told: $(grep '^kestro: ' "$SCRATCH/editor.err")"
    fi
    [ -s "$picture" ] || fail "the editor saved no picture"
}

# A program folder nobody may write stands for an installed system: the tools then read
# the user's copy of the library where there is one (a broken copy makes that visible).
check_user_copy_is_read() {
    local root=$1 copy="$XDG_DATA_HOME/QUORVANT/KESTRO/KESTRO.LIB"
    local schematic="$SCRATCH/work/buck_converter.sch"
    mkdir -p "$(dirname "$copy")"
    echo "not a library" > "$copy"
    "$root/bin/kestro-netlist" "$schematic" > /dev/null 2>&1 ||
        fail "a writable program folder should keep its own library"
    chmod 0555 "$root/lib/kestro"
    "$root/bin/kestro-netlist" "$schematic" > /dev/null 2>&1 &&
        fail "with a read-only program folder the user's copy should be read"
    # The editor too; its picture is taken all the same, the message going to standard
    # error instead of waiting in a box.
    if [ -x "$root/bin/kestro" ]; then
        QT_QPA_PLATFORM=offscreen timeout 60 "$root/bin/kestro" --screenshot "$SCRATCH/copy.png" \
            "$schematic" 2> "$SCRATCH/copy.err" || fail "the editor on a broken user's copy"
        grep -q '^kestro: Invalid file. File name : KESTRO.LIB' "$SCRATCH/copy.err" ||
            fail "the editor did not read the user's copy: $(cat "$SCRATCH/copy.err")"
    fi
    rm "$copy"
    "$root/bin/kestro-netlist" "$schematic" > /dev/null 2>&1 ||
        fail "without a user's copy the installed library should be read"
    chmod 0755 "$root/lib/kestro"
}

check_installed_tree() {
    isolate_user
    check_layout "$1"
    check_tools "$1"
    check_editor "$1"
    check_user_copy_is_read "$1"
}
