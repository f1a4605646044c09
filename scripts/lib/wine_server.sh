#!/usr/bin/env bash
# The Wine prefix the Windows checks share, as CTest's fixture:
#   wine_server.sh start   makes the prefix if need be and starts its server,
#                          kept running until stop: each program under Wine
#                          then starts in a fraction of a second
#   wine_server.sh stop    ends the server and every program of the prefix
# Runs on the shared virtual display, which Wine's desktop process takes
# when the server's first window program starts. The prefix's services are
# started here too, their output to a log: started by a check, they would
# inherit its output and hold CTest's pipe open until the server ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
case ${1:-} in
  start)
    wine_prefix
    # A server kept from a run that was cut short would refuse a new one.
    wineserver -k 2>/dev/null || true
    timeout "$react_budget" wineserver -w || true
    HOME=$wine_home wineserver -p </dev/null >"$wine_dir/wineserver.log" 2>&1
    if ! HOME=$wine_home timeout "$start_budget" /usr/lib/wine/wine64 wineboot </dev/null >>"$wine_dir/wineserver.log" 2>&1; then
      cat "$wine_dir/wineserver.log" >&2
      echo "gave up after $start_budget s waiting for the services of $WINEPREFIX to start" >&2
      exit 1
    fi
    echo "Wine prefix $WINEPREFIX, its server kept running"
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    if ! timeout "$react_budget" wineserver -w; then
      echo "gave up after $react_budget s waiting for the Wine server of $WINEPREFIX to end" >&2
      exit 1
    fi
    ;;
  *) echo "usage: wine_server.sh start|stop" >&2; exit 2 ;;
esac
