#!/usr/bin/env bash
# Runs one fuzz target for a while.
# Usage: run_fuzzer.sh FUZZER WORK_DIR SECONDS [SEED_DIR]
# New inputs go to WORK_DIR/corpus (kept between runs), inputs that fail to
# WORK_DIR/failures.
set -eu
fuzzer=$1 work=$2 seconds=$3
mkdir -p "$work/corpus" "$work/failures"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/failures/" "$work/corpus" ${4:+"$4"}
