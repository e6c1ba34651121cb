#!/usr/bin/env bash
# Prepares the prefix (once) and starts or stops the one wineserver of a test run.
#   wine-session.sh start [DESKTOP_KEEPER.exe] | stop
# With a desktop keeper, the started session keeps its desktop until it stops.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

registry_settings() {
  # Unmanaged windows: no 2 s wait on every closed top-level window, captions
  # drawn without a window manager. No crash dialog: a crash ends the test.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  # A Windows installation opens text files with Notepad; a new prefix doesn't.
  wine reg add 'HKCR\.txt' /ve /d txtfile /f
  wine reg add 'HKCR\txtfile\shell\open\command' /ve /d 'notepad.exe "%1"' /f
}

# The microphone needs an ALSA capture device; a machine without a sound card
# records silence from the null device.
sound_settings() {
  [ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
}

# A new prefix doesn't find Wine's own Marlett font, and the System look
# then draws its caption buttons as the letters "0 1 r": the prefix is
# given the font from the fonts-wine package, as a Windows installation has
# it.
system_fonts() {
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# A new prefix goes on updating itself for a while after wineboot returns; a
# program that starts COM meanwhile waits seconds for its services. So a new
# prefix is made, given its settings and left to finish: its server ends once
# every program of the update has.
make_prefix() {
  [ -f "$WINEPREFIX/.tavrelin-ready-5" ] && return 0
  mkdir -p "$WINEPREFIX"
  timeout -k 10 240 wineboot -i </dev/null >"$TAVRELIN_WINE_ROOT/wineboot.log" 2>&1 || true
  registry_settings >"$TAVRELIN_WINE_ROOT/registry.log" 2>&1
  system_fonts
  timeout -k 5 90 wineserver -w || timeout -k 5 30 wineserver -k || true
  touch "$WINEPREFIX/.tavrelin-ready-5"
}

# Starts the keeper on the session's desktop and waits until it holds it. A
# keeper that does not start costs time, not tests: it is reported only.
keep_desktop() {
  local keeper=$1 marker=$TAVRELIN_WINE_ROOT/desktop-kept
  rm -f "$marker"
  wine "$keeper" "$(winepath -w "$marker" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    [ -f "$marker" ] && return 0
    sleep 0.1
  done
  echo "desktop keeper did not start: each program may wait for a new desktop" >&2
}

case ${1:-} in
  start)
    sound_settings
    mkdir -p "$TAVRELIN_WINE_ROOT"
    timeout -k 5 30 wineserver -k >/dev/null 2>&1 || true
    make_prefix
    # The server outlives this script: it must not hold the caller's output
    # open, or CTest waits for it until the test's timeout.
    wineserver -p </dev/null >/dev/null 2>&1
    timeout -k 10 240 wineboot -i </dev/null >>"$TAVRELIN_WINE_ROOT/wineboot.log" 2>&1
    [ -z "${2:-}" ] || keep_desktop "$2"
    echo "session started in ${SECONDS} s"
    ;;
  stop)
    timeout -k 5 60 wineserver -k || true
    ;;
  *) echo "usage: $0 start [DESKTOP_KEEPER.exe] | stop" >&2; exit 2 ;;
esac
