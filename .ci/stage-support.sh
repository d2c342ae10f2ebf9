# Sourced by the CI stage scripts that check many things and report every failure: a count of
# failures (fail, finish) and, for the Windows binaries, Wine with a prefix of the build folder,
# quiet, its server started before and stopped after the programs.
# Wine's helper services inherit the output pipes of the first program that starts the server,
# so a server started by a test would keep ctest (or a pipe) waiting: wine_start starts it first.

stage_name=$(basename "$0" .sh)
failures=0

# Reports one failed check; the stage goes on.
fail() {
    echo "$stage_name: FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends the stage: status 1 after any failure.
finish() {
    if ((failures > 0)); then
        echo "$stage_name: $failures failure(s)" >&2
        exit 1
    fi
    echo "$stage_name: $*"
}

export WINEPREFIX="$PWD/build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko installation dialogs in a new prefix. No debugger either: a program that
# faults ends with a nonzero status (the debugger's report would end it with status 0).
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

wine_start() {
    mkdir -p "$WINEPREFIX"
    wineserver -k 2>/dev/null || true  # a server left running by an earlier run
    wineserver -w
    wineserver -p
    wine wineboot </dev/null >/dev/null 2>&1
}

wine_stop() {
    wineserver -k 2>/dev/null || true
}
