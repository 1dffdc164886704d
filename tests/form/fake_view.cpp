#include "fake_view.h"

namespace quorvane::test {

FakeView::FakeView() {
    texts[Control::Window] = kWindowName;
    for (const ControlLayout& c : Form1Layout()) {
        texts[c.control] = c.caption ? c.caption : "";
        if (c.kind == ControlKind::Option) checked[c.control] = false;
    }
    for (const Control option : kInitialChoice)
        checked[option] = true;
}

void FakeView::setChecked(Control option, bool value) {
    if (value) {
        const Control frame = LayoutOf(option).container;
        for (auto& [other, on] : checked) {
            if (LayoutOf(other).container == frame) on = false;
        }
    }
    checked.at(option) = value;
}

void FakeView::setText(Control control, const std::string& text) {
    std::string& shown = texts.at(control);
    if (shown == text) return;
    shown = text;
    if (LayoutOf(control).kind == ControlKind::TextBox && form) form->textChanged(control);
}

void FakeView::showDrives(const std::vector<std::string>& texts, int currentDrive) {
    driveTexts = texts;
    current = currentDrive;
}

bool FakeView::loadMouseIcon(const std::string& cursorFile) {
    if (!cursorFilesLoad) return false;
    mouseIcon = cursorFile;
    return true;
}

void FakeView::processEvents() {
    ++passes;
    std::deque<std::function<void()>> due;
    due.swap(pending_);
    for (auto& action : due)
        action();
}

void FakeView::waitForEvents() {
    if (pending_.empty()) {
        std::unique_lock lock(wakeMutex_);
        woken_.wait(lock, [&] { return wakeCalled_; });
        wakeCalled_ = false;
    }
    processEvents();
}

void FakeView::wake() {
    {
        std::lock_guard lock(wakeMutex_);
        wakeCalled_ = true;
    }
    woken_.notify_one();
}

}  // namespace quorvane::test
