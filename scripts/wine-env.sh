# Sourced: the Wine environment of this work tree (prefix and HOME in build/).
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TAVRELIN_WINE_ROOT=${TAVRELIN_WINE_ROOT:-$repo_root/build/wine}
export WINEPREFIX=$TAVRELIN_WINE_ROOT/prefix
export HOME=$TAVRELIN_WINE_ROOT/home
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
unset XDG_RUNTIME_DIR
mkdir -p "$HOME"
