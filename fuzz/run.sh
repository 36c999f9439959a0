#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
# Builds the fuzz targets with clang and fuzzes the reading of typed answers.
#
#   bash fuzz/run.sh [seconds]      default 600; 0 only replays the corpus
#
# New inputs go to a scratch folder; afterwards they are merged into
# fuzz/corpus/, which keeps only the inputs that add coverage.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-600}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_reading -j 2

fuzzer=build-fuzz/fuzz/fuzz_reading
if [ "$seconds" -eq 0 ]; then
  exec "$fuzzer" -runs=0 fuzz/corpus
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$scratch" fuzz/corpus
"$fuzzer" -merge=1 fuzz/corpus "$scratch"
