#include "results/zip_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "results/scratch_folder.h"
#include "support/zip_reader.h"

namespace quorvane {
namespace {

using testing::ScratchFolder;

// Text that compresses poorly, so the compressed member spans many output buffers.
std::string NoisyText(size_t length) {
    std::mt19937 random(7);
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text.push_back(static_cast<char>('a' + random() % 26));
    return text;
}

TEST(ZipWriter, MembersReadBackWithTheirHeadsFilledInAtTheEnd) {
    ScratchFolder folder;
    const std::string archive = folder.file("archive.zip");
    const std::string noise = NoisyText(1 << 20);
    {
        AtomicFile file(archive);
        ZipWriter zip(file);
        ASSERT_TRUE(file.open().ok());
        ASSERT_TRUE(zip.beginMember("first.xml", 8).ok());
        ASSERT_TRUE(zip.write("body ").ok());
        ASSERT_TRUE(zip.write(noise).ok());
        ASSERT_TRUE(zip.endMember("the head").ok());
        ASSERT_TRUE(zip.addMember("dir/small.txt", "small").ok());
        ASSERT_TRUE(zip.addMember("empty", "").ok());
        ASSERT_TRUE(zip.beginMember("only-head", 4).ok());
        ASSERT_TRUE(zip.endMember("head").ok());
        ASSERT_TRUE(zip.finish().ok());
        ASSERT_TRUE(file.commit().ok());
    }
    EXPECT_EQ(test::ZipMemberNames(archive),
              (std::vector<std::string>{"first.xml", "dir/small.txt", "empty", "only-head"}));
    EXPECT_EQ(test::ZipMember(archive, "first.xml"), "the headbody " + noise);
    EXPECT_EQ(test::ZipMember(archive, "dir/small.txt"), "small");
    EXPECT_EQ(test::ZipMember(archive, "empty"), "");
    EXPECT_EQ(test::ZipMember(archive, "only-head"), "head");
    // A reader of another make agrees: every member's data and CRC are sound.
    EXPECT_TRUE(test::OtherReaderAccepts(archive));
}

TEST(ZipWriter, HeadOfTheWrongSizeFailsAndNothingIsLeft) {
    ScratchFolder folder;
    {
        AtomicFile file(folder.file("archive.zip"));
        ZipWriter zip(file);
        ASSERT_TRUE(file.open().ok());
        ASSERT_TRUE(zip.beginMember("sheet.xml", 8).ok());
        const Status failure = zip.endMember("too long a head");
        EXPECT_EQ(failure.failure(), Status::Failure::Inconsistent);
        EXPECT_EQ(zip.addMember("later", "nothing after a failure").failure(),
                  Status::Failure::Inconsistent);
        EXPECT_EQ(zip.finish().failure(), Status::Failure::Inconsistent);
    }
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace
}  // namespace quorvane
