#!/usr/bin/env bash
# Runs dispatch benchmark programs in turn, several times, and prints per row the min, median
# and max of the framework ÷ plain ratio for each program, and the load seen.
#   bench/dispatch_runs.sh RUNS prog.exe [prog.exe...] [-- count]
# Programs run one after another (a, b, a, b, ...), so a change of load hits each alike.
set -u
[ $# -ge 2 ] || { echo "usage: dispatch_runs.sh RUNS prog.exe [prog.exe...] [-- count]" >&2; exit 2; }
runs=$1
shift
progs=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do progs+=("$1"); shift; done
[ "${1:-}" = -- ] && shift
run=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/scripts/wine-run.sh
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
loads=()
for ((r = 0; r < runs; ++r)); do
  for i in "${!progs[@]}"; do
    "$run" "${progs[$i]}" "$@" | awk -v p="$i" '$NF ~ /^[0-9.]+$/ && NF >= 7 { print p, $1, $NF }' \
      >>"$out/ratios" || exit 1
  done
  loads+=("$(cut -d' ' -f1 /proc/loadavg)")
done
echo "runs: $runs each; load (1 min) per round: ${loads[*]}"
for i in "${!progs[@]}"; do echo "program $i: ${progs[$i]}"; done
# Rows in their first order; per row and program: min-median-max.
awk -v n="${#progs[@]}" '
  !($2 in seen) { seen[$2] = 1; order[++rows] = $2 }
  { k = $2 SUBSEP $1; v[k, ++c[k]] = $3 }
  END {
    printf "%-16s", "row"; for (p = 0; p < n; ++p) printf " %20s", "program " p; print ""
    for (r = 1; r <= rows; ++r) {
      printf "%-16s", order[r]
      for (p = 0; p < n; ++p) {
        k = order[r] SUBSEP p; m = c[k]
        for (i = 1; i <= m; ++i) a[i] = v[k, i]
        for (i = 2; i <= m; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        med = m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
        printf " %20s", sprintf("%.2f-%.2f-%.2f", a[1], med, a[m])
      }
      print ""
    }
  }' "$out/ratios"
