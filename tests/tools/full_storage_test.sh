#!/usr/bin/env bash
# A save onto a full storage card leaves the old file exactly as it was, and
# leaves no new file beside it. The card is a 64 KiB file system in memory
# (mounting it needs root); where none can be mounted the test is skipped.
set -u
probe=${1:?probe executable}
here=$(cd "$(dirname "$0")/../.." && pwd)
run="$here/tools/wine-run.sh"
card=$(mktemp -d)
work=$(mktemp -d)
cleanup() {
    umount "$card" 2>/dev/null
    rm -rf "$card" "$work"
}
trap cleanup EXIT
if ! mount -t tmpfs -o size=64k tmpfs "$card" 2>"$work/mount.log"; then
    echo "SKIPPED: no small file system can be mounted here (needs root): $(cat "$work/mount.log")"
    exit 77
fi

failed=0
check() {   # name condition...
    local name=$1; shift
    if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failed=1; fi
}

# The old file: 16,000 bytes; then the card is filled to the last byte.
old="$card/notes.txt"
python3 -c "import sys; sys.stdout.write(''.join('old line %05d\r\n' % i for i in range(1000)))" >"$old"
cp "$old" "$work/old.txt"
dd if=/dev/zero of="$card/filler" bs=4k >/dev/null 2>&1
dd if=/dev/zero of="$card/filler2" bs=1 >/dev/null 2>&1

# A longer new text, saved as the editor saves it.
python3 -c "import sys; sys.stdout.write(''.join('new line %05d\r\n' % i for i in range(1500)))" \
    >"$work/new.txt"
"$run" "$probe" --save "Z:${work//\//\\}\\new.txt" "Z:${card//\//\\}\\notes.txt" 1251 0 \
    >"$work/probe.log" 2>&1
rc=$?
check "the save onto the full card fails" [ "$rc" -eq 1 ]
check "the old file is exactly as it was" cmp -s "$old" "$work/old.txt"
check "no new file is left beside it" [ "$(ls -A "$card" | grep -v '^filler' | tr '\n' ' ')" = "notes.txt " ]

# With room again the same save goes through and replaces the file whole.
rm -f "$card/filler" "$card/filler2"
"$run" "$probe" --save "Z:${work//\//\\}\\new.txt" "Z:${card//\//\\}\\notes.txt" 1251 0 \
    >"$work/probe.log" 2>&1
check "with room the save goes through" [ $? -eq 0 ]
check "the file holds the new text whole" cmp -s "$old" "$work/new.txt"
exit $failed
