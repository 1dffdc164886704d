#pragma once

#include <QByteArray>

namespace quorvane {

// The platform theme to ask Qt for so that the file dialogs are the desktop's own, or an empty
// text to leave Qt's own choice. `desktop` is XDG_CURRENT_DESKTOP, `chosenTheme`
// QT_QPA_PLATFORMTHEME (the user's choice, always kept).
//
// On GNOME and its kin Qt takes GTK's theme by itself (qt6-gtk-platformtheme gives it). KDE
// Plasma's own theme is not there for Qt 6 on every system, so there the dialogs come through
// the desktop portal (qt6-xdgdesktopportal-platformtheme); without a portal, that theme hands
// the dialogs back to the desktop's theme.
QByteArray PreferredPlatformTheme(const QByteArray& desktop, const QByteArray& chosenTheme);

// Asks Qt for the preferred theme; must run before the application object exists.
void UseDesktopFileDialogs();

}  // namespace quorvane
