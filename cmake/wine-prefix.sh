# Sourced by the Wine scripts: the build's own Wine prefix, made on first use, with Wine's debug
# output silenced.
: "${WINEPREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../build/windows/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# Keeps Wine's server up until `wineserver -k`, and starts its services here, with no output of the
# caller's to hold open.
keep_wine_up() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
