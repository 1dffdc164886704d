#pragma once

// Windows only: a drive of this computer that holds only what a test puts there. Under Wine
// the build gives the prefix the drives c:, d: (labelled SCRATCH and empty, for these tests
// only) and p: (the programs); the tests that use it hold a lock on the drives.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/fixture_tree.h"
#include "support/wide_text.h"

namespace quorvane::test {

// Skips the test where there is no such drive.
class ScratchDrive : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t label[MAX_PATH + 1] = {};
        if (!GetVolumeInformationW(L"D:\\", label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                   0) ||
            std::wstring(label) != L"SCRATCH") {
            GTEST_SKIP() << "no scratch drive d: (the Wine prefix of the Windows build has one)";
        }
        clear();
    }
    void TearDown() override { clear(); }

    void clear() {
        for (const char* made : {"Alpha", "Beta", "Hidden", "System", "file.txt"}) {
            const std::string path = root + made;
            const DWORD attributes = GetFileAttributesW(LongForm(path).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) continue;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(LongForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(LongForm(path).c_str());
            }
        }
    }

    void build() {
        MakeFolders(root + "Alpha\\One\\Deep");
        MakeFolder(root + "Alpha\\Two");
        MakeFolders(root + "Beta\\Inner");
        MakeFolders(root + "Hidden\\Inside");
        SetAttributes(root + "Hidden", FILE_ATTRIBUTE_HIDDEN);
        MakeFolder(root + "System");
        SetAttributes(root + "System", FILE_ATTRIBUTE_SYSTEM);
        MakeFile(root + "file.txt", "x");
    }

    // The root as the drive list writes it.
    const std::string root = "d:\\";
};

}  // namespace quorvane::test
