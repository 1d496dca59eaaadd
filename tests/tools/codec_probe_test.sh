#!/usr/bin/env bash
# Runs the codec probe as a user would: a Russian text saved by the codec in
# each of the six encodings must be reported in the encoding it was saved in.
set -u
probe=${1:?probe executable}
here=$(cd "$(dirname "$0")/../.." && pwd)
run="$here/tools/wine-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
passes=0
failures=0

text="$work/text.txt"
printf 'Вчера вечером мы гуляли по старому парку у реки.\r\nОсенние листья шуршали под ногами, а над водой стоял туман.\r\n' >"$text"

check() {   # name expected-line actual-line
    if [ "$2" = "$3" ]; then
        echo "ok   $1"
        passes=$((passes + 1))
    else
        echo "FAIL $1: expected '$2', got '$3'"
        failures=$((failures + 1))
        failed=1
    fi
}

# encoding given to the writer, flags, encoding and flags the probe must detect
while read -r enc flags detected dflags; do
    out="$work/saved-$enc-$flags.txt"
    line=$("$run" "$probe" --save "$text" "$out" "$enc" "$flags" | tr -d '\r')
    check "save $enc/$flags" "encoding=$enc flags=$flags units=111 truncated=0" "$line"
    line=$("$run" "$probe" "$out" --text "$work/decoded.txt" | tr -d '\r')
    check "detect $enc/$flags" "encoding=$detected flags=$dflags units=111 truncated=0" "$line"
    if cmp -s "$text" "$work/decoded.txt"; then
        check "text $enc/$flags" same same
    else
        check "text $enc/$flags" "the saved text" "a different text"
    fi
done <<'CASES'
0 0 0 0
1251 0 0 0
866 0 866 0
20866 0 20866 0
65001 0 65001 0
65001 1 65001 1
100001 0 100001 0
100001 1 100001 1
100001 3 100001 3
CASES

# Bigger than the document limit: answered by the probe, reported truncated.
head -c 30001 /dev/zero | tr '\0' 'x' >"$work/big.txt"
line=$("$run" "$probe" "$work/big.txt" 2>/dev/null | tr -d '\r')
check "size limit" "encoding=0 flags=0 units=30000 truncated=1" "$line"

# A failed save is a non-zero exit.
"$run" "$probe" --save "$text" 'C:\no\such\folder\x.txt' 65001 0 >/dev/null 2>&1
check "failed save" "1" "$?"

echo "$passes passed, $failures failed"
exit $failed
