#!/usr/bin/env bash
# perixctl from the command line: what it prints, how it fails, and that a
# failing command writes nothing.
set -u
perixctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_failure() {  # name, then the command; it must fail with exactly one line on stderr
  local name=$1; shift
  if "$@" >"$dir/out" 2>"$dir/err"; then fail "$name: succeeded"; return; fi
  [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "$name: stderr is not one line: $(cat "$dir/err")"
  grep -q '^perixctl: ' "$dir/err" || fail "$name: message does not name the tool"
}

"$perixctl" reset "$dir/Mouse.ini" >/dev/null || fail "reset"
"$perixctl" show "$dir/Mouse.ini" | grep -q '^Polling rate     500 Hz (2 ms)$' || fail "show factory polling rate"
"$perixctl" show --json "$dir/Mouse.ini" | grep -q '"hz": 500' || fail "show --json"
"$perixctl" validate "$dir/Mouse.ini" | grep -q 'No repairs needed' || fail "validate clean file"

sed -i 's/^Profile=0/Profile=9/' "$dir/Mouse.ini"
"$perixctl" validate "$dir/Mouse.ini" | grep -q 'Profile: 9 -> 0' || fail "validate lists the repair"

cp "$dir/Mouse.ini" "$dir/before.ini"
printf 'just some notes\n' >"$dir/notes.prof"
expect_failure "import of a non-profile" "$perixctl" import "$dir/notes.prof" "$dir/Mouse.ini"
cmp -s "$dir/Mouse.ini" "$dir/before.ini" || fail "a refused import changed the settings file"
expect_failure "export over a non-profile" "$perixctl" export "$dir/Mouse.ini" "$dir/notes.prof"
[ "$(cat "$dir/notes.prof")" = "just some notes" ] || fail "a refused export changed the target"
expect_failure "show of a missing file" "$perixctl" show "$dir/missing.ini"
expect_failure "no file" "$perixctl" show
expect_failure "unknown command" "$perixctl" frobnicate
expect_failure "macro show of a settings file" "$perixctl" macro show "$dir/Mouse.ini"

"$perixctl" export "$dir/Mouse.ini" "$dir/copy.prof" >/dev/null || fail "export"
chmod a-w "$dir/copy.prof"
"$perixctl" import "$dir/copy.prof" "$dir/Mouse.ini" >/dev/null || fail "import of a read-only file"
grep -q '^ProfileName=copy' "$dir/Mouse.ini" || fail "import names the profile"
grep -q '^Profile=0' "$dir/Mouse.ini" || fail "import makes the first profile active"

# The macro library of a settings file, and a library macro by name.
mkdir -p "$dir/Macro"
printf '[MACRO_LIST]\r\n0=Typed\r\n1=\r\n2=Gone\r\n' >>"$dir/Mouse.ini"
blob="840400061900040400$(printf '0%.0s' $(seq 1 342))AF"
printf '[Setting]\r\nCount=3\r\nLoopTime=2\r\nMacroSetting_0=%s\r\n' "$blob" >"$dir/Macro/Typed.macro"
"$perixctl" macro list "$dir/Mouse.ini" >"$dir/out" || fail "macro list"
grep -q '^  slot  0  entry  1  Typed$' "$dir/out" || fail "macro list names slot 0"
grep -q '^  slot  2  entry  2  Gone  (no file in the macro folder)$' "$dir/out" || fail "macro list: a hole keeps slot numbers"
"$perixctl" macro list --json "$dir/Mouse.ini" | grep -q '"slot": 2' || fail "macro list --json"
"$perixctl" macro show --settings "$dir/Mouse.ini" Typed >"$dir/out" || fail "macro show by name"
grep -q '3 actions, total pause 250 ms' "$dir/out" || fail "macro show by name lists the steps: $(cat "$dir/out")"
expect_failure "macro show of a name the library lacks" "$perixctl" macro show --settings "$dir/Mouse.ini" Typo
expect_failure "macro show of a listed macro without a file" "$perixctl" macro show --settings "$dir/Mouse.ini" Gone
expect_failure "macro list of a missing file" "$perixctl" macro list "$dir/missing.ini"

[ $failures -eq 0 ] && echo "perixctl: all checks passed"
exit $failures
