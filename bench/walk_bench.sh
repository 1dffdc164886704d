#!/usr/bin/env bash
# Times quorvane-list against find, bfs and fd on a synthetic tree of about 200,000 folders,
# every level and depth 2, output to /dev/null, on a warm cache. The tools run in turn within
# each round (the order rotating), so a machine that gets busier or quieter during the run
# affects them alike. Prints the median wall time of each, its ratio to find's, and its peak
# memory (maximum resident set size from /usr/bin/time).
#
#   bench/walk_bench.sh                 # tree in /tmp/quorvane-bench, 9 rounds
#   BENCH_DIR=/data/b ROUNDS=15 FOLDERS=400000 bench/walk_bench.sh
#
# BENCH_DIR must not hold blanks: the commands below are split into words.
set -euo pipefail
cd "$(dirname "$0")/.."

bench_dir=${BENCH_DIR:-/tmp/quorvane-bench}
rounds=${ROUNDS:-9}
folders=${FOLDERS:-200000}
file_share=${FILE_SHARE:-0.1}
chain=${CHAIN:-1500}
tree=$bench_dir/tree

scripts/setup-debian.sh --bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUORVANE_BUILD_GUI=OFF >/dev/null
cmake --build build/bench -j2 --target quorvane-list >/dev/null
list=$PWD/build/bench/quorvane-list
floor=$PWD/build/bench/floor_walk
cc -O2 -Wall -Wextra -Werror -o "$floor" bench/floor_walk.c

mkdir -p "$bench_dir"
python3 bench/make_tree.py "$tree" --folders "$folders" --file-share "$file_share"
python3 bench/make_tree.py "$bench_dir/chain" --chain "$chain"

# name|command, one per line; the first of each set is quorvane-list. "floor" is the least a
# walker can do for the same list (bench/floor_walk.c), a yardstick rather than a peer.
every_level="quorvane-list|$list $tree
find|find $tree -mindepth 1 -name .* -prune -o -type d -print
bfs|bfs $tree -mindepth 1 -nohidden -type d
fdfind|fdfind --type d --no-ignore . $tree
fdfind -j1|fdfind -j1 --type d --no-ignore . $tree
floor|$floor $tree"
depth_two="quorvane-list|$list --depth 2 $tree
find|find $tree -mindepth 1 -maxdepth 2 -name .* -prune -o -type d -print
bfs|bfs $tree -mindepth 1 -maxdepth 2 -nohidden -type d
fdfind|fdfind --max-depth 2 --type d --no-ignore . $tree
fdfind -j1|fdfind -j1 --max-depth 2 --type d --no-ignore . $tree"

# Every tool must list the same folders, or the race is not a fair one.
check_same() {
    local reference="" name command listed
    while IFS='|' read -r name command; do
        listed=$(set -f; $command | sed 's:/$::' | LC_ALL=C sort | md5sum)
        if [ -z "$reference" ]; then
            reference=$listed
        elif [ "$listed" != "$reference" ]; then
            echo "walk_bench: $name lists other folders than quorvane-list" >&2
            exit 1
        fi
    done <<<"$1"
}

# Runs each command of set $2 $rounds times, rotating the order; prints "name ms" lines.
time_set() {
    local -a names commands
    local name command i r k start end
    while IFS='|' read -r name command; do
        names+=("$name")
        commands+=("$command")
    done <<<"$1"
    for ((r = 0; r < rounds; r++)); do
        for ((k = 0; k < ${#names[@]}; k++)); do
            i=$(((k + r) % ${#names[@]}))
            start=$EPOCHREALTIME
            (set -f; ${commands[i]} >/dev/null)
            end=$EPOCHREALTIME
            echo "${names[i]} $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) * 1000 }')"
        done
    done
}

peak_memory() {
    local name command
    while IFS='|' read -r name command; do
        echo "$name $( (set -f; /usr/bin/time -f %M $command 2>&1 >/dev/null) | tail -1)"
    done <<<"$1"
}

report() {
    local title=$1 set=$2 times memory
    check_same "$set"
    time_set "$set" >/dev/null  # warm the cache and the binaries
    times=$(time_set "$set")
    memory=$(peak_memory "$set")
    echo
    echo "$title ($rounds rounds)"
    printf '%-14s %10s %10s %10s\n' tool "median ms" "÷ find" "peak MiB"
    python3 - "$title" "$times" "$memory" <<'PY'
import statistics, sys
times, peaks = {}, {}
title = sys.argv[1]
for line in sys.argv[2].splitlines():
    name, ms = line.rsplit(" ", 1)
    times.setdefault(name, []).append(float(ms))
for line in sys.argv[3].splitlines():
    name, kib = line.rsplit(" ", 1)
    peaks[name] = int(kib) / 1024
find = statistics.median(times["find"])
for name, samples in times.items():
    median = statistics.median(samples)
    print("%-14s %10.1f %10.2f %10.1f" % (name, median, median / find, peaks[name]))
ratio = statistics.median(times["quorvane-list"]) / find
if title == "every level":
    print("quorvane-list: %.2f of find's time (target 0.45 or less), %.1f MiB (target under 32)"
          % (ratio, peaks["quorvane-list"]))
PY
}

echo "tree: $tree ($(find "$tree" -mindepth 1 -name '.*' -prune -o -type d -print | wc -l) visible folders)"
report "every level" "$every_level"
report "depth 2" "$depth_two"
echo
echo "deep chain of $chain folders: quorvane-list peak" \
    "$(/usr/bin/time -f %M "$list" "$bench_dir/chain" 2>&1 >/dev/null | awk '{ printf "%.1f MiB", $1 / 1024 }')"
