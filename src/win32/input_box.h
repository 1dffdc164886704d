#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

// A modal box that asks for one line of text: the prompt, an empty entry field, OK and
// Cancel, as the classic input box lays them out. The answer as typed, or nothing on Cancel.
std::optional<std::wstring> ShowInputBox(HWND owner, const std::wstring& prompt,
                                         const std::wstring& title);

// The control identifiers of the box, for programs that drive it.
inline constexpr int kInputBoxPrompt = 4001;
inline constexpr int kInputBoxEntry = 4002;

}  // namespace quorvane
