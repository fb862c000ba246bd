#!/usr/bin/env bash
# The panel cycle's speed on this machine: the benchmark (bench/panel_bench.cpp) run with
# repetitions, its medians for the default panel and its floor, and their ratio. Wall-clock
# figures depend on the machine and on what else runs on it: the load average is printed
# with them. For a figure that does not, tools/cycle_cost.sh counts instructions.
#
#   tools/panel_speed.sh [--build <dir>] [--repetitions <n>]
set -euo pipefail

build=build/default
repetitions=5
fail() {
  echo "panel_speed: $*" >&2
  exit 2
}
while (($#)); do
  (($# >= 2)) || fail "$1 needs a value"
  case $1 in
    --build) build=$2 ;;
    --repetitions) [[ $2 =~ ^[1-9][0-9]*$ ]] || fail "--repetitions needs a whole number, not '$2'"; repetitions=$2 ;;
    *) fail "unknown option '$1'" ;;
  esac
  shift 2
done
program=$build/bench/tj20_bench
[[ -x $program ]] || fail "$program not found: build it first (cmake --build $build --target tj20_bench)"

echo "machine: $(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
out=$("$program" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_format=json --benchmark_min_time=1)
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
# The medians' counters, one line a benchmark: name, cycles per second, ns per gauge.
medians=$(awk -F'[:,]' '
  /"name":/ { name = $2; gsub(/[" ]/, "", name) }
  /"cycles_per_second":/ { cps = $2 + 0 }
  /"ns_per_gauge":/ { ns = $2 + 0; if (name ~ /_median$/) { sub(/_median$/, "", name); print name, cps, ns } }
  ' <<<"$out")
[[ -n $medians ]] || fail "no medians in the benchmark's output"
awk -v reps="$repetitions" '
  { cps[$1] = $2; ns[$1] = $3; printf "%-12s median of %d: %10.0f cycles per second, %7.1f ns per gauge\n", $1, reps, $2, $3 }
  END { if (cps["PanelCycle"] && cps["FloorCycle"]) printf "ratio to the floor: %.2f\n", cps["FloorCycle"] / cps["PanelCycle"] }
  ' <<<"$medians"
