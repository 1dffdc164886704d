#pragma once

// The resources built into quorvane.exe (quorvane.rc), and shared with it.
#define QUORVANE_ICON_ID 1

#ifdef __cplusplus
namespace quorvane {
// The program's icon: the first icon of the program file, which Windows shows for it too.
inline constexpr int kProgramIconId = QUORVANE_ICON_ID;
}  // namespace quorvane
#endif
