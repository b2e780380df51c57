#!/bin/sh
# Runs every benchmark of a Release build and writes the figures as JSON.
# Usage: bench/run.sh <bench build folder> <results.json>
# Start-up runs under the offscreen platform and under Xvfb; the game at rest
# and the clock run side by side in two processes to keep the whole under a few minutes.
set -eu

BIN=$(cd "${1:-build-bench}" && pwd)
OUT=${2:-build/bench/results.json}
RUNS=${BENCH_RUNS:-10}
REST_SECONDS=${BENCH_REST_SECONDS:-30}
CLOCK_SECONDS=${BENCH_CLOCK_SECONDS:-30}

mkdir -p "$(dirname "$OUT")"
WORK=$(mktemp -d)
XVFB_PID=
cleanup() {
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

export SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
LOG="$(dirname "$OUT")/bench.log"
: >"$LOG"

echo "Peli levossa ${REST_SECONDS} s ja kello ${CLOCK_SECONDS} s / game at rest and clock..."
QT_QPA_PLATFORM=offscreen "$BIN/norppala_bench_rest" "$REST_SECONDS" >"$WORK/rest.json" 2>>"$LOG" &
REST_PID=$!
"$BIN/norppala_bench_clock" "$CLOCK_SECONDS" >"$WORK/clock.json" 2>>"$LOG"
wait "$REST_PID" || echo "norppala_bench_rest failed, see $LOG"
echo "Peli levossa 4× ${REST_SECONDS} s / game at rest, zoom 4..."
QT_QPA_PLATFORM=offscreen "$BIN/norppala_bench_rest" "$REST_SECONDS" 4 >"$WORK/rest4.json" 2>>"$LOG" ||
    echo "norppala_bench_rest at zoom 4 failed, see $LOG"

echo "Käynnistys / start-up ($RUNS + $RUNS runs, offscreen)..."
QT_QPA_PLATFORM=offscreen "$BIN/norppala_bench_startup" "$BIN/norppala" "$BIN/norppala_bench_bare" \
    "$RUNS" >"$WORK/startup_offscreen.json" 2>>"$LOG" || echo "start-up runs failed, see $LOG"

# A display of our own, on the first number nobody holds.
DISPLAY_NUMBER=90
while [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] || [ -e "/tmp/.X$DISPLAY_NUMBER-lock" ]; do
    DISPLAY_NUMBER=$((DISPLAY_NUMBER + 1))
done
Xvfb ":$DISPLAY_NUMBER" -screen 0 1024x768x24 -nolisten tcp >>"$LOG" 2>&1 &
XVFB_PID=$!
waited=0
while [ ! -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && [ "$waited" -lt 100 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
# The socket appears a moment before the server takes connections.
sleep 1
echo "Käynnistys / start-up ($RUNS + $RUNS runs, Xvfb :$DISPLAY_NUMBER)..."
DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb "$BIN/norppala_bench_startup" "$BIN/norppala" \
    "$BIN/norppala_bench_bare" "$RUNS" >"$WORK/startup_xvfb.json" 2>>"$LOG" ||
    echo "start-up runs under Xvfb failed, see $LOG"
kill "$XVFB_PID" 2>/dev/null || true
XVFB_PID=

echo "Simulointi / simulation..."
# Five repetitions and their median: a virtual machine's speed wanders, and one
# long run takes whatever the neighbours leave of it.
"$BIN/norppala_bench_sim" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$WORK/sim.json" --benchmark_out_format=json \
    >>"$LOG" 2>&1 || echo "norppala_bench_sim failed, see $LOG"

echo "Ennätykset / records..."
"$BIN/norppala_bench_records" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$WORK/records.json" --benchmark_out_format=json \
    >>"$LOG" 2>&1 || echo "norppala_bench_records failed, see $LOG"

# A number from a one-line JSON object, or null.
field() {
    value=$(sed -n "s/.*\"$2\": *\([-0-9.eE+]*\).*/\1/p" "$1" 2>/dev/null | head -n 1)
    echo "${value:-null}"
}
# A field of the median of one benchmark's repetitions in Google Benchmark's JSON
# output (the simulation's, or the file given third).
simfield() {
    value=$(awk -v name="\"name\": \"$1" -v key="\"$2\":" '
        index($0, name) && index($0, "_median\"") { inside = 1 }
        inside && index($0, key) { sub(/.*: */, ""); sub(/,$/, ""); print; exit }
        inside && /}/ { inside = 0 }' "${3:-$WORK/sim.json}" 2>/dev/null)
    echo "${value:-null}"
}
check() { # value, comparison, limit
    awk -v v="$1" -v op="$2" -v l="$3" 'BEGIN {
        if (v == "null") { print "false"; exit }
        ok = (op == "<=") ? (v + 0 <= l + 0) : (v + 0 >= l + 0)
        print ok ? "true" : "false" }'
}

OFF="$WORK/startup_offscreen.json"
XV="$WORK/startup_xvfb.json"
off_time=$(field "$OFF" time_ratio); off_mem=$(field "$OFF" memory_ratio)
xv_time=$(field "$XV" time_ratio); xv_mem=$(field "$XV" memory_ratio)
rest_cpu=$(field "$WORK/rest.json" core_percent)
rest4_cpu=$(field "$WORK/rest4.json" core_percent)
lost=$(field "$WORK/clock.json" game_ticks_lost)
late=$(field "$WORK/clock.json" last_tick_late_ms)
late_abs=$(awk -v v="$late" 'BEGIN { if (v == "null") print "null"; else print (v < 0 ? -v : v) }')
p99=$(field "$WORK/clock.json" step_p99_ms)
p99_off=$(awk -v v="$p99" 'BEGIN { if (v == "null") print "null"; else { d = v - 100; print (d < 0 ? -d : d) } }')
round() { awk -v v="$1" -v d="$2" 'BEGIN { if (v == "null") print "null"; else printf("%." d "f\n", v) }'; }
games=$(round "$(simfield BM_WholeGame/1/ games_per_s)" 1)
games_quiet=$(round "$(simfield BM_WholeGame/0/ games_per_s)" 1)
model_games=$(round "$(simfield BM_ModelGame games_per_s)" 1)
records_ms=$(round "$(simfield BM_ReadRecords real_time "$WORK/records.json")" 2)
records_window_ms=$(round "$(simfield BM_RecordsWindow real_time "$WORK/records.json")" 1)

CPU_MODEL=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
MEM_KB=$(sed -n 's/^MemTotal: *\([0-9]*\) kB/\1/p' /proc/meminfo)
LOAD=$(cut -d ' ' -f 1-3 /proc/loadavg)

cat >"$OUT" <<JSON
{
  "machine": {"nproc": $(nproc), "cpu": "$CPU_MODEL", "memory_kb": $MEM_KB, "load_average": "$LOAD",
              "date": "$(date -u +%Y-%m-%dT%H:%M:%SZ)", "commit": "$(git -C "$(dirname "$0")" rev-parse --short HEAD 2>/dev/null || echo unknown)"},
  "startup_offscreen": $(cat "$OFF" 2>/dev/null || echo null),
  "startup_xvfb": $(cat "$XV" 2>/dev/null || echo null),
  "rest": $(cat "$WORK/rest.json" 2>/dev/null || echo null),
  "rest_zoom4": $(cat "$WORK/rest4.json" 2>/dev/null || echo null),
  "clock": $(cat "$WORK/clock.json" 2>/dev/null || echo null),
  "simulation": {"games_per_s": $games, "captions_off_games_per_s": $games_quiet,
                 "model_games_per_s": $model_games},
  "records": {"read_1000_files_ms": $records_ms, "window_100000_files_ms": $records_window_ms},
  "targets": {
    "startup_time_ratio_max_1_5": [$(check "$off_time" "<=" 1.5), $(check "$xv_time" "<=" 1.5)],
    "startup_memory_ratio_max_2_0": [$(check "$off_mem" "<=" 2.0), $(check "$xv_mem" "<=" 2.0)],
    "rest_cpu_max_2_percent": [$(check "$rest_cpu" "<=" 2), $(check "$rest4_cpu" "<=" 2)],
    "clock_no_tick_lost": $(check "$lost" "<=" 0),
    "clock_drift_max_20_ms": $(check "$late_abs" "<=" 20),
    "clock_step_p99_within_10_ms": $(check "$p99_off" "<=" 10),
    "simulation_min_500_games_per_s": $(check "$games" ">=" 500),
    "model_simulation_min_20000_games_per_s": $(check "$model_games" ">=" 20000),
    "records_1000_files_max_50_ms": $(check "$records_ms" "<=" 50),
    "records_window_100000_files_max_1000_ms": $(check "$records_window_ms" "<=" 1000)
  }
}
JSON

row() { printf '%-44s %14s %14s %s\n' "$1" "$2" "$3" "$4"; }
echo
row "Mittaus / measure" "tulos" "tavoite" "ok"
row "start-up time game/bare, offscreen" "$off_time" "<= 1.5" "$(check "$off_time" "<=" 1.5)"
row "  (game ms / bare ms)" "$(field "$OFF" game_first_paint_ms)" "$(field "$OFF" bare_first_paint_ms)" ""
row "start-up memory game/bare, offscreen" "$off_mem" "<= 2.0" "$(check "$off_mem" "<=" 2.0)"
row "start-up time game/bare, Xvfb" "$xv_time" "<= 1.5" "$(check "$xv_time" "<=" 1.5)"
row "  (game ms / bare ms)" "$(field "$XV" game_first_paint_ms)" "$(field "$XV" bare_first_paint_ms)" ""
row "start-up memory game/bare, Xvfb" "$xv_mem" "<= 2.0" "$(check "$xv_mem" "<=" 2.0)"
row "game at rest, % of one core" "$rest_cpu" "<= 2" "$(check "$rest_cpu" "<=" 2)"
row "game at rest at 4×, % of one core" "$rest4_cpu" "<= 2" "$(check "$rest4_cpu" "<=" 2)"
row "game at rest at 4×, peak RSS kB" "$(field "$WORK/rest4.json" peak_rss_kb)" "" ""
row "game at rest, peak RSS kB" "$(field "$WORK/rest.json" peak_rss_kb)" "" ""
row "clock: 1000 ms ticks lost" "$lost" "0" "$(check "$lost" "<=" 0)"
row "clock: last tick late, ms" "$late" "|x| <= 20" "$(check "$late_abs" "<=" 20)"
row "clock: 100 ms step median / p99, ms" "$(field "$WORK/clock.json" step_median_ms)" "$p99" "$(check "$p99_off" "<=" 10)"
row "simulated games per second" "$games" ">= 500" "$(check "$games" ">=" 500)"
row "  (captions off)" "$games_quiet" "" ""
row "model games per second (no windows)" "$model_games" ">= 20000" "$(check "$model_games" ">=" 20000)"
row "records: 1000 result files read, ms" "$records_ms" "<= 50" "$(check "$records_ms" "<=" 50)"
row "records window, 100000 result files, ms" "$records_window_ms" "<= 1000" "$(check "$records_window_ms" "<=" 1000)"
echo
echo "load average: $LOAD; figures in $OUT"
