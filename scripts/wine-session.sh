#!/usr/bin/env bash
# Prepares the prefix (once) and starts or stops the one wineserver of a test run.
#   wine-session.sh start|stop
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

case ${1:-} in
  start)
    sound_settings
    mkdir -p "$TAVRELIN_WINE_ROOT"
    new_prefix=0
    [ -f "$WINEPREFIX/.tavrelin-ready-3" ] || new_prefix=1
    timeout -k 5 30 wineserver -k >/dev/null 2>&1 || true
    mkdir -p "$WINEPREFIX"
    # The server outlives this script: it must not hold the caller's output
    # open, or CTest waits for it until the test's timeout.
    wineserver -p </dev/null >/dev/null 2>&1
    timeout -k 10 240 wineboot -i </dev/null >"$TAVRELIN_WINE_ROOT/wineboot.log" 2>&1
    if [ $new_prefix = 1 ]; then
      registry_settings >"$TAVRELIN_WINE_ROOT/registry.log" 2>&1
      touch "$WINEPREFIX/.tavrelin-ready-3"
    fi
    ;;
  stop)
    timeout -k 5 60 wineserver -k || true
    ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
