# Sourced by the scripts: a Wine prefix of the project's own inside out/, the
# Wine loader each program needs, a virtual X screen when none is given, and
# quiet, crash-safe Wine settings.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZOOMORB_WINEPREFIX:-$repo_root/out/wine}"
export WINEDEBUG=-all
# A crash must end the process, not start Wine's debugger and hang; the .NET
# and HTML runtimes are not needed and would ask to be downloaded.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"

# Debian's `wine` script (and wineboot, regedit, winepath behind it) picks
# the 32-bit loader whenever wine32 is installed, even for 64-bit programs
# and on hosts whose kernel cannot run 32-bit programs at all. So every
# program is run with the loader of its own kind. WINELOADER tells Wine
# where the 64-bit loader is; it finds the 32-bit one beside it.
wine64_loader=/usr/lib/wine/wine64
wine32_loader=/usr/lib/wine/wine
export WINELOADER=$wine64_loader

# Runs a 64-bit Windows program, or one of Wine's own (wineboot, regedit,
# winepath, explorer, reg, cmd: all 64-bit in our 64-bit prefix).
wine64() { "$wine64_loader" "$@"; }
# Runs a 32-bit Windows program; only where host_runs_32bit said yes.
wine32() { "$wine32_loader" "$@"; }

# The kind of a Windows program, from its PE header: win64 or win32.
windows_program_kind() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' ')
  case "$machine" in
    8664) echo win64 ;;
    014c) echo win32 ;;
    *) echo "unknown machine type $machine in $1" >&2; return 1 ;;
  esac
}

# Runs a Windows program file with the loader its kind needs.
wine_program() {
  local kind
  kind=$(windows_program_kind "$1") || return 1
  if [ "$kind" = win64 ]; then
    wine64 "$@"
  elif host_runs_32bit; then
    wine32 "$@"
  else
    echo "cannot run the 32-bit program $1: $no_32bit_reason" >&2
    return 1
  fi
}

# Whether this host runs 32-bit programs: found out once, by trying, since
# some kernels refuse them ("Exec format error") whatever is installed.
# ZOOMORB_ASSUME_NO_32BIT=1 takes the path of such a host on any host.
# Sets no_32bit_reason when the answer is no.
host_runs_32bit() {
  if [ -z "${zoomorb_host_32bit:-}" ]; then
    local answer
    if [ "${ZOOMORB_ASSUME_NO_32BIT:-0}" = 1 ]; then
      zoomorb_host_32bit=no
      no_32bit_reason="ZOOMORB_ASSUME_NO_32BIT=1"
    elif [ ! -x "$wine32_loader" ]; then
      zoomorb_host_32bit=no
      no_32bit_reason="$wine32_loader is not installed"
    elif answer=$("$wine32_loader" --version 2>&1); then
      zoomorb_host_32bit=yes
    else
      zoomorb_host_32bit=no
      no_32bit_reason="this host cannot run 32-bit programs ($wine32_loader --version: ${answer:-no answer})"
    fi
    export zoomorb_host_32bit no_32bit_reason
  fi
  [ "$zoomorb_host_32bit" = yes ]
}

# Starts Xvfb on a free display at the given size and exports DISPLAY.
# The server ends with the calling shell. Xvfb picks the display itself
# (-displayfd) and names it once it accepts clients: two scripts started at
# the same moment, each choosing the first free number, would otherwise
# share one server.
start_virtual_screen() {
  local size=${1:-1024x768}
  local number_file display
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  virtual_screen_pid=$!
  trap 'stop_virtual_screen' EXIT
  for _ in $(seq 1 100); do
    display=$(tr -dc '0-9' <"$number_file")
    if [ -n "$display" ]; then
      rm -f "$number_file"
      export DISPLAY=":$display"
      return 0
    fi
    kill -0 "$virtual_screen_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  echo "Xvfb did not start" >&2
  return 1
}

# Starts an X server with the dummy video driver (as root), which shows Wine
# several monitors, lays them out, and exports DISPLAY. Each argument is one
# monitor, WIDTHxHEIGHT+X+Y in X's coordinates, the first the primary:
#   start_monitors 1024x768+0+0 1280x1024+1024+0
# Wine reads the layout when its server starts, so none may be running for
# the prefix; stop_virtual_screen ends both.
start_monitors() {
  local number_file log display i mode position
  number_file=$(mktemp)
  log=$(mktemp)
  wineserver -k >/dev/null 2>&1 || true
  Xorg -displayfd 3 -config "$repo_root/scripts/xorg-dummy.conf" -noreset -nolisten tcp -logfile "$log" \
    3>"$number_file" >/dev/null 2>&1 &
  virtual_screen_pid=$!
  trap 'stop_virtual_screen' EXIT
  for _ in $(seq 1 100); do
    display=$(tr -dc '0-9' <"$number_file")
    [ -n "$display" ] && break
    kill -0 "$virtual_screen_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$display" ]; then
    echo "the dummy X server did not start; its log:" >&2
    tail -n 20 "$log" >&2
    return 1
  fi
  export DISPLAY=":$display"
  # One call lays out every output: Wine saw only one monitor when they were
  # set one at a time.
  local layout=()
  i=0
  for monitor in "$@"; do
    mode=${monitor%%+*}
    position=${monitor#*+}
    xrandr --addmode "DUMMY$i" "$mode" 2>/dev/null || true
    layout+=(--output "DUMMY$i" --mode "$mode" --pos "${position/+/x}")
    [ "$i" -gt 0 ] || layout+=(--primary)
    i=$((i + 1))
  done
  if ! xrandr "${layout[@]}"; then
    echo "xrandr could not lay out the monitors $*" >&2
    return 1
  fi
  # Without this query Wine's server, started next, saw only one monitor.
  xrandr >/dev/null
}

stop_virtual_screen() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${virtual_screen_pid:-}" ]; then
    kill "$virtual_screen_pid" >/dev/null 2>&1 || true
    wait "$virtual_screen_pid" 2>/dev/null || true
    virtual_screen_pid=
  fi
}

# The settings tests make folders unwritable with chattr +i and undo it
# themselves, also when a test fails; a test program killed in between (a
# timeout) leaves them locked, and this undoes that.
unlock_test_folders() {
  local users="$WINEPREFIX/drive_c/users"
  [ -d "$users" ] || return 0
  find "$users" -mindepth 3 -maxdepth 4 -type d \
    \( -path '*/Temp/zoomorb-e2e-*' -o -path '*/AppData/Roaming/Zoomorb' \) \
    -exec chattr -R -i {} + 2>/dev/null || true
}

# The settings tests mount a small full disk on a program's folder and
# unmount it themselves, also when a test fails; a test program killed in
# between leaves it mounted, and this unmounts it (lazily, should a process
# still hold a file there). /proc/mounts writes a blank as \040.
unmount_test_disks() {
  local target
  awk '$1 == "zoomorb-e2e" { print $2 }' /proc/mounts | while read -r target; do
    target=${target//\\040/ }
    case "$target" in
      "$WINEPREFIX"/drive_c/users/*/Temp/zoomorb-e2e-*) umount "$target" 2>/dev/null || umount -l "$target" ;;
    esac
  done
}

# Programs started from now on see the given dots per inch: Wine reads
# HKCU\Control Panel\Desktop LogPixels when a process starts.
# restore_log_pixels puts back what was there before (or nothing).
use_log_pixels() {
  saved_log_pixels=$({ wine64 reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null || true; } |
    tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
  saved_log_pixels=${saved_log_pixels:-none}
  wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

restore_log_pixels() {
  case "${saved_log_pixels:-}" in
    "") ;;
    none) wine64 reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true ;;
    *) wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$((saved_log_pixels))" /f \
         >/dev/null 2>&1 || true ;;
  esac
  saved_log_pixels=
}

# Creates the prefix once and sets what the tests and the dialog rely on.
# Created by the 64-bit loader, the prefix is a 64-bit one that runs 32-bit
# programs too where the host can. Fails, saying why, when it cannot be made.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    local log="$WINEPREFIX/../wineboot.log"
    if ! wine64 wineboot --init >"$log" 2>&1 || ! wineserver -w || [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "The Wine prefix $WINEPREFIX could not be created; wineboot said:" >&2
      tail -n 20 "$log" >&2
      return 1
    fi
  fi
  unmount_test_disks
  unlock_test_folders
  # The dialog asks for a Japanese font; map it to the installed IPA one.
  # The settings tests move the user's roaming application data and put it
  # back; a test program killed in between leaves it moved, and this puts it
  # back (an expandable string, written as its UTF-16 bytes).
  # regedit reads a version 5 file as UTF-16, whatever the code page.
  local reg_file="$WINEPREFIX/zoomorb-settings.reg" app_data
  app_data=$(printf '%s\0' '%USERPROFILE%\AppData\Roaming' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',' | sed 's/^,//; s/,$//')
  printf '%s\r\n\r\n%s\r\n%s\r\n%s\r\n\r\n%s\r\n%s\r\n' \
    'Windows Registry Editor Version 5.00' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' \
    '"ＭＳ ゴシック"="IPAGothic"' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders]' \
    "\"AppData\"=hex(2):$app_data" |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg_file"
  if ! wine64 regedit /S "$reg_file" >/dev/null 2>&1; then
    echo "regedit could not write the font mapping and the shell folder into $WINEPREFIX" >&2
    return 1
  fi
  wineserver -w
}
