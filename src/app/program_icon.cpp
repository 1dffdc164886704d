#include "app/program_icon.h"

// The resources live in a static library: nothing else refers to them, so the linker would
// leave them out unless they are initialised by name, which must happen outside a namespace.
static void InitProgramIconResource() {
    Q_INIT_RESOURCE(quorvane);
}

namespace quorvane {

QIcon ProgramIcon() {
    static const bool registered = (InitProgramIconResource(), true);
    (void)registered;
    QIcon icon;
    for (const int size : {32, 48, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/quorvane-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace quorvane
