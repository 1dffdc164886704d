#include "output/atomic_file.h"

#include <random>

#include "output/output_target.h"

namespace quorvane {

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() {
    discard();
}

std::string AtomicFile::temporaryNameFor(const std::string& file) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return PartFileName(file, static_cast<unsigned>(random()));
}

int WriteFileAtomically(const std::string& target, std::string_view bytes) {
    AtomicFile file(target);
    if (file.open() && file.write(bytes) && file.commit()) return 0;
    return file.error();
}

}  // namespace quorvane
