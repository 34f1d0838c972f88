# A virtual X server for the scripts when there is no display. Sourced, not run.
#
# varnox_start_xvfb sets DISPLAY to a new Xvfb unless DISPLAY is already set;
# varnox_stop_xvfb ends only the server it started. The server picks its own
# free display number (-displayfd), so parallel runs never race for one.

VARNOX_XVFB_PID=""

varnox_start_xvfb() {
  [[ -n ${DISPLAY:-} ]] && return 0
  local numfile waited=0
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  VARNOX_XVFB_PID=$!
  until [[ -s $numfile ]]; do
    if ! kill -0 "$VARNOX_XVFB_PID" 2>/dev/null || ((waited >= 200)); then
      echo "Xvfb did not start" >&2
      rm -f "$numfile"
      varnox_stop_xvfb
      return 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
  rm -f "$numfile"
}

varnox_stop_xvfb() {
  if [[ -n $VARNOX_XVFB_PID ]]; then
    kill "$VARNOX_XVFB_PID" 2>/dev/null || true
    wait "$VARNOX_XVFB_PID" 2>/dev/null || true
    VARNOX_XVFB_PID=""
  fi
}
