#!/usr/bin/env bash
# Times quorvane-list against find, bfs, fdfind and two bare getdents64 walkers (the floors,
# built here: bench/floor_walk.c on one thread, bench/floor_walk_shared.c on two that share the
# walk) on four shapes of tree, warm and cold, output to /dev/null:
#   mixed  about 200,000 folders, fan-out about 10, hidden subtrees, files
#   wide   one folder holding 100,000 subfolders
#   chain  2,000 folders nested in one another
#   real   a real system folder, /usr by default
# For each it prints wall time, CPU time and peak memory, with the ratios to find's
# (bench/walk_bench.py). quorvane-list runs as it does by default, with -j1 (one thread) and
# with -j32 (32 threads from the start).
#
#   bench/walk_bench.sh                               # warm and cold, trees in /tmp/quorvane-bench
#   CACHE=warm ROUNDS=9 bench/walk_bench.sh           # warm only, 9 rounds
#   BENCH_DIR=/data/b FOLDERS=400000 REAL=/opt bench/walk_bench.sh
#
# Cold runs drop the page cache before every run, which takes root; without it they are
# skipped with a word.
set -euo pipefail
cd "$(dirname "$0")/.."

bench_dir=${BENCH_DIR:-/tmp/quorvane-bench}
folders=${FOLDERS:-200000}
real=${REAL:-/usr}

scripts/setup-debian.sh --bench
. bench/common.sh
build_list quorvane-list
floor=$PWD/build/bench/floor_walk
cc -O2 -Wall -Wextra -Werror -o "$floor" bench/floor_walk.c
shared_floor=$PWD/build/bench/floor_walk_shared
cc -O2 -Wall -Wextra -Werror -pthread -o "$shared_floor" bench/floor_walk_shared.c

mkdir -p "$bench_dir"
python3 bench/make_tree.py "$bench_dir/tree" --folders "$folders" --file-share 0.1
python3 bench/make_tree.py "$bench_dir/wide" --wide 100000
python3 bench/make_tree.py "$bench_dir/chain" --chain 2000

python3 bench/walk_bench.py --list "$PWD/build/bench/quorvane-list" --floor "$floor" \
    --shared-floor "$shared_floor" \
    --caches "$(tr ' ' , <<<"${CACHE:-warm cold}")" \
    --rounds "${ROUNDS:-5}" --cold-rounds "${COLD_ROUNDS:-1}" \
    --tree "mixed=$bench_dir/tree" --tree "wide=$bench_dir/wide" \
    --tree "chain=$bench_dir/chain" --tree "real=$real:real"
