#include "engine/run_time_error.h"

#include <system_error>

namespace quorvane {

RunTimeError RunTimeError::fromSystemError(int code) {
    return {std::system_category().message(code), code};
}

}  // namespace quorvane
