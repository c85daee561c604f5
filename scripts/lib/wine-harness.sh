# The Wine test harness: a Wine prefix inside the build folder, an Xvfb
# display of its own and a persistent wineserver warmed up before any test
# runs. Only what it started is stopped, by PID or through its own prefix.

harness_wine64() {
  if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else command -v wine64; fi
}

# Wine starts a 32-bit program through its 32-bit loader, itself a 32-bit
# Linux program. Some hosts run 64-bit user code only (their kernel's IA-32
# emulation is off) and refuse it with "Exec format error": there no 32-bit
# Windows program starts under Wine at all. Others hand 32-bit programs to a
# user-mode emulator registered with binfmt_misc (qemu-i386): Wine then starts,
# but each program takes a minute and its clients crash, which is no test of
# our program either. Both count as "no 32-bit programs here".
harness_runs_32bit() {
  [ -x /usr/lib/wine/wine ] || return 1
  harness_32bit_emulated && return 1
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Prints the interpreter of an enabled binfmt_misc entry that claims 32-bit
# x86 ELF programs, if there is one: the kernel tries such entries before its
# own loader. The magic is an ELF header of class 32-bit, little-endian, whose
# machine (at byte 18) is 3, i386.
harness_32bit_emulator() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    case ${entry##*/} in register|status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    grep -Eq '^magic 7f454c4601.{26}0300' "$entry" && sed -n 's/^interpreter //p' "$entry" && return
  done
}

harness_32bit_emulated() {
  [ -n "$(harness_32bit_emulator)" ]
}

# Says so, with what it means for the caller ($1).
harness_no_32bit_notice() {
  local emulator
  emulator=$(harness_32bit_emulator)
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "NOTE: Wine's 32-bit half (wine32:i386) is not installed, so the 32-bit build is not started here: $1"
  elif [ -n "$emulator" ]; then
    echo "NOTE: this host runs 32-bit programs only through an emulator ($emulator, registered with binfmt_misc), too slow for Wine's tests, so the 32-bit build is not started here: $1"
  else
    echo "NOTE: this host runs no 32-bit programs (IA-32 emulation is off in its kernel), so Wine cannot start the 32-bit build here: $1"
  fi
}

harness_start() {
  local prefix
  prefix=$(mkdir -p "$1" && cd "$1" && pwd)
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko download prompts: nothing here uses .NET or HTML.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$prefix"

  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  HARNESS_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

  wineserver -p
  # A prefix made before Wine's 32-bit half was installed runs no 32-bit
  # program until wineboot updates it. The marker says this prefix was
  # booted with both halves present.
  if [ -f "$prefix/system.reg" ] && [ ! -e "$prefix/.dv-both-targets" ]; then
    "$(harness_wine64)" wineboot -u </dev/null >/dev/null 2>&1
  fi
  # wineboot's helper processes stay up with the persistent server, outside
  # the test runner's pipes.
  "$(harness_wine64)" wineboot --init </dev/null >/dev/null 2>&1
  touch "$prefix/.dv-both-targets"
  # Wine has no Times New Roman; Liberation Serif has its metrics, so the
  # panel titles keep the width they were laid out for.
  "$(harness_wine64)" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /d 'Liberation Serif' /f </dev/null >/dev/null 2>&1
  # No window manager runs on this display: Wine must not wait for one to
  # withdraw every top-level window it hides (two seconds each).
  "$(harness_wine64)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

harness_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  if [ -n "${HARNESS_XVFB_PID:-}" ]; then
    kill "$HARNESS_XVFB_PID" 2>/dev/null || true
    wait "$HARNESS_XVFB_PID" 2>/dev/null || true
    HARNESS_XVFB_PID=
  fi
}
