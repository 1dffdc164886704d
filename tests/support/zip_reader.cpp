#include "support/zip_reader.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

#include "support/fixture_tree.h"

namespace quorvane::test {

namespace {

std::uint32_t Read16(const std::string& bytes, size_t at) {
    if (at + 2 > bytes.size()) throw std::out_of_range("past the end");
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(const std::string& bytes, size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

struct Entry {
    std::string name;
    std::uint32_t method, crc, compressedSize, size, offset;
};

std::vector<Entry> Directory(const std::string& bytes) {
    // The end record closes the file; no archive here carries a comment.
    if (bytes.size() < 22) throw std::runtime_error("too short");
    const size_t end = bytes.size() - 22;
    if (Read32(bytes, end) != 0x06054b50) throw std::runtime_error("no end record");
    const std::uint32_t count = Read16(bytes, end + 10);
    size_t at = Read32(bytes, end + 16);
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (Read32(bytes, at) != 0x02014b50) throw std::runtime_error("bad directory");
        const std::uint32_t nameLength = Read16(bytes, at + 28);
        const std::uint32_t extra = Read16(bytes, at + 30) + Read16(bytes, at + 32);
        entries.push_back({bytes.substr(at + 46, nameLength), Read16(bytes, at + 10),
                           Read32(bytes, at + 16), Read32(bytes, at + 20), Read32(bytes, at + 24),
                           Read32(bytes, at + 42)});
        at += 46 + nameLength + extra;
    }
    return entries;
}

std::string Inflate(const std::string& compressed, size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw std::runtime_error("inflateInit2");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!whole) throw std::runtime_error("bad deflate stream");
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> ZipMemberNames(const std::string& archive) {
    try {
        std::vector<std::string> names;
        for (const Entry& entry : Directory(ReadFile(archive)))
            names.push_back(entry.name);
        return names;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::string> ZipMember(const std::string& archive, const std::string& member) {
    try {
        const std::string bytes = ReadFile(archive);
        for (const Entry& entry : Directory(bytes)) {
            if (entry.name != member) continue;
            const size_t at = entry.offset;
            if (Read32(bytes, at) != 0x04034b50) return std::nullopt;
            const size_t data = at + 30 + Read16(bytes, at + 26) + Read16(bytes, at + 28);
            const std::string compressed = bytes.substr(data, entry.compressedSize);
            const std::string content =
                entry.method == 0 ? compressed : Inflate(compressed, entry.size);
            const auto crc = crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                   static_cast<uInt>(content.size()));
            if (crc != entry.crc || content.size() != entry.size) return std::nullopt;
            return content;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace quorvane::test
