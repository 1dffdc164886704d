#!/usr/bin/env python3
"""Times folder walkers on trees of several shapes, warm and cold, as walk_bench.sh sets up.

Each tool runs in turn within each round (the order rotating), so a machine that gets busier
or quieter during the run touches them alike. For each tree and cache it prints, per tool, the
median wall time and its ratios to find's and to the bare two-thread walker's (the floor of a
shared walk), the median CPU time (user and system) and its ratio to find's, the peak memory
(maximum resident set size) and the most threads the tool ran at once, as /proc showed them
every millisecond.

Cold: the page cache, dentries and inodes are dropped before every single run, as on a disk
read for the first time; that takes root, and is skipped with a word otherwise.
"""

import argparse
import hashlib
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time


def tools(args, tree):
    """name -> command, quorvane-list first, the two floors last."""
    return {
        "quorvane-list": [args.list, tree],
        "quorvane-list -j1": [args.list, "-j1", tree],
        "quorvane-list -j32": [args.list, "-j32", tree],
        "find": ["find", tree, "-mindepth", "1", "-name", ".*", "-prune", "-o", "-type", "d",
                 "-print"],
        "bfs": ["bfs", tree, "-mindepth", "1", "-nohidden", "-type", "d"],
        "fdfind": ["fdfind", "--type", "d", "--no-ignore", ".", tree],
        "fdfind -j32": ["fdfind", "-j32", "--type", "d", "--no-ignore", ".", tree],
        "floor": [args.floor, tree],
        "floor, 2 threads": [args.shared_floor, "-j", "2", tree],
    }


class ThreadCount(threading.Thread):
    """The most threads the program that GNU time (`parent`) started runs at once."""

    def __init__(self, parent):
        super().__init__(daemon=True)
        self.parent = parent
        self.most = 0
        self.done = threading.Event()

    def run(self):
        children = "/proc/%d/task/%d/children" % (self.parent, self.parent)
        while not self.done.is_set():
            try:
                with open(children) as f:
                    for child in f.read().split():
                        self.most = max(self.most, len(os.listdir("/proc/%s/task" % child)))
            except OSError:
                pass
            time.sleep(0.001)


def run(command):
    """Runs `command` with its output thrown away; returns wall s, CPU s, peak KiB and the most
    threads. GNU time starts it and tells its peak memory, since a child forked from this script
    would count the script's own; the CPU time comes from the system, to the microsecond."""
    with tempfile.NamedTemporaryFile("r") as measured, open(os.devnull, "wb") as devnull:
        start = time.perf_counter()
        process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", measured.name] + command,
                                   stdout=devnull, stderr=devnull)
        threads = ThreadCount(process.pid)
        threads.start()
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
        threads.done.set()
        threads.join()
        peak = int(measured.read().split()[-1])
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit("walk_bench: %s failed" % " ".join(command))
    return wall, usage.ru_utime + usage.ru_stime, peak, threads.most


def drop_cache():
    subprocess.run(["sync"], check=True)
    with open("/proc/sys/vm/drop_caches", "w") as f:
        f.write("3\n")


def can_drop_cache():
    try:
        drop_cache()
        return True
    except OSError:
        return False


def listing(command):
    out = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
    lines = sorted(line.rstrip(b"/") for line in out.splitlines())
    return hashlib.md5(b"\n".join(lines)).hexdigest(), len(lines)


def check_same(name, commands, exact):
    """Every tool must list the same folders, or the race is not a fair one. On a real system
    folder the tools differ on links to folders (quorvane-list walks them, the floors do not),
    so there only the counts are shown."""
    results = {tool: listing(command) for tool, command in commands.items()}
    reference = results["quorvane-list"]
    for tool, result in results.items():
        if exact and result[0] != reference[0]:
            sys.exit("walk_bench: on %s, %s lists other folders than quorvane-list" % (name, tool))
    if not exact:
        print("  folders listed: " + ", ".join("%s %d" % (t, r[1]) for t, r in results.items()))


def measure(commands, rounds, cold):
    samples = {tool: [] for tool in commands}
    names = list(commands)
    for r in range(rounds):
        for k in range(len(names)):
            tool = names[(k + r) % len(names)]
            if cold:
                drop_cache()
            samples[tool].append(run(commands[tool]))
    return samples


def report(samples):
    def median_wall(tool):
        return statistics.median(s[0] for s in samples[tool]) if tool in samples else 0

    find_wall = median_wall("find")
    floor_wall = median_wall("floor, 2 threads")
    find_cpu = statistics.median(s[1] for s in samples["find"]) if "find" in samples else 0
    print("  %-20s %9s %7s %8s %9s %7s %9s %7s" % ("tool", "wall ms", "÷ find", "÷ floor2",
                                                  "CPU ms", "÷ find", "peak MiB", "threads"))
    for tool, runs in samples.items():
        wall = median_wall(tool)
        cpu = statistics.median(s[1] for s in runs)
        peak = max(s[2] for s in runs) / 1024
        threads = max(s[3] for s in runs)
        print("  %-20s %9.1f %7.2f %8.2f %9.1f %7.2f %9.1f %7d"
              % (tool, wall * 1000, wall / find_wall if find_wall else 0,
                 wall / floor_wall if floor_wall else 0, cpu * 1000,
                 cpu / find_cpu if find_cpu else 0, peak, threads))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", required=True, help="the quorvane-list to time")
    parser.add_argument("--floor", required=True, help="the bare getdents64 walker")
    parser.add_argument("--shared-floor", required=True,
                        help="the bare walker whose threads share the walk")
    parser.add_argument("--tree", action="append", required=True, metavar="NAME=PATH[:real]",
                        help="a tree to walk; ':real' marks one whose folder lists differ")
    parser.add_argument("--caches", default="warm,cold")
    parser.add_argument("--only", help="the tools to time, by name, separated by commas")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--cold-rounds", type=int, default=1)
    args = parser.parse_args()

    cold_possible = "cold" in args.caches.split(",") and can_drop_cache()
    for tree in args.tree:
        name, path = tree.split("=", 1)
        exact = not path.endswith(":real")
        path = path.removesuffix(":real")
        # On a real folder the floors list fewer (they neither follow links nor check for
        # loops): only the counts are compared there.
        commands = tools(args, path)
        if args.only:
            commands = {tool: commands[tool] for tool in args.only.split(",")}
        print("\n%s (%s)" % (name, path))
        check_same(name, commands, exact)
        for cache in args.caches.split(","):
            if cache == "cold" and not cold_possible:
                print("  cold: skipped, the page cache cannot be dropped here (it takes root)")
                continue
            if cache == "warm":
                measure(commands, 1, False)  # warm the cache and the binaries
            rounds = args.rounds if cache == "warm" else args.cold_rounds
            print("  %s cache, median of %d" % (cache, rounds))
            report(measure(commands, rounds, cache == "cold"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
