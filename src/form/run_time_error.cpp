#include "form/run_time_error.h"

#include <system_error>

namespace quorvane {

RunTimeError RunTimeError::fromSystemError(int code) {
    return {std::system_category().message(code), code};
}

RunTimeError RunTimeError::fromStatus(Status status) {
    switch (status.failure()) {
        case Status::Failure::System:
            return fromSystemError(status.code());
        case Status::Failure::Library:
            return {std::generic_category().message(status.code()), status.code()};
        case Status::Failure::TooLarge:
            return overflow();
        case Status::Failure::OutOfMemory:
            return {"Out of memory", 7};
        case Status::Failure::ListChanged:
        case Status::Failure::OutOfRange:
            return indexOutOfBounds();
        case Status::Failure::None:
        case Status::Failure::Inconsistent:
            break;
    }
    return {"Invalid procedure call", 5};
}

void ThrowIfFailed(Status status) {
    if (!status.ok()) throw RunTimeError::fromStatus(status);
}

}  // namespace quorvane
