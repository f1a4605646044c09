# Sourced by the checks: waiting for what a check started or asked for, with
# a deadline, and saying what was awaited when it gives up.

# How long to wait for a program to start: the first start of Wine, a
# browser or a driver on a cold machine takes many times its usual second.
start_budget=${ZORVANE_START_BUDGET:-180}
# How long to wait for a running program to answer a key, a click or a signal.
react_budget=30

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails once
# SECONDS (a whole number) have passed without success.
wait_until() {
  local seconds=$1
  shift
  local now=${EPOCHREALTIME//[.,]/}
  local deadline=$((now + seconds * 1000000))
  until "$@"; do
    now=${EPOCHREALTIME//[.,]/}
    ((now < deadline)) || return 1
    sleep 0.05
  done
}

# wait_for SECONDS WHAT COMMAND...: wait_until, and on giving up says on
# stderr what it waited for and how long.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  wait_until "$seconds" "$@" && return 0
  echo "gave up after $seconds s waiting for $what" >&2
  return 1
}

# Whether process $1 has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }
