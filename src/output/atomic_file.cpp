#include "output/atomic_file.h"

#include <random>

#include "output/output_target.h"

namespace quorvane {

AtomicFile::AtomicFile(std::string target, Writes writes)
    : target_(std::move(target)), writes_(writes) {}

AtomicFile::~AtomicFile() {
    discard();
}

std::string AtomicFile::temporaryNameFor(const std::string& file) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return PartFileName(file, static_cast<unsigned>(random()));
}

Status AtomicFile::notOpen() const {
    // Only a file never opened has no failure to give.
    return failure_.ok() ? Status::of(Status::Failure::Inconsistent) : failure_;
}

Status WriteFileAtomically(const std::string& target, std::string_view bytes) {
    AtomicFile file(target);
    Status status = file.open();
    if (status.ok()) status = file.write(bytes);
    if (status.ok()) status = file.commit();
    return status;
}

}  // namespace quorvane
