#include "cli/failure_text.h"

#include <system_error>

namespace quorvane::cli {

std::string FailureText(Status status) {
    switch (status.failure()) {
        case Status::Failure::System:
            return std::system_category().message(status.code());
        case Status::Failure::Library:
            return std::generic_category().message(status.code());
        case Status::Failure::TooLarge:
            return "Overflow";
        case Status::Failure::OutOfMemory:
            return "Out of memory";
        case Status::Failure::ListChanged:
        case Status::Failure::OutOfRange:
            return "Index out of bounds";
        case Status::Failure::None:
        case Status::Failure::Inconsistent:
            break;
    }
    return "Invalid procedure call";
}

}  // namespace quorvane::cli
