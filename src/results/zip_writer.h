#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "output/atomic_file.h"

struct z_stream_s;

namespace quorvane {

// Writes a zip archive, each member compressed as it is written (deflate), so that a member of
// any size passes through a few hundred kilobytes of memory. A member may begin with a head
// that is known only at its end (a workbook's sheet names the width of its column before its
// rows): the head's room is kept in a stored block at the start of the member and filled in
// when the member ends.
//
// An archive holds at most 65535 members and 4 GiB; beyond that, TooLarge. After the first
// failure every call does nothing and returns that failure again.
class ZipWriter {
  public:
    explicit ZipWriter(AtomicFile& file);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Starts the member `name`, whose first `headSize` bytes (at most 65535) come at its end.
    Status beginMember(const std::string& name, size_t headSize = 0);
    Status write(std::string_view bytes);
    // Ends the member with its head, which must be `headSize` bytes long.
    Status endMember(std::string_view head = {});
    // A member written at once.
    Status addMember(const std::string& name, std::string_view content);
    // Writes the archive's directory. The file then holds the whole archive.
    Status finish();

  private:
    struct Member {
        std::string name;
        std::uint64_t offset = 0;  // of its local header
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t size = 0;
    };

    Status compress(std::string_view bytes, int flush);
    // Keeps `failure` unless there was one already; returns the first.
    Status fail(Status failure);
    // The first failure, or Inconsistent when the archive is not in the state `ready` for the
    // call; success when it is.
    Status check(bool ready);
    Status put(std::string_view bytes);

    AtomicFile& file_;
    z_stream_s* stream_ = nullptr;
    std::vector<Member> members_;
    bool inMember_ = false;
    size_t headSize_ = 0;
    std::uint64_t dataStart_ = 0;  // where the member's compressed bytes begin
    std::uint32_t bodyCrc_ = 0;
    std::uint64_t bodySize_ = 0;
    std::vector<unsigned char> buffer_;
    Status failure_;
};

}  // namespace quorvane
