#!/usr/bin/env bash
# Builds and starts the browser.
# Usage: scripts/run.sh [--demo]
#   --demo  against the fake marketplace (tests/marketplace) on loopback, with
#           a fresh data folder: no account, nothing reaches the real one.
#           Ending the program ends the fake marketplace.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
[[ "${1:-}" == "--demo" ]] || exec build/bin/vsselain "$@"
shift

demo=$(mktemp -d "${TMPDIR:-/tmp}/vsselain-esittely.XXXXXX")
server=""
cleanup() {
  if [[ -n "$server" ]]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$demo"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
python3 tests/marketplace/server.py --port-file "$demo/port" >/dev/null &
server=$!
for _ in $(seq 100); do [[ -s "$demo/port" ]] && break; sleep 0.1; done
[[ -s "$demo/port" ]] || { echo "the fake marketplace did not start" >&2; exit 1; }
port=$(cat "$demo/port")
# Every outside address lies behind the fake marketplace (it is the proxy).
cat >"$demo/endpoints.ini" <<INI
web_base=http://www.vasaro.test/
domain=vasaro.test
api_base=http://api.vasaro.test/1.1/
proxy=http://127.0.0.1:$port
maker_web=http://www.vsselain.test/
reminder_service=http://www.vsselain.test/ajastus/add.php
own_server_help=http://www.vsselain.test/omapalvelin.html
counter1=http://www.vsselain.test/laskuri.php
counter2=http://www.vsselain.test/laskuri.php
counter3=http://www.vsselain.test/laskuri.php
imgur_root=http://imgur.test/
imgur_image_root=http://i.imgur.test/
aijaa_root=http://www.aijaa.test/
vasarokuva_root=http://www.vasarokuva.test/
vasarokuva_site=http://www.vasarokuva.test/
posti_prices=http://www.vsselain.test/posti.html
posti_tracking=http://www.vsselain.test/posti.html
matkahuolto=http://www.vsselain.test/matkahuolto.html
auction_myyjaosta=http://www.vsselain.test/
auction_systeemi=http://www.vsselain.test/
auction_tradera=http://www.vsselain.test/
auction_ebay=http://www.vsselain.test/
INI
# The home page opens a result page, signed out.
set_state() { python3 - "$port" "$1" <<'PY'
import sys, urllib.parse, urllib.request
port, pair = sys.argv[1], sys.argv[2]
key, value = pair.split("=", 1)
url = "http://127.0.0.1:%s/__state?%s=%s" % (port, urllib.parse.quote(key), urllib.parse.quote(value, safe=""))
urllib.request.build_opener(urllib.request.ProxyHandler({})).open(urllib.request.Request(url, method="POST"), timeout=5)
PY
}
set_state "etusivu=http://www.vasaro.test/haku/kuvahaku?kortit=12"
mkdir -m 700 "$demo/data"
echo "Esittely: väärennetty Vasaro osoitteessa 127.0.0.1:$port, tiedot kansiossa $demo/data" >&2
status=0
VSSELAIN_ENDPOINTS="$demo/endpoints.ini" VSSELAIN_DATA_DIR="$demo/data" VSSELAIN_DEMO=1 \
  build/bin/vsselain "$@" || status=$?
exit "$status"
