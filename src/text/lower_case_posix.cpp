#include "text/lower_case.h"

#include <locale.h>
#include <wctype.h>
#ifdef __APPLE__
#include <xlocale.h>
#endif

namespace quorvane {

namespace {

// The process locale is the user's and may not be UTF-8 at all; the mapping must not depend
// on it, so it comes from a UTF-8 locale of its own, opened once and kept for the process.
locale_t unicodeLocale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (locale_t opened = newlocale(LC_CTYPE_MASK, name, locale_t{})) return opened;
        }
        return locale_t{};
    }();
    return locale;
}

}  // namespace

char32_t LowerCaseCharacter(char32_t codePoint) {
    if (codePoint < 0x80) return codePoint >= 'A' && codePoint <= 'Z' ? codePoint + 32 : codePoint;
    const locale_t locale = unicodeLocale();
    if (!locale) return codePoint;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(codePoint), locale));
}

}  // namespace quorvane
