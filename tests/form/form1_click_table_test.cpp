#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "form/form1.h"

namespace quorvane::test {
namespace {

TEST(Form1ClickTable, EveryOptionAndPushButtonIsRoutedOnceAndNothingElse) {
    std::map<Control, int> routes;
    for (const Form1::ClickRoute& route : Form1::ClickTable())
        ++routes[route.control];
    size_t clickable = 0;
    for (const ControlLayout& c : Form1Layout()) {
        SCOPED_TRACE(c.name);
        const bool clicks = c.kind == ControlKind::Option || c.kind == ControlKind::PushButton;
        EXPECT_EQ(routes[c.control], clicks ? 1 : 0);
        clickable += clicks;
    }
    EXPECT_EQ(Form1::ClickTable().size(), clickable) << "a route for a control that takes no click";
}

TEST(Form1ClickTable, EachPushButtonRunsAHandlerOfItsOwn) {
    std::vector<void (Form1::*)()> handlers;
    for (const Form1::ClickRoute& route : Form1::ClickTable()) {
        if (LayoutOf(route.control).kind != ControlKind::PushButton) continue;
        SCOPED_TRACE(LayoutOf(route.control).name);
        EXPECT_EQ(std::count(handlers.begin(), handlers.end(), route.handler), 0);
        handlers.push_back(route.handler);
    }
}

}  // namespace
}  // namespace quorvane::test
