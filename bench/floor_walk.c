// The least a walker can do for the same list, as a yardstick for quorvane-list: every
// visible folder is opened relative to its parent, read with getdents64 and closed, entry
// types come from d_type alone, nothing is ever stat'ed, nothing is checked for loops, and
// errors are skipped silently. It prints the same folders as quorvane-list, in the same
// order. Linux only; not a tool, only a measure.

#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

static char path[1 << 16];
// Each folder's block is read before its subfolders are entered, so one buffer serves every
// level, and a deep chain needs no stack for it.
static char buffer[32 * 1024];

static void walk(int folder, size_t length) {
    // The visible subfolder names of this folder, each ending with a NUL.
    size_t capacity = 4096, used = 0;
    char* names = malloc(capacity);
    ssize_t got;
    while ((got = getdents64(folder, buffer, sizeof buffer)) > 0) {
        for (ssize_t offset = 0; offset < got;) {
            const struct dirent64* entry = (const void*)(buffer + offset);
            offset += entry->d_reclen;
            if (entry->d_name[0] == '.' || entry->d_type != DT_DIR) continue;
            const size_t size = strlen(entry->d_name) + 1;
            if (used + size > capacity) names = realloc(names, capacity *= 2);
            memcpy(names + used, entry->d_name, size);
            used += size;
        }
    }
    for (size_t at = 0; at < used; at += strlen(names + at) + 1) {
        const size_t size = strlen(names + at);
        if (length + size + 1 >= sizeof path) continue;
        const int sub = openat(folder, names + at, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (sub < 0) continue;
        memcpy(path + length, names + at, size);
        path[length + size] = '/';
        walk(sub, length + size + 1);
        close(sub);
    }
    for (size_t at = 0; at < used; at += strlen(names + at) + 1) {
        fwrite(path, 1, length, stdout);
        fputs(names + at, stdout);
        putchar('\n');
    }
    free(names);
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    // One descriptor per level of the chain being walked: as many as the system allows.
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    size_t length = strlen(argv[1]);
    if (length + 2 >= sizeof path) return 2;
    memcpy(path, argv[1], length);
    if (length == 0 || path[length - 1] != '/') path[length++] = '/';
    const int root = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0) return 1;
    walk(root, length);
    return 0;
}
