#!/usr/bin/env bash
# A bounded fuzz run: the corpus, then a fixed number of new inputs. New inputs go to a scratch
# folder so the committed corpus stays as it is. Usage: run_bounded.sh FUZZER CORPUS RUNS
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
"$1" "$scratch" "$2" -runs="$3" -max_len=256 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1
