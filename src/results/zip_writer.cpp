#include "results/zip_writer.h"

#include <zlib.h>

#include <limits>

namespace quorvane {

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDate = (0 << 9) | (1 << 5) | 1;  // 1 January 1980
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCrcOffset = 14;  // of a local header
constexpr size_t kStoredBlockHeader = 5;
constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
// A member's size as zlib's crc32_combine takes it, a long, which Windows keeps to 32 bits.
constexpr std::uint64_t kLargestMember = std::numeric_limits<std::int32_t>::max();
constexpr size_t kBufferSize = 1 << 16;

void put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, std::uint64_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xffff));
    put16(out, static_cast<std::uint16_t>((value >> 16) & 0xffff));
}

std::uint32_t crcOf(std::uint32_t crc, std::string_view bytes) {
    while (!bytes.empty()) {
        const uInt piece = static_cast<uInt>(std::min<size_t>(bytes.size(), 1 << 30));
        crc = static_cast<std::uint32_t>(
            crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), piece));
        bytes.remove_prefix(piece);
    }
    return crc;
}

// Short of memory, zlib fails; with the arguments given here, for no other reason.
Status compressionError(int code) {
    return Status::of(code == Z_MEM_ERROR ? Status::Failure::OutOfMemory
                                          : Status::Failure::Inconsistent);
}

}  // namespace

ZipWriter::ZipWriter(AtomicFile& file) : file_(file), buffer_(kBufferSize) {}

ZipWriter::~ZipWriter() {
    if (stream_) {
        deflateEnd(stream_);
        delete stream_;
    }
}

Status ZipWriter::fail(Status failure) {
    if (failure_.ok()) failure_ = failure;
    return failure_;
}

Status ZipWriter::check(bool ready) {
    if (!failure_.ok()) return failure_;
    return ready ? Status() : fail(Status::of(Status::Failure::Inconsistent));
}

Status ZipWriter::put(std::string_view bytes) {
    if (const Status status = file_.write(bytes); !status.ok()) return fail(status);
    if (file_.size() > kLargest) return fail(Status::of(Status::Failure::TooLarge));
    return {};
}

Status ZipWriter::beginMember(const std::string& name, size_t headSize) {
    if (const Status status = check(!inMember_); !status.ok()) return status;
    if (members_.size() >= 0xffff || headSize > 0xffff) {
        return fail(Status::of(Status::Failure::TooLarge));
    }
    if (!stream_) {
        stream_ = new z_stream_s{};
        // Raw deflate (no zlib header), as zip members hold it; level 1 gives most of the
        // size for a fraction of the time.
        const int status = deflateInit2(stream_, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        if (status != Z_OK) {
            delete stream_;
            stream_ = nullptr;
            return fail(compressionError(status));
        }
    } else if (const int status = deflateReset(stream_); status != Z_OK) {
        return fail(compressionError(status));
    }
    members_.push_back({name, file_.size()});
    std::string header;
    put32(header, kLocalHeaderSignature);
    put16(header, kVersion);
    put16(header, 0);  // flags
    put16(header, kDeflated);
    put16(header, 0);  // time
    put16(header, kDate);
    put32(header, 0);  // crc and sizes, filled in at the end
    put32(header, 0);
    put32(header, 0);
    put16(header, static_cast<std::uint16_t>(name.size()));
    put16(header, 0);  // extra field
    header += name;
    if (headSize > 0) {
        // A stored block, not the last one, with room for the head.
        header.push_back(0);
        put16(header, static_cast<std::uint16_t>(headSize));
        put16(header, static_cast<std::uint16_t>(~headSize));
    }
    const std::uint64_t headerEnd = file_.size() + header.size();
    header.append(headSize, ' ');
    if (const Status status = put(header); !status.ok()) return status;
    inMember_ = true;
    headSize_ = headSize;
    dataStart_ = headerEnd - (headSize > 0 ? kStoredBlockHeader : 0);
    bodyCrc_ = crc32(0, nullptr, 0);
    bodySize_ = 0;
    return {};
}

Status ZipWriter::compress(std::string_view bytes, int flush) {
    stream_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_->avail_in = static_cast<uInt>(bytes.size());
    while (true) {
        stream_->next_out = buffer_.data();
        stream_->avail_out = static_cast<uInt>(buffer_.size());
        const int status = deflate(stream_, flush);
        if (status == Z_STREAM_ERROR) return fail(compressionError(status));
        const size_t produced = buffer_.size() - stream_->avail_out;
        if (produced > 0) {
            const Status written = put({reinterpret_cast<const char*>(buffer_.data()), produced});
            if (!written.ok()) return written;
        }
        if (flush == Z_FINISH ? status == Z_STREAM_END
                              : stream_->avail_in == 0 && stream_->avail_out != 0) {
            return {};
        }
    }
}

Status ZipWriter::write(std::string_view bytes) {
    if (const Status status = check(inMember_); !status.ok()) return status;
    bodyCrc_ = crcOf(bodyCrc_, bytes);
    bodySize_ += bytes.size();
    if (headSize_ + bodySize_ > kLargestMember) return fail(Status::of(Status::Failure::TooLarge));
    while (!bytes.empty()) {
        const size_t piece = std::min<size_t>(bytes.size(), 1 << 30);
        if (const Status status = compress(bytes.substr(0, piece), Z_NO_FLUSH); !status.ok()) {
            return status;
        }
        bytes.remove_prefix(piece);
    }
    return {};
}

Status ZipWriter::endMember(std::string_view head) {
    if (const Status status = check(inMember_); !status.ok()) return status;
    if (head.size() != headSize_) return fail(Status::of(Status::Failure::Inconsistent));
    if (const Status status = compress({}, Z_FINISH); !status.ok()) return status;
    inMember_ = false;
    Member& member = members_.back();
    const std::uint32_t headCrc = crcOf(crc32(0, nullptr, 0), head);
    member.crc = static_cast<std::uint32_t>(
        crc32_combine(headCrc, bodyCrc_, static_cast<z_off_t>(bodySize_)));
    member.size = head.size() + bodySize_;
    member.compressedSize = file_.size() - dataStart_;
    std::string sizes;
    put32(sizes, member.crc);
    put32(sizes, member.compressedSize);
    put32(sizes, member.size);
    Status status = file_.overwrite(member.offset + kCrcOffset, sizes);
    if (status.ok() && !head.empty()) {
        status = file_.overwrite(dataStart_ + kStoredBlockHeader, head);
    }
    return status.ok() ? status : fail(status);
}

Status ZipWriter::addMember(const std::string& name, std::string_view content) {
    Status status = beginMember(name);
    if (status.ok()) status = write(content);
    if (status.ok()) status = endMember();
    return status;
}

Status ZipWriter::finish() {
    if (const Status status = check(!inMember_); !status.ok()) return status;
    const std::uint64_t directoryStart = file_.size();
    std::string directory;
    for (const Member& member : members_) {
        put32(directory, kCentralHeaderSignature);
        put16(directory, kVersion);  // made by: MS-DOS, 2.0
        put16(directory, kVersion);
        put16(directory, 0);
        put16(directory, kDeflated);
        put16(directory, 0);
        put16(directory, kDate);
        put32(directory, member.crc);
        put32(directory, member.compressedSize);
        put32(directory, member.size);
        put16(directory, static_cast<std::uint16_t>(member.name.size()));
        put16(directory, 0);  // extra field
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, member.offset);
        directory += member.name;
    }
    const std::uint64_t directorySize = directory.size();
    put32(directory, kEndSignature);
    put16(directory, 0);
    put16(directory, 0);
    put16(directory, static_cast<std::uint16_t>(members_.size()));
    put16(directory, static_cast<std::uint16_t>(members_.size()));
    put32(directory, directorySize);
    put32(directory, directoryStart);
    put16(directory, 0);  // comment
    return put(directory);
}

}  // namespace quorvane
