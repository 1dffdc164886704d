// The run of a list with names that only POSIX can hold.

#include <gtest/gtest.h>

#include "form1_run_fixture.h"

namespace quorvane::test {
namespace {

using Entries = std::vector<std::string>;

TEST_F(Form1Run, NamesKeepEveryByteEvenLineBreaksAndNonUtf8) {
    for (const std::string name : {"two\nlines", "latin1-\xE9t\xE9", "tab\there"})
        MakeFolder(tree.path("F/" + name));
    Form1& form = loadWithFolder(tree.path("F"));
    form.startList();
    Entries expected;
    for (const std::string& name : ListedNames(tree.path("F")))
        expected.push_back(tree.path("F/" + name));
    EXPECT_EQ(ResultEntries(form), expected);
    EXPECT_EQ(form.results().count(), 3);
}

}  // namespace
}  // namespace quorvane::test
