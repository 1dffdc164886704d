#pragma once

#include <QLocale>

#include "text/numeric_text.h"

namespace quorvane {

// The decimal and group separators of `locale`, in the form the number reader takes.
NumberFormat NumberFormatOf(const QLocale& locale);

}  // namespace quorvane
