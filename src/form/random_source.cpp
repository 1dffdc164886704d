#include "form/random_source.h"

namespace quorvane {

SystemRandomSource::SystemRandomSource() : generator_(std::random_device{}()) {}

double SystemRandomSource::fraction() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

}  // namespace quorvane
