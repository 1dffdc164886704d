#include "app/random_source.h"

#include <QRandomGenerator>

namespace quorvane {

double SystemRandomSource::fraction() {
    return QRandomGenerator::global()->generateDouble();
}

}  // namespace quorvane
