# Sourced by the CI scripts that run Windows binaries under Wine: a Wine prefix of the build
# folder, quiet Wine, and the server started before and stopped after the programs.
# Wine's helper services inherit the output pipes of the first program that starts the server,
# so a server started by a test would keep ctest (or a pipe) waiting: wine_start starts it first.

export WINEPREFIX="$PWD/build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko installation dialogs in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

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
