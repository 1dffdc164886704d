#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "form/readable_highlight.h"
#include "win32/form1_window.h"
#include "win32/wide_text.h"

namespace quorvane {

void Form1Window::columnAdded() {
    const ResultsList& list = form_->results();
    std::wstring heading = Wide(list.columnHeadings().back());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = heading.data();
    ListView_InsertColumn(control(Control::ResultsView), list.columnHeaderCount() - 1, &column);
}

void Form1Window::setResultsColumnWidth(int twips) {
    ListView_SetColumnWidth(control(Control::ResultsView), 0, pixels(twips));
}

void Form1Window::showRowCount(bool keepView) {
    HWND list = control(Control::ResultsView);
    const auto rows = static_cast<int>(form_->results().shownCount());
    // Rows appended at the end leave the rows shown and the scroll position as they are.
    ListView_SetItemCountEx(list, rows, keepView ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0);
    if (!keepView) {
        // The rows moved: no entry is selected any more, as in any list that loses rows. The
        // one row is deselected alone: asked to deselect every row, a list view may visit
        // each of millions.
        if (const int selected = selectedRow(); selected >= 0) {
            ListView_SetItemState(list, selected, 0, LVIS_SELECTED);
        }
        InvalidateRect(list, nullptr, TRUE);
    }
}

int Form1Window::selectedRow() const {
    // A virtual list view keeps its selection as ranges, but finds a selected row by trying
    // each row in turn: millions where none is selected. The one selected row of this list is
    // nearly always the focused one, which it knows at once.
    HWND list = control(Control::ResultsView);
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused >= 0 && ListView_GetItemState(list, focused, LVIS_SELECTED)) return focused;
    if (ListView_GetSelectedCount(list) == 0) return -1;
    return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

void Form1Window::rowsAppended() {
    showRowCount(true);
}

void Form1Window::rowRemoving(size_t row) {
    removedSelectedRow_ = selectedRow() == static_cast<int>(row) ? static_cast<int>(row) : -1;
}

// The entry that took the removed one's place (or the last) is selected, as in the Qt window:
// a second Delete removes it.
void Form1Window::rowRemoved() {
    showRowCount(false);
    const auto rows = static_cast<int>(form_->results().shownCount());
    if (removedSelectedRow_ >= 0 && rows > 0) {
        HWND list = control(Control::ResultsView);
        const int next = std::min(removedSelectedRow_, rows - 1);
        constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(list, next, kChosen, kChosen);
        ListView_EnsureVisible(list, next, FALSE);
    }
    removedSelectedRow_ = -1;
}

void Form1Window::reset() {
    showRowCount(false);
}

void Form1Window::fillRowText(NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.iSubItem != 0) return;
    const ResultsList& list = form_->results();
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= list.shownCount()) return;
    // The list copies the text before it asks for the next row.
    rowText_ = Wide(list.entries().path(static_cast<size_t>(item.iItem)));
    item.pszText = rowText_.data();
}

LRESULT Form1Window::drawRow(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    HWND list = control(Control::ResultsView);
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
    if (!ListView_GetItemState(list, row, LVIS_SELECTED)) return CDRF_DODEFAULT;
    // The list would draw the selection in these colours itself; drawn as a plain row in
    // them, the highlight can be made readable.
    const bool focused = GetFocus() == list;
    const COLORREF text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    const COLORREF back = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const auto rgb = [](COLORREF colour) {
        return std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 |
               GetBValue(colour);
    };
    const std::uint32_t readable = ReadableHighlight(rgb(back), rgb(text));
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
    draw.clrText = text;
    draw.clrTextBk = RGB(readable >> 16, (readable >> 8) & 0xff, readable & 0xff);
    return CDRF_DODEFAULT;
}

std::int64_t Form1Window::selectedResult() const {
    return selectedRow() + 1;
}

}  // namespace quorvane
