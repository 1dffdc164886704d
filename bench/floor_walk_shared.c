// The least a walker on several threads can do for the same folders, as a second yardstick for
// quorvane-list: each thread walks depth first from a stack of its own, opening each folder
// relative to its parent's descriptor, and hands the older half of its stack to a shared pool
// only when another thread is idle. Like floor_walk.c it reads entry types from d_type alone,
// stats nothing, checks nothing for loops and skips errors; unlike it, it keeps no order: it
// prints the same folders, in the order the threads meet them. Linux only; not a tool, only a
// measure.
//
//   floor_walk_shared [-j THREADS] FOLDER     (2 threads by default)

#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

// A folder that was read, held open while subfolders of it wait on some stack.
struct folder {
    int fd;
    atomic_int waiting;  // its subfolders not yet opened, plus one while it is being read
    char* path;          // with a '/' at the end
};

// A subfolder to walk: its parent and its name.
struct item {
    struct folder* parent;
    char* name;
};

struct stack {
    struct item* items;
    size_t count, capacity;
};

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t wake = PTHREAD_COND_INITIALIZER;
static struct stack pool;
static atomic_int idle;
static int threads = 2;
static int done;

static void push(struct stack* stack, struct item item) {
    if (stack->count == stack->capacity) {
        stack->capacity = stack->capacity ? 2 * stack->capacity : 256;
        stack->items = realloc(stack->items, stack->capacity * sizeof *stack->items);
    }
    stack->items[stack->count++] = item;
}

static void release(struct folder* folder) {
    if (atomic_fetch_sub(&folder->waiting, 1) != 1) return;
    close(folder->fd);
    free(folder->path);
    free(folder);
}

// Output of one thread, written out in large pieces under the lock.
struct output {
    char bytes[1 << 16];
    size_t used;
};

static void flush(struct output* out) {
    pthread_mutex_lock(&lock);
    fwrite(out->bytes, 1, out->used, stdout);
    pthread_mutex_unlock(&lock);
    out->used = 0;
}

static void print(struct output* out, const char* path, size_t length) {
    if (out->used + length + 1 > sizeof out->bytes) flush(out);
    memcpy(out->bytes + out->used, path, length);
    out->bytes[out->used + length] = '\n';
    out->used += length + 1;
}

// Reads the folder open as `fd`, pushing its subfolders; takes `path` over.
static void readFolder(int fd, char* path, struct stack* own, char* buffer) {
    struct folder* folder = malloc(sizeof *folder);
    folder->fd = fd;
    folder->path = path;
    atomic_init(&folder->waiting, 1);
    ssize_t got;
    while ((got = getdents64(fd, buffer, 32 * 1024)) > 0) {
        for (ssize_t offset = 0; offset < got;) {
            const struct dirent64* entry = (const void*)(buffer + offset);
            offset += entry->d_reclen;
            if (entry->d_name[0] == '.' || entry->d_type != DT_DIR) continue;
            atomic_fetch_add(&folder->waiting, 1);
            push(own, (struct item){folder, strdup(entry->d_name)});
        }
    }
    release(folder);
}

// Opens and reads one subfolder, printing it and pushing its own subfolders.
static void walk(struct item item, struct stack* own, struct output* out, char* buffer) {
    struct folder* parent = item.parent;
    const size_t parentLength = strlen(parent->path);
    const size_t nameLength = strlen(item.name);
    char* path = malloc(parentLength + nameLength + 2);
    memcpy(path, parent->path, parentLength);
    memcpy(path + parentLength, item.name, nameLength);
    print(out, path, parentLength + nameLength);
    path[parentLength + nameLength] = '/';
    path[parentLength + nameLength + 1] = '\0';
    const int fd = openat(parent->fd, item.name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    free(item.name);
    release(parent);
    if (fd < 0) {
        free(path);
        return;
    }
    readFolder(fd, path, own, buffer);
}

// Moves the older half of `own` to the pool, for an idle thread.
static void handOut(struct stack* own) {
    const size_t given = own->count / 2;
    pthread_mutex_lock(&lock);
    for (size_t i = 0; i < given; ++i)
        push(&pool, own->items[i]);
    memmove(own->items, own->items + given, (own->count - given) * sizeof *own->items);
    own->count -= given;
    pthread_cond_broadcast(&wake);
    pthread_mutex_unlock(&lock);
}

static void* work(void* start) {
    struct stack own = {0};
    if (start) own = *(struct stack*)start;
    struct output* out = malloc(sizeof *out);
    out->used = 0;
    char* buffer = malloc(32 * 1024);
    for (;;) {
        while (own.count > 0) {
            walk(own.items[--own.count], &own, out, buffer);
            if (atomic_load_explicit(&idle, memory_order_relaxed) > 0 && own.count > 1)
                handOut(&own);
        }
        pthread_mutex_lock(&lock);
        atomic_fetch_add(&idle, 1);
        while (pool.count == 0 && !done) {
            if (atomic_load(&idle) == threads) {
                done = 1;
                pthread_cond_broadcast(&wake);
                break;
            }
            pthread_cond_wait(&wake, &lock);
        }
        if (done) {
            pthread_mutex_unlock(&lock);
            break;
        }
        atomic_fetch_sub(&idle, 1);
        const size_t taken = pool.count < 8 ? pool.count : pool.count / 2;
        for (size_t i = 0; i < taken; ++i)
            push(&own, pool.items[--pool.count]);
        pthread_mutex_unlock(&lock);
    }
    flush(out);
    free(out);
    free(buffer);
    free(own.items);
    return NULL;
}

int main(int argc, char** argv) {
    int first = 1;
    if (argc == 4 && strcmp(argv[1], "-j") == 0) {
        threads = atoi(argv[2]);
        first = 3;
    }
    if (argc != first + 1 || threads < 1) return 2;
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    const int root = open(argv[first], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0) return 1;
    const size_t length = strlen(argv[first]);
    char* path = malloc(length + 2);
    memcpy(path, argv[first], length + 1);
    if (length == 0 || path[length - 1] != '/') strcpy(path + length, "/");
    struct stack start = {0};
    char* buffer = malloc(32 * 1024);
    readFolder(root, path, &start, buffer);
    free(buffer);
    pthread_t others[256];
    for (int i = 1; i < threads && i < 256; ++i)
        pthread_create(&others[i], NULL, work, NULL);
    work(&start);
    for (int i = 1; i < threads && i < 256; ++i)
        pthread_join(others[i], NULL);
    return 0;
}
