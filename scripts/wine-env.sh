# Sourced by the scripts: a Wine prefix of the project's own inside out/, a
# virtual X screen when none is given, and quiet, crash-safe Wine settings.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZOOMORB_WINEPREFIX:-$repo_root/out/wine}"
export WINEDEBUG=-all
# A crash must end the process, not start Wine's debugger and hang; the .NET
# and HTML runtimes are not needed and would ask to be downloaded.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"

# Starts Xvfb on a free display at the given size and exports DISPLAY.
# The server ends with the calling shell.
start_virtual_screen() {
  local size=${1:-1024x768}
  local display=99
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  virtual_screen_pid=$!
  trap 'stop_virtual_screen' EXIT
  export DISPLAY=":$display"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${display}" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$display" >&2
  return 1
}

stop_virtual_screen() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${virtual_screen_pid:-}" ]; then
    kill "$virtual_screen_pid" >/dev/null 2>&1 || true
    wait "$virtual_screen_pid" 2>/dev/null || true
    virtual_screen_pid=
  fi
}

# Creates the prefix once and sets what the tests and the dialog rely on.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
  # The dialog asks for a Japanese font; map it to the installed IPA one.
  # regedit reads a version 5 file as UTF-16, whatever the code page.
  local reg_file="$WINEPREFIX/zoomorb-settings.reg"
  printf '%s\r\n\r\n%s\r\n%s\r\n%s\r\n' \
    'Windows Registry Editor Version 5.00' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' \
    '"ＭＳ ゴシック"="IPAGothic"' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg_file"
  wine regedit /S "$reg_file" >/dev/null 2>&1 || true
  wineserver -w
}
