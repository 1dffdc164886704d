#include "results/atomic_file.h"

#include <random>

namespace quorvane {

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() {
    discard();
}

std::string AtomicFile::temporaryNameFor(const std::string& target) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return target + ".part-" + std::to_string(random() % 1000000);
}

int WriteFileAtomically(const std::string& target, std::string_view bytes) {
    AtomicFile file(target);
    if (file.open() && file.write(bytes) && file.commit()) return 0;
    return file.error();
}

}  // namespace quorvane
