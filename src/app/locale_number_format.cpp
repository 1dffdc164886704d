#include "app/locale_number_format.h"

namespace quorvane {

NumberFormat NumberFormatOf(const QLocale& locale) {
    NumberFormat format;
    format.decimalSeparator = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();
    return format;
}

}  // namespace quorvane
