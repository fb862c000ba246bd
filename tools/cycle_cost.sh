#!/usr/bin/env bash
# The instructions one panel cycle executes, counted by callgrind: the default panel and its
# floor (the same layout of do-nothing gauges with the same element counts), each run for a
# fixed number of cycles after a warm-up, from the same simulator state, so the count is the
# same on every run of the same build. Prints the count per cycle, the ratio to the floor,
# the cycle's instructions by duty and by gauge.
#
#   tools/cycle_cost.sh [--build <dir>] [--warmup <n>] [--cycles <n>] [--top <n>]
#                       [--check <baseline file> [--margin <percent>]] [--write <baseline file>]
#
# --check fails (exit 1) when the panel's instructions per cycle exceed the baseline's by more
# than the margin (default 10 %), naming both figures; --write records the measured figure as
# the new baseline. The baseline file holds "instructions_per_cycle <n>" and comment lines.
set -euo pipefail

build=build/default
warmup=20
cycles=50
top=12
check=
write=
margin=10

fail() {
  echo "cycle_cost: $*" >&2
  exit 2
}
whole() { [[ $2 =~ ^[0-9]+$ ]] || fail "$1 needs a whole number, not '$2'"; }

while (($#)); do
  (($# >= 2)) || fail "$1 needs a value"
  case $1 in
    --build) build=$2 ;;
    --warmup) whole "$1" "$2" && warmup=$2 ;;
    --cycles) whole "$1" "$2" && cycles=$2 ;;
    --top) whole "$1" "$2" && top=$2 ;;
    --check) check=$2 ;;
    --write) write=$2 ;;
    --margin) whole "$1" "$2" && margin=$2 ;;
    *) fail "unknown option '$1'" ;;
  esac
  shift 2
done
((cycles > 0)) || fail "--cycles must be at least 1"
program=$build/bench/tj20_cycle_cost
[[ -x $program ]] || fail "$program not found: build it first (cmake --build $build --target tj20_cycle_cost)"
command -v valgrind >/dev/null || fail "valgrind not found: install the Debian package valgrind"
if [[ -n $check ]]; then
  [[ -r $check ]] || fail "$check: no such baseline file"
  baseline=$(awk '$1 == "instructions_per_cycle" { print $2 }' "$check")
  [[ $baseline =~ ^[0-9]+$ ]] || fail "$check: no line 'instructions_per_cycle <n>'"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the program under callgrind, collecting only inside the measured cycles, and writes
# each function's own instructions as "instructions<TAB>object<TAB>function".
measure() {
  local out=$1
  shift
  valgrind --tool=callgrind --callgrind-out-file="$work/$out.callgrind" --collect-atstart=no \
    --toggle-collect=tj20_measured_cycles --compress-strings=no --compress-pos=no \
    "$program" --warmup "$warmup" --cycles "$cycles" "$@" >"$work/$out.log" 2>"$work/$out.valgrind" ||
    fail "$program $* failed under valgrind: $(tail -n 3 "$work/$out.valgrind")"
  # A cost line that follows "calls=" is the callee's inclusive cost: not this function's own.
  awk '/^ob=/ { ob = substr($0, 4) }
       /^fn=/ { fn = substr($0, 4) }
       /^calls=/ { call = 1; next }
       /^[0-9]/ { if (call) { call = 0; next }
                  n = split($0, f, " "); if (n >= 2) own[ob "\t" fn] += f[n] }
       END { for (k in own) print own[k] "\t" k }' "$work/$out.callgrind" >"$work/$out.own"
}

per_cycle() { awk -v c="$cycles" '{ s += $1 } END { printf "%d\n", s / c + 0.5 }' "$1"; }

measure panel
measure floor --floor
panel=$(per_cycle "$work/panel.own")
floor=$(per_cycle "$work/floor.own")

echo "$(head -n 1 "$work/panel.log"), under callgrind"
printf 'instructions per cycle: %d (floor %d, ratio %.2f)\n' "$panel" "$floor" "$(awk -v p="$panel" -v f="$floor" 'BEGIN { print f ? p / f : 0 }')"

# Duties: the gauges' own code (framework included), the sound library, and the host's and the
# runtime's functions grouped by what they do for the cycle.
echo "by duty, instructions per cycle:"
awk -F'\t' -v c="$cycles" '
  function duty(ob, fn) {
    if (ob ~ /\/rl_tj20_[^\/]*\.gau$/) return "gauges (their own code)"
    if (ob ~ /GaugeSound/) return "sound library"
    if (ob ~ /\/ld-linux|\/libdl/ || fn ~ /^_dl_|dlsym|dlopen|dlerror|do_lookup|check_match/) return "loader look-ups (dlsym, dlopen)"
    if (fn ~ /malloc|free|operator new|operator delete|tcache|unlink_chunk|_int_|cfree/) return "allocation"
    if (fn ~ /printf|_IO_|__mpn_|hack_digit|_itoa|__strchrnul|round_and_return|_fitoa|__printf_fp|__i18n/) return "text formatting"
    if (fn ~ /Journal|diffShared|drainSounds|journalIconChanges|Impl::event|Tj20SoundSink|Event|Trace|deque|_Rb_tree|_M_/) return "journal, shared-variable diff, containers"
    if (fn ~ /ElementEvaluator|Impl::evaluate|interpolateAngle|fillAngles|ElementState/) return "element evaluation"
    if (fn ~ /Registry|Impl::lookup|hostLookup|hostInitialize|hostRegister|hostUnregister|SimState/) return "registry and simulator look-ups"
    if (fn ~ /SimModel|model::|Model/) return "simulator model"
    if (fn ~ /mem(cpy|move|set|cmp)|str(len|nlen|cmp)|basic_string/) return "string and memory copies"
    if (fn ~ /Impl::cycle|callService|Panel::run|enterModule|leaveModule/) return "service calls"
    return "other"
  }
  { sum[duty($2, $3)] += $1 }
  END { for (d in sum) printf "%12d  %s\n", sum[d] / c + 0.5, d }' "$work/panel.own" | sort -rn

echo "by gauge (own code), instructions per cycle, the $top costliest:"
awk -F'\t' -v c="$cycles" '$2 ~ /\/rl_tj20_[^\/]*\.gau$/ { n = $2; sub(/.*\//, "", n); sub(/\.gau$/, "", n); sum[n] += $1 }
  END { for (g in sum) printf "%12d  %s\n", sum[g] / c + 0.5, g }' "$work/panel.own" | sort -rn | awk -v n="$top" 'NR <= n'

echo "the costliest functions outside the gauges, instructions per cycle:"
awk -F'\t' -v c="$cycles" '$2 !~ /\/rl_tj20_[^\/]*\.gau$/ { sum[$3] += $1 }
  END { for (f in sum) printf "%12d  %s\n", sum[f] / c + 0.5, substr(f, 1, 100) }' "$work/panel.own" | sort -rn | awk -v n="$top" 'NR <= n'

if [[ -n $write ]]; then
  {
    echo "# Instructions per cycle of the default panel under callgrind (tools/cycle_cost.sh):"
    echo "# $warmup warm-up cycles, then $cycles measured; the floor's figure for reference."
    echo "instructions_per_cycle $panel"
    echo "floor_instructions_per_cycle $floor"
  } >"$write"
  echo "baseline written to $write"
fi
if [[ -n $check ]]; then
  limit=$((baseline + baseline * margin / 100))
  if ((panel > limit)); then
    echo "FAILED: the panel cycle takes $panel instructions, more than $margin % over the baseline's $baseline (limit $limit, $check)" >&2
    exit 1
  fi
  echo "within the baseline: $panel instructions per cycle against $baseline (limit $limit, +$margin %)"
fi
