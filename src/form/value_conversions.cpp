#include "form/value_conversions.h"

#include "form/run_time_error.h"

namespace quorvane {

namespace {

template <typename T>
T ValueOrThrow(const Parsed<T, NumberError>& parsed) {
    if (parsed.ok()) return parsed.value();
    throw parsed.error() == NumberError::OutOfRange ? RunTimeError::overflow()
                                                    : RunTimeError::typeMismatch();
}

}  // namespace

std::int16_t ToInteger16(std::string_view text, const NumberFormat& format) {
    return ValueOrThrow(ParseInteger16(text, format));
}

bool ToBoolean(std::string_view text, const NumberFormat& format) {
    return ValueOrThrow(ParseBoolean(text, format));
}

}  // namespace quorvane
