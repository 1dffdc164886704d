// The stores of the results list under a memory that runs out: an append that cannot have the
// memory it needs throws and leaves the store as it was, at whichever of its allocations the
// system refuses, so that every entry after it still reads back as it was appended.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "engine/path_rules.h"
#include "refused_allocation.h"
#include "results/folder_list.h"
#include "results/path_list.h"

namespace quorvane {
namespace {

using test::RefusedAllocation;

// A walk's list of some 70,000 folders, each folder after its subfolders: enough for a second
// chunk of every array of the stores, and names long enough now and then to need more than one
// block of names.
std::vector<std::string> WalkOfManyFolders() {
    const std::string top = std::string(1, kSeparator) + "drive";
    std::vector<std::string> paths;
    for (int a = 0; a < 70; ++a) {
        const std::string folder = top + kSeparator + "folder " + std::to_string(a);
        for (int b = 0; b < 1000; ++b) {
            std::string name = "sub" + std::to_string(b);
            if (b % 50 == 0) name += std::string(1200, 'x');
            paths.push_back(folder + kSeparator + name);
        }
        paths.push_back(folder);
    }
    return paths;
}

// Appends each path, refusing first the first allocation the append makes, then the second,
// and so on until the append needs no more: each refusal must leave the store as it was.
template <typename Store, typename Read>
void AppendRefusingEachAllocation(Store& store, const std::vector<std::string>& paths, Read read) {
    size_t refusals = 0;
    for (const std::string& path : paths) {
        for (long nth = 1;; ++nth) {
            const size_t before = store.size();
            const std::string last = before > 0 ? std::string(read(store, before - 1)) : "";
            bool refused = false;
            try {
                RefusedAllocation refuse(nth);
                store.append(path);
                refused = refuse.refused();
            } catch (const std::bad_alloc&) {
                ++refusals;
                ASSERT_EQ(store.size(), before) << path << ", allocation " << nth;
                if (before > 0) {
                    ASSERT_EQ(read(store, before - 1), last) << path;
                }
                continue;
            }
            if (!refused) break;
        }
    }
    EXPECT_GT(refusals, 10u);
    ASSERT_EQ(store.size(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        ASSERT_EQ(read(store, i), paths[i]) << "entry " << i;
}

TEST(RefusedAllocation, EachStoreOfTheListStaysWholeWhicheverAllocationIsRefused) {
    const std::vector<std::string> paths = WalkOfManyFolders();
    {
        SCOPED_TRACE("FolderList");
        FolderList folders;
        AppendRefusingEachAllocation(folders, paths,
                                     [](const FolderList& list, size_t i) { return list.path(i); });
    }
    {
        SCOPED_TRACE("PathList");
        PathList whole;
        AppendRefusingEachAllocation(
            whole, paths, [](const PathList& list, size_t i) { return std::string(list[i]); });
    }
}

}  // namespace
}  // namespace quorvane
