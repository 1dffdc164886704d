#include "app/platform_theme.h"

#include <QList>

namespace quorvane {

QByteArray PreferredPlatformTheme(const QByteArray& desktop, const QByteArray& chosenTheme) {
    if (!chosenTheme.isEmpty()) return {};
    for (const QByteArray& name : desktop.split(':')) {
        if (name.compare("KDE", Qt::CaseInsensitive) == 0) return "xdgdesktopportal";
    }
    return {};
}

void UseDesktopFileDialogs() {
    const QByteArray theme =
        PreferredPlatformTheme(qgetenv("XDG_CURRENT_DESKTOP"), qgetenv("QT_QPA_PLATFORMTHEME"));
    if (!theme.isEmpty()) qputenv("QT_QPA_PLATFORMTHEME", theme);
}

}  // namespace quorvane
