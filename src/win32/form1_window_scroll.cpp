// A screen too small for the window: a small one at a high dpi, where the window's fixed layout,
// grown with the dpi, would put its bottom buttons or its title bar off the screen. The window
// then takes the work area and scrolls, keeping the layout as designed, and the control that
// the keyboard reaches is scrolled into view.

#include <algorithm>
#include <optional>

#include "win32/form1_window.h"

namespace quorvane {

namespace {

// One click on a scroll bar's arrow, or a third of a notch of the wheel.
constexpr int kScrollLineTwips = 240;

// None where the window has no such bar.
std::optional<SCROLLINFO> ScrollInfoOf(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, bar, &info)) return std::nullopt;
    return info;
}

}  // namespace

void Form1Window::placeWithinWorkArea(SIZE size) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG roomWidth = work.right - work.left;
    const LONG roomHeight = work.bottom - work.top;
    // Each bar takes room from the other direction, which may then need a bar of its own.
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    bool vertical = size.cy > roomHeight;
    const bool horizontal = size.cx + (vertical ? barWidth : 0) > roomWidth;
    vertical = vertical || size.cy + (horizontal ? barHeight : 0) > roomHeight;
    size.cx = std::min(size.cx + (vertical ? barWidth : 0), roomWidth);
    size.cy = std::min(size.cy + (horizontal ? barHeight : 0), roomHeight);
    SetWindowPos(window_, nullptr, work.left + (roomWidth - size.cx) / 2,
                 work.top + (roomHeight - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!vertical && !horizontal) return;

    // Twice: showing one bar narrows the room that the other one pages through.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window_, &client);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        if (vertical) {
            info.nMax = pixels(kFormClientHeight) - 1;
            info.nPage = static_cast<UINT>(client.bottom);
            SetScrollInfo(window_, SB_VERT, &info, TRUE);
        }
        if (horizontal) {
            info.nMax = pixels(kFormClientWidth) - 1;
            info.nPage = static_cast<UINT>(client.right);
            SetScrollInfo(window_, SB_HORZ, &info, TRUE);
        }
    }
}

void Form1Window::onScroll(int bar, int request) {
    const std::optional<SCROLLINFO> info = ScrollInfoOf(window_, bar);
    if (!info) return;
    const int line = pixels(kScrollLineTwips);
    const int page = static_cast<int>(info->nPage);
    switch (request) {
        case SB_LINEUP:  // and SB_LINELEFT, as each request below has its twin
            return scrollTo(bar, info->nPos - line);
        case SB_LINEDOWN:
            return scrollTo(bar, info->nPos + line);
        case SB_PAGEUP:
            return scrollTo(bar, info->nPos - page);
        case SB_PAGEDOWN:
            return scrollTo(bar, info->nPos + page);
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return scrollTo(bar, info->nTrackPos);
        case SB_TOP:
            return scrollTo(bar, info->nMin);
        case SB_BOTTOM:
            return scrollTo(bar, info->nMax);
        default:
            return;
    }
}

void Form1Window::onWheel(int delta) {
    if (const std::optional<SCROLLINFO> info = ScrollInfoOf(window_, SB_VERT)) {
        scrollTo(SB_VERT, info->nPos - delta * 3 * pixels(kScrollLineTwips) / WHEEL_DELTA);
    }
}

void Form1Window::scrollTo(int bar, int position) {
    std::optional<SCROLLINFO> found = ScrollInfoOf(window_, bar);
    if (!found) return;
    SCROLLINFO& info = *found;
    const int last = std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1);
    position = std::clamp(position, info.nMin, last);
    const int moved = info.nPos - position;
    if (moved == 0) return;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(window_, bar, &info, TRUE);
    ScrollWindowEx(window_, bar == SB_HORZ ? moved : 0, bar == SB_VERT ? moved : 0, nullptr,
                   nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void Form1Window::scrollIntoView(HWND control) {
    if (!control || !IsChild(window_, control)) return;
    if (!(GetWindowLongW(window_, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL))) return;
    // A part of a control (the list's heading) shows with the whole.
    while (GetParent(control) != window_)
        control = GetParent(control);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    RECT client{};
    GetClientRect(window_, &client);
    // Its far edge into view, unless that would take its near edge out.
    const auto bring = [this](int bar, LONG nearEdge, LONG farEdge, LONG room) {
        const std::optional<SCROLLINFO> info = ScrollInfoOf(window_, bar);
        if (!info) return;
        if (nearEdge < 0) {
            scrollTo(bar, info->nPos + nearEdge);
        } else if (farEdge > room) {
            scrollTo(bar, info->nPos + std::min(farEdge - room, nearEdge));
        }
    };
    bring(SB_VERT, rect.top, rect.bottom, client.bottom);
    bring(SB_HORZ, rect.left, rect.right, client.right);
}

}  // namespace quorvane
