# Wine prefixes for the scripts: made from scratch, cloned cheaply, set to a
# Windows version with registry files imported. Sourced, not run.

# No Mono or Gecko install dialogs, no menu entries or file associations
# written into the user's desktop, no crash dialog waiting for a click.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG="${VARNOX_WINEDEBUG:--all}"

# Bump when the way a prefix is made changes, so that kept templates are remade.
VARNOX_PREFIX_RECIPE=1

# The prefix kind a Windows program needs: win32 for an i386 image, win64 for amd64.
varnox_pe_arch() {
  local exe=$1 pe machine
  pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
  case $machine in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) echo "not an x86 or x86_64 Windows image: $exe (machine '$machine')" >&2; return 1 ;;
  esac
}

# What a kept prefix must match to be reused.
varnox_prefix_stamp() {
  echo "recipe $VARNOX_PREFIX_RECIPE, $(wine --version), $1"
}

# Makes a new prefix of the given kind at DIR (which must not exist).
varnox_make_prefix() {
  local dir=$1 arch=$2 link
  WINEPREFIX=$dir WINEARCH=$arch wine wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w
  if [[ ! -f $dir/system.reg ]]; then
    echo "wineboot made no prefix at $dir" >&2
    return 1
  fi
  # The user's folders point into $HOME; make them plain folders so nothing a
  # program writes there leaves the prefix.
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir -p "$link"
  done < <(find "$dir/drive_c/users" -maxdepth 5 -type l -print0)
  varnox_import_reg "$dir" "$(varnox_reg_header; varnox_quiet_crashes)"
  WINEPREFIX=$dir wineserver -w
  varnox_prefix_stamp "$arch" >"$dir/.varnox-stamp"
}

# Sets the screen's dots per inch of PREFIX (96 is Windows' own; 120 is
# 125 %, 144 is 150 %). Wine reads it once, when its first process starts, so
# it goes into the user's registry file while no wineserver runs.
varnox_set_dpi() {
  local prefix=$1 dpi=$2 file=$1/user.reg
  [[ $dpi =~ ^[0-9]+$ ]] && ((dpi >= 48 && dpi <= 480)) || { echo "not a DPI: '$dpi'" >&2; return 1; }
  [[ -f $file ]] || { echo "no user registry in $prefix" >&2; return 1; }
  # A value already in the key is replaced; the new one goes before the key's
  # first value, after its header and time stamp; without the key, it is added.
  awk -v value="$(printf '"LogPixels"=dword:%08x' "$dpi")" '
    {
      if (inside && !done && ($0 ~ /^["@[]/ || $0 ~ /^\r?$/)) { print value; done = 1 }
      if ($0 ~ /^\[/) inside = ($0 ~ /^\[Control Panel\\\\Desktop\]/)
      if (inside && $0 ~ /^"LogPixels"=/) next
      print
    }
    END {
      if (inside && !done) { print value; done = 1 }
      if (!done) printf "\n[Control Panel\\\\Desktop] %d\n%s\n", systime(), value
    }' "$file" >"$file.new" && mv "$file.new" "$file"
}

# Makes the template prefix TEMPLATE of the given kind unless one made the same
# way is there already. One caller makes it while the others wait for it.
varnox_ensure_template() {
  local template=$1 arch=$2 lock started rc=0
  exec {lock}>"$template.lock"
  flock "$lock"
  if [[ ! -f $template/.varnox-stamp || $(<"$template/.varnox-stamp") != "$(varnox_prefix_stamp "$arch")" ]]; then
    rm -rf "$template" "$template.new"
    started=$SECONDS
    if varnox_make_prefix "$template.new" "$arch"; then
      mv "$template.new" "$template"
      echo "made the $arch template prefix in $((SECONDS - started)) s" >&2
    else
      rm -rf "$template.new"
      rc=1
    fi
  fi
  flock -u "$lock"
  exec {lock}>&-
  return $rc
}

# Copies prefix SRC to DST: the system's program files are hard links (nothing
# writes them), everything else (registry, .ini files) a real copy.
varnox_clone_prefix() {
  local src=$1 dst=$2
  local -a binaries=(-path './drive_c/windows/*' \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys'
                     -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb'
                     -o -iname '*.vxd' -o -iname '*.ax' -o -iname '*.ttf' -o -iname '*.fon' \))
  mkdir -p "$dst"
  (cd "$src" && find . \( -type d -o -type l -o -type f ! \( "${binaries[@]}" \) \) -print0 |
    tar --null --no-recursion -T - -cf -) | (cd "$dst" && tar -xpf -) || return 1
  (cd "$src" && find . -type f "${binaries[@]}" -print0 | xargs -0 -r cp -l --parents -t "$dst")
}

varnox_reg_header() {
  printf 'REGEDIT4\r\n\r\n'
}

varnox_quiet_crashes() {
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
}

# Under a bare X server nobody manages windows, and Wine would wait about two
# seconds after every window closes for a window manager to answer. Test
# prefixes, and runs on a virtual X server, ask for unmanaged windows instead.
varnox_unmanaged_reg() {
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
}

# The Windows version Wine reports to programs (nt40, win2k, winxp, ...).
# Wine 8 knows no "win11": without a "Version" of its own it takes the
# version from the registry instead (varnox_win11_reg).
varnox_winver_reg() {
  if [[ $1 == win11 ]]; then
    printf '[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"=-\r\n\r\n'
    return
  fi
  printf '[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"="%s"\r\n\r\n' "$1"
}

# How Wine is told that it is Windows 11 23H2: version "10.0" and build 22631
# where it reads them (a real Windows 11 keeps "6.3" in "CurrentVersion").
# It goes in after the registry files, which hold the real values, and into
# both views of a 64-bit prefix, since 32-bit programs read the other one.
varnox_win11_reg() {
  local key
  for key in 'SOFTWARE\Microsoft\Windows NT\CurrentVersion' 'SOFTWARE\Wow6432Node\Microsoft\Windows NT\CurrentVersion'; do
    printf '[HKEY_LOCAL_MACHINE\\%s]\r\n"CurrentVersion"="10.0"\r\n"CurrentBuildNumber"="22631"\r\n"CSDVersion"=-\r\n\r\n' "$key"
  done
}

# Prints a registry file's body behind its REGEDIT4 header. Only ANSI REGEDIT4
# files are taken: the version 5 format stores strings in hex values as UTF-16,
# which would be read wrongly behind a REGEDIT4 header.
varnox_reg_body() {
  local file=$1 first
  IFS= read -r first <"$file" || true
  first=${first%$'\r'}
  if [[ $first != REGEDIT4 ]]; then
    echo "$file: not a REGEDIT4 file (first line '$first')" >&2
    return 1
  fi
  tail -n +2 "$file"
  printf '\r\n'
}

# Imports registry text (with its header) into PREFIX with one reg.exe run.
# In a 64-bit prefix the keys go to the 64-bit view: the loader may start the
# 32-bit reg.exe, whose HKEY_LOCAL_MACHINE\SOFTWARE would otherwise be
# redirected to Wow6432Node, out of sight of 64-bit programs.
varnox_import_reg() {
  local prefix=$1 text=$2 view=()
  [[ -d $prefix/drive_c/windows/syswow64 ]] && view=(/reg:64)
  printf '%s' "$text" >"$prefix/drive_c/varnox-import.reg"
  varnox_wine_quietly "$prefix" reg import 'C:\varnox-import.reg' "${view[@]}"
  local rc=$?
  rm -f "$prefix/drive_c/varnox-import.reg"
  return $rc
}

# Runs a Windows program in PREFIX and shows its output only when it fails.
# The output goes through a file, not a pipe: the service processes Wine
# starts beside the program inherit it and, while a persistent wineserver
# keeps them alive, would hold a pipe open for good.
varnox_wine_quietly() {
  local prefix=$1 log rc
  shift
  log=$(mktemp)
  WINEPREFIX=$prefix wine "$@" >"$log" 2>&1
  rc=$?
  ((rc == 0)) || cat "$log" >&2
  rm -f "$log"
  return $rc
}

# Prints the sections of registry text (a body without its header) that lie
# under HKEY_LOCAL_MACHINE\HARDWARE, or with --others all the other ones.
varnox_hardware_sections() {
  local want=hardware
  [[ ${1:-} == --others ]] && want=others
  awk -v want="$want" '
    /^\[/ { kind = (toupper($0) ~ /^\[-?HKEY_LOCAL_MACHINE\\HARDWARE(\\|\])/) ? "hardware" : "others" }
    kind == "" && want == "others" || kind == want { print }'
}

# Imports registry text (without its header) that holds only keys under
# HKEY_LOCAL_MACHINE\HARDWARE. Wine lets nothing but volatile keys live
# there (error 1021), which reg.exe cannot make, so the program named by
# VARNOX_VOLATILE_IMPORT (tools/volatile_import.exe of a Windows build tree)
# makes them. Volatile keys last only as long as the prefix's wineserver.
varnox_import_volatile_reg() {
  local prefix=$1 text=$2 rc
  if [[ -z ${VARNOX_VOLATILE_IMPORT:-} || ! -f $VARNOX_VOLATILE_IMPORT ]]; then
    echo "registry text with HKEY_LOCAL_MACHINE\HARDWARE keys needs VARNOX_VOLATILE_IMPORT" \
      "(tools/volatile_import.exe; now '${VARNOX_VOLATILE_IMPORT:-}')" >&2
    return 1
  fi
  printf 'REGEDIT4\r\n\r\n%s\r\n' "$text" >"$prefix/drive_c/varnox-volatile.reg"
  varnox_wine_quietly "$prefix" "$VARNOX_VOLATILE_IMPORT" 'C:\varnox-volatile.reg'
  rc=$?
  rm -f "$prefix/drive_c/varnox-volatile.reg"
  return $rc
}

# Sets the Windows version and imports the given registry files, in one run,
# then their HKEY_LOCAL_MACHINE\HARDWARE keys as volatile keys. Those last as
# long as the prefix's wineserver: the caller starts it persistent first
# (wineserver -p) and stops it when done.
# With VARNOX_UNMANAGED=1 the windows are not handed to a window manager.
varnox_configure_prefix() {
  local prefix=$1 winver=$2 text reg body part hardware=""
  shift 2
  text="$(varnox_reg_header; varnox_winver_reg "$winver")" || return 1
  if [[ ${VARNOX_UNMANAGED:-0} == 1 ]]; then text+=$'\r\n'"$(varnox_unmanaged_reg)"; fi
  for reg in "$@"; do
    body=$(varnox_reg_body "$reg") || return 1
    text+=$'\r\n'"$(varnox_hardware_sections --others <<<"$body")"
    part=$(varnox_hardware_sections <<<"$body")
    hardware+=${part%$'\r'}$'\r\n'
  done
  if [[ $winver == win11 ]]; then text+=$'\r\n'"$(varnox_win11_reg)"; fi
  varnox_import_reg "$prefix" "$text"$'\r\n' || return 1
  [[ $hardware != *'['* ]] || varnox_import_volatile_reg "$prefix" "$hardware"
}

# A program's first window waits only ten seconds for Wine's desktop to
# start; on a busy machine that can be too short, and the program then has
# no display driver, so no windows, for as long as it runs. When
# VARNOX_START_DESKTOP names tools/start_desktop.exe of a Windows build tree,
# the desktop of the prefix's running wineserver is started and waited for
# here, before the program.
varnox_start_desktop() {
  local prefix=$1
  [[ -n ${VARNOX_START_DESKTOP:-} ]] || return 0
  cp "$VARNOX_START_DESKTOP" "$prefix/drive_c/varnox-start-desktop.exe" || return 1
  # A 32-bit helper in a 64-bit prefix was once refused the start of the
  # 64-bit desktop at once (error 1359) while other tests loaded the machine:
  # one more try after a pause.
  varnox_wine_quietly "$prefix" 'C:\varnox-start-desktop.exe' ||
    { sleep 3 && varnox_wine_quietly "$prefix" 'C:\varnox-start-desktop.exe'; } ||
    { echo "Wine's desktop did not start" >&2; return 1; }
}
