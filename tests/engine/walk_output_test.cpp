// The records a thread writes for a part of the list that another thread hands on later, and
// the order of the parts handed out.

#include "engine/walk_output.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/folder_node.h"
#include "engine/walk_task.h"

namespace quorvane {
namespace {

// Writes down each record it is handed, every field of it.
class Transcript : public WalkOutput {
  public:
    void block(const BlockRecord& record) override {
        text += "block " + std::to_string(record.level) + " " +
                std::to_string(record.indexInParent) + " [" + std::string(record.folderPath) + "]";
        for (size_t i = 0; i < record.names.count(); ++i) {
            text += " [" + std::string(record.names.name(i)) + "]";
            if (record.names.throughLink(i)) text += "->";
        }
        if (record.facts) {
            const FolderFacts& facts = *record.facts;
            text += " facts " + std::to_string(facts.entries) + " " + std::to_string(facts.files) +
                    " " + std::to_string(facts.folders) + " " + std::to_string(facts.bytes) + " " +
                    (facts.modified ? std::to_string(*facts.modified) : "-");
        }
        text += "\n";
    }
    void unreadable(std::string_view folderPath, Status why) override {
        text += "unreadable [" + std::string(folderPath) + "] " +
                std::to_string(static_cast<int>(why.failure())) + " " + std::to_string(why.code()) +
                "\n";
    }
    std::string text;
};

TEST(WalkRecords, EveryFieldComesBackAsWrittenInOrder) {
    FolderContents awkward;
    awkward.add("plain", false);
    awkward.add("caf\xe9 \xff\xfe", false);
    awkward.add("line\nbreak", true);
    awkward.add(std::string(300, 'n'), false);
    FolderFacts facts{7, 3, 4, 1ull << 40, -86400};
    FolderFacts undated{1, 1, 0, 0, std::nullopt};

    Transcript direct;
    RecordWriter writer;
    for (WalkOutput* output :
         {static_cast<WalkOutput*>(&direct), static_cast<WalkOutput*>(&writer)}) {
        output->block({3, 41, "/t/a/b/", awkward.names(), facts});
        output->block({0, 0, "/", FolderContents().names(), undated});
        output->unreadable("/t/gone/", Status::system(2));
        output->block({1, 5, "/t/x/", awkward.names(), std::nullopt});
        output->unreadable("/t/big/", Status::of(Status::Failure::OutOfMemory));
    }
    Transcript replayed;
    ReplayRecords(writer.bytes(), replayed, [] { return false; });
    EXPECT_EQ(replayed.text, direct.text);
    EXPECT_NE(direct.text.find("[caf\xe9 \xff\xfe] [line\nbreak]-> [nnn"), std::string::npos);

    // Replaying stops once it is told to, between two records.
    Transcript first;
    first.block({3, 41, "/t/a/b/", awkward.names(), facts});
    Transcript stopped;
    ReplayRecords(writer.bytes(), stopped, [&] { return !stopped.text.empty(); });
    EXPECT_EQ(stopped.text, first.text);
}

// T holds A and B; A holds A1 and A2. EntersBefore follows the walk's own order: depth first,
// a folder before what is below it, and siblings in their block's order.
TEST(WalkTasks, PartsAreOrderedAsTheWalkEntersThem) {
    auto node = [](std::shared_ptr<const FolderNode> parent, size_t index) {
        auto made = std::make_shared<FolderNode>();
        made->parent = parent;
        made->indexInParent = index;
        made->level = parent ? parent->level + 1 : 0;
        return std::shared_ptr<const FolderNode>(made);
    };
    const auto t = node(nullptr, 0);
    const auto a = node(t, 0);
    const auto b = node(t, 1);
    const auto a1 = node(a, 0);
    struct Case {
        const FolderNode* first;
        size_t i;
        const FolderNode* second;
        size_t j;
        bool before;
    };
    const Case cases[] = {
        {t.get(), 0, t.get(), 1, true},                                     // A before B
        {t.get(), 1, t.get(), 0, false},  {a.get(), 1, t.get(), 1, true},   // A2 (below A) before B
        {t.get(), 1, a.get(), 1, false},  {t.get(), 0, a.get(), 0, true},   // A before its own A1
        {a.get(), 0, t.get(), 0, false},  {a1.get(), 3, a.get(), 1, true},  // below A1 before A2
        {b.get(), 0, a1.get(), 0, false},  // below B after below A1
        {a.get(), 1, a.get(), 1, false},   // not before itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.first->level << ":" << c.i << " vs " << c.second->level << ":" << c.j);
        EXPECT_EQ(EntersBefore(c.first, c.i, c.second, c.j), c.before);
    }
}

}  // namespace
}  // namespace quorvane
