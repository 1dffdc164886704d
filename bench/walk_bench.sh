#!/usr/bin/env bash
# Times quorvane-list against find, bfs and fd on a synthetic tree of about 200,000 folders,
# every level and depth 2, output to /dev/null. The tools run in turn within each round (the
# order rotating), so a machine that gets busier or quieter during the run affects them alike.
# Prints the median wall time of each, its ratio to find's, and its peak memory (maximum
# resident set size from /usr/bin/time).
#
# Two caches: "warm" (the tree's folders in the page cache, as on a second run) and "cold"
# (the page cache dropped before every single run, as on a disk read for the first time; it
# needs root, since it writes /proc/sys/vm/drop_caches, and is skipped with a word otherwise).
#
#   bench/walk_bench.sh                       # both caches, tree in /tmp/quorvane-bench
#   CACHE=warm ROUNDS=15 bench/walk_bench.sh  # warm only, 15 rounds
#   BENCH_DIR=/data/b FOLDERS=400000 bench/walk_bench.sh
#
# BENCH_DIR must not hold blanks: the commands below are split into words.
set -euo pipefail
cd "$(dirname "$0")/.."

bench_dir=${BENCH_DIR:-/tmp/quorvane-bench}
caches=${CACHE:-warm cold}
warm_rounds=${ROUNDS:-9}
cold_rounds=${COLD_ROUNDS:-3}
folders=${FOLDERS:-200000}
file_share=${FILE_SHARE:-0.1}
chain=${CHAIN:-1500}
tree=$bench_dir/tree

scripts/setup-debian.sh --bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=OFF >/dev/null
cmake --build build/bench -j2 --target quorvane-list >/dev/null
list=$PWD/build/bench/quorvane-list
floor=$PWD/build/bench/floor_walk
cc -O2 -Wall -Wextra -Werror -o "$floor" bench/floor_walk.c

mkdir -p "$bench_dir"
python3 bench/make_tree.py "$tree" --folders "$folders" --file-share "$file_share"
python3 bench/make_tree.py "$bench_dir/chain" --chain "$chain"

# name|command, one per line; the first of each set is quorvane-list, with its default number
# of readers. "floor" is the least a one-threaded walker can do for the same list
# (bench/floor_walk.c), a yardstick rather than a peer.
every_level="quorvane-list|$list $tree
quorvane-list -j1|$list -j1 $tree
find|find $tree -mindepth 1 -name .* -prune -o -type d -print
bfs|bfs $tree -mindepth 1 -nohidden -type d
fdfind|fdfind --type d --no-ignore . $tree
fdfind -j8|fdfind -j8 --type d --no-ignore . $tree
fdfind -j32|fdfind -j32 --type d --no-ignore . $tree
floor|$floor $tree"
depth_two="quorvane-list|$list --depth 2 $tree
quorvane-list -j1|$list -j1 --depth 2 $tree
find|find $tree -mindepth 1 -maxdepth 2 -name .* -prune -o -type d -print
bfs|bfs $tree -mindepth 1 -maxdepth 2 -nohidden -type d
fdfind|fdfind --max-depth 2 --type d --no-ignore . $tree"

drop_cache() {
    sync
    echo 3 >/proc/sys/vm/drop_caches
}

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

# Runs each command of set $1 $2 times, rotating the order, with the page cache dropped before
# each run when $3 is "cold"; prints "name ms" lines.
time_set() {
    local -a names commands
    local name command i r k start end
    while IFS='|' read -r name command; do
        [ "$3" = cold ] && [ "$name" = floor ] && continue
        names+=("$name")
        commands+=("$command")
    done <<<"$1"
    for ((r = 0; r < $2; r++)); do
        for ((k = 0; k < ${#names[@]}; k++)); do
            i=$(((k + r) % ${#names[@]}))
            [ "$3" = cold ] && drop_cache
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
    local title=$1 set=$2 cache=$3 rounds times memory
    rounds=$warm_rounds
    if [ "$cache" = cold ]; then
        rounds=$cold_rounds
    else
        time_set "$set" 1 warm >/dev/null  # warm the cache and the binaries
    fi
    times=$(time_set "$set" "$rounds" "$cache")
    memory=$(peak_memory "$set")
    echo
    echo "$title, $cache cache ($rounds rounds)"
    printf '%-18s %10s %10s %10s\n' tool "median ms" "÷ find" "peak MiB"
    python3 - "$title" "$cache" "$times" "$memory" <<'PY'
import statistics, sys
title, cache = sys.argv[1], sys.argv[2]
times, peaks = {}, {}
for line in sys.argv[3].splitlines():
    name, ms = line.rsplit(" ", 1)
    times.setdefault(name, []).append(float(ms))
for line in sys.argv[4].splitlines():
    name, kib = line.rsplit(" ", 1)
    peaks[name] = int(kib) / 1024
find = statistics.median(times["find"])
for name, samples in times.items():
    median = statistics.median(samples)
    print("%-18s %10.1f %10.2f %10.1f" % (name, median, median / find, peaks[name]))
ratio = statistics.median(times["quorvane-list"]) / find
target = {"warm": 0.30, "cold": 0.25}[cache]
if title == "every level":
    print("quorvane-list: %.2f of find's time (target %.2f or less), %.1f MiB"
          % (ratio, target, peaks["quorvane-list"]))
PY
}

echo "tree: $tree ($(find "$tree" -mindepth 1 -name '.*' -prune -o -type d -print | wc -l) visible folders)"
check_same "$every_level"
check_same "$depth_two"
for cache in $caches; do
    if [ "$cache" = cold ] && ! drop_cache 2>/dev/null; then
        echo
        echo "cold cache: skipped, the page cache cannot be dropped here (it takes root)"
        continue
    fi
    report "every level" "$every_level" "$cache"
    report "depth 2" "$depth_two" "$cache"
done
echo
echo "deep chain of $chain folders: quorvane-list peak" \
    "$(/usr/bin/time -f %M "$list" "$bench_dir/chain" 2>&1 >/dev/null | awk '{ printf "%.1f MiB", $1 / 1024 }')"
