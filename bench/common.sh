# What the benchmark scripts share; each sources it from the project's top folder. The builds
# they time, and the trees they make.

# The programs as a user builds them (build/): the window, quorvane-list and the window's
# benchmark programs, with debug information.
build_window() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j2 --target "$@" >/dev/null
}

# quorvane-list as the package builds it, without the window (build/bench/).
build_list() {
    cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=OFF \
        >/dev/null
    cmake --build build/bench -j2 --target "$@" >/dev/null
}

# The Windows programs and benchmarks exactly as scripts/test-windows.sh configures
# build/windows, so that the two share it without building everything again.
build_windows() {
    cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
        -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_TESTS=ON -DQUORVANE_WERROR=ON >/dev/null
    cmake --build build/windows -j2 --target "$@" >/dev/null
}

# The tree of the window's benchmarks in FOLDER, made once: fan-out 10, six levels, 1,111,110
# folders. Prints its path.
million_tree() {
    local tree="$1/quorvane-bench-million"
    python3 bench/make_tree.py "$tree" --levels 6 --fanout 10 >&2
    echo "$tree"
}
