#!/usr/bin/env bash
# Runs the fuzz targets of a build made with QUELLIX_FUZZ=ON.
#   scripts/fuzz.sh BUILD replay            every corpus input and past finding once
#   scripts/fuzz.sh BUILD run SECONDS [T]   fuzz each target (or only T) for SECONDS
# New inputs found while fuzzing go to BUILD/fuzz-corpus/<target>, never
# into the checked-in corpus; a finding is written to BUILD/fuzz-findings/
# and fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
mode="$2"
source "$root/scripts/sanitize-env.sh"
export QT_QPA_PLATFORM=offscreen
targets=(datafile remarkfile streaming richtext numberformat fircoeffs)
# Per target: the largest input worth trying (bytes).
declare -A max_len=([datafile]=12000 [remarkfile]=2400 [streaming]=4096 [richtext]=8192 [numberformat]=64 [fircoeffs]=2048)
mkdir -p "$build/fuzz-findings"

inputs_of() {
  local t="$1"
  for d in "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t"; do
    [ -d "$d" ] && find "$d" -type f
  done
}

case "$mode" in
  replay)
    for t in "${targets[@]}"; do
      mapfile -t files < <(inputs_of "$t")
      echo "fuzz replay $t: ${#files[@]} inputs"
      [ ${#files[@]} -eq 0 ] && continue
      "$build/fuzz/fuzz_$t" -timeout=20 -rss_limit_mb=2048 "${files[@]}" > "$build/fuzz-findings/replay_$t.log" 2>&1 ||
        { tail -40 "$build/fuzz-findings/replay_$t.log"; echo "fuzz replay $t: FAILED"; exit 1; }
    done
    ;;
  run)
    seconds="$3"
    only="${4:-}"
    for t in "${targets[@]}"; do
      [ -n "$only" ] && [ "$only" != "$t" ] && continue
      work="$build/fuzz-corpus/$t"
      mkdir -p "$work"
      seeds=()
      for d in "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t"; do [ -d "$d" ] && seeds+=("$d"); done
      echo "fuzz $t for ${seconds}s"
      "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -max_len="${max_len[$t]}" -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/${t}_" \
        "$work" "${seeds[@]}" > "$build/fuzz-findings/run_$t.log" 2>&1 ||
        { tail -60 "$build/fuzz-findings/run_$t.log"; echo "fuzz $t: FINDING (see $build/fuzz-findings)"; exit 1; }
      grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz-findings/run_$t.log" | sed "s/^/fuzz $t: /"
    done
    ;;
  *)
    echo "usage: scripts/fuzz.sh BUILD replay | run SECONDS [TARGET]" >&2
    exit 1
    ;;
esac
