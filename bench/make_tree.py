#!/usr/bin/env python3
"""Builds a synthetic folder tree for the walk benchmarks.

The tree grows breadth first from ROOT until it holds about --folders folders: each folder
gets a random number of subfolders around --fanout, a few of them hidden (a leading dot,
with subtrees of their own that no walker here should enter), and some folders hold files.
With --chain N it is one chain of N nested folders instead, for the memory of deep walks; with
--wide N one folder holding N subfolders; with --levels N a regular tree of N levels in which
every folder above the last holds exactly --fanout subfolders, "folder LEVEL-NN" (fan-out 10
and 6 levels: the 1,111,110 folders of the window's benchmarks).
The same arguments always give the same tree. A marker file in ROOT records the arguments,
so a second call with the same ones does nothing.
"""

import argparse
import collections
import os
import random
import shutil
import sys


def build(root, folders, fanout, seed, file_share):
    rng = random.Random(seed)
    os.makedirs(root)
    queue = collections.deque([root])
    made = visible = files = 0
    while queue and made < folders:
        parent = queue.popleft()
        for i in range(rng.randint(max(1, fanout - 5), fanout + 5)):
            if made >= folders:
                break
            if rng.random() < 0.04:
                name = ".hidden%02d" % i
            elif rng.random() < 0.1:
                name = "Folder with spaces %02d" % i
            else:
                name = "d%02d" % i
            path = os.path.join(parent, name)
            os.mkdir(path)
            made += 1
            if not name.startswith("."):
                visible += 1
            queue.append(path)
            if rng.random() < file_share:
                for k in range(rng.randint(1, 3)):
                    open(os.path.join(path, "file%d.txt" % k), "wb").close()
                    files += 1
    return made, visible, files


def build_chain(root, levels):
    # Made through descriptors, so the chain may grow beyond the longest path the
    # system accepts in one call.
    os.makedirs(root)
    fd = os.open(root, os.O_RDONLY)
    for _ in range(levels):
        os.mkdir("d", dir_fd=fd)
        child = os.open("d", os.O_RDONLY, dir_fd=fd)
        os.close(fd)
        fd = child
    os.close(fd)
    return levels, levels, 0


def build_regular(root, levels, fanout):
    os.makedirs(root)
    made = 0

    def make(path, level):
        nonlocal made
        for i in range(fanout):
            child = os.path.join(path, "folder %d-%02d" % (level, i))
            os.mkdir(child)
            made += 1
            if level < levels:
                make(child, level + 1)

    make(root, 1)
    return made, made, 0


def build_wide(root, count):
    os.makedirs(root)
    for i in range(count):
        os.mkdir(os.path.join(root, "w%07d" % i))
    return count, count, 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--folders", type=int, default=200_000)
    parser.add_argument("--fanout", type=int, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--file-share", type=float, default=0.1,
                        help="the share of folders that hold a few files")
    parser.add_argument("--chain", type=int, default=0,
                        help="instead of the tree, one chain of this many nested folders")
    parser.add_argument("--wide", type=int, default=0,
                        help="instead of the tree, one folder with this many subfolders")
    parser.add_argument("--levels", type=int, default=0,
                        help="instead of the tree, a regular one of this many levels")
    args = parser.parse_args()

    marker = os.path.join(args.root, ".tree-arguments")
    wanted = "%d %d %d %g %d %d" % (args.folders, args.fanout, args.seed, args.file_share,
                                     args.chain, args.wide)
    wanted += (" %d" % args.levels if args.levels else "") + "\n"
    if os.path.exists(marker):
        with open(marker) as f:
            if f.read() == wanted:
                print("tree ready at %s" % args.root)
                return 0
    if os.path.exists(args.root):
        if not os.path.exists(marker):
            sys.exit("%s exists and was not made by this script; not touching it" % args.root)
        shutil.rmtree(args.root)
    if args.chain:
        made, visible, files = build_chain(args.root, args.chain)
    elif args.wide:
        made, visible, files = build_wide(args.root, args.wide)
    elif args.levels:
        made, visible, files = build_regular(args.root, args.levels, args.fanout)
    else:
        made, visible, files = build(args.root, args.folders, args.fanout, args.seed,
                                     args.file_share)
    with open(marker, "w") as f:
        f.write(wanted)
    print("made %s: %d folders (%d not hidden themselves), %d files"
          % (args.root, made, visible, files))
    return 0


if __name__ == "__main__":
    sys.exit(main())
