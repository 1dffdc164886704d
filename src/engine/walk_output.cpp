#include "engine/walk_output.h"

#include <cstdint>
#include <cstring>

namespace quorvane {

namespace {

enum class Kind : std::uint8_t { Block, Unreadable };

template <typename T>
void put(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

void putText(std::string& out, std::string_view text) {
    put<std::uint64_t>(out, text.size());
    out.append(text);
}

// Reads the record's fields in the order they were put.
class Fields {
  public:
    explicit Fields(std::string_view bytes) : bytes_(bytes) {}

    template <typename T>
    T take() {
        T value;
        std::memcpy(&value, bytes_.data() + used_, sizeof value);
        used_ += sizeof value;
        return value;
    }
    std::string_view takeBytes(size_t size) {
        const std::string_view taken = bytes_.substr(used_, size);
        used_ += size;
        return taken;
    }
    std::string_view takeText() { return takeBytes(take<std::uint64_t>()); }
    size_t used() const { return used_; }

  private:
    std::string_view bytes_;
    size_t used_ = 0;
};

Status statusOf(Status::Failure failure, int code) {
    switch (failure) {
        case Status::Failure::System:
            return Status::system(code);
        case Status::Failure::Library:
            return Status::library(code);
        default:
            return Status::of(failure);
    }
}

}  // namespace

void RecordWriter::block(const BlockRecord& record) {
    put(bytes_, Kind::Block);
    put<std::int32_t>(bytes_, record.level);
    put<std::uint64_t>(bytes_, record.indexInParent);
    put<bool>(bytes_, record.facts.has_value());
    if (record.facts) {
        const FolderFacts& facts = *record.facts;
        put(bytes_, facts.entries);
        put(bytes_, facts.files);
        put(bytes_, facts.folders);
        put(bytes_, facts.bytes);
        put<bool>(bytes_, facts.modified.has_value());
        put<std::int64_t>(bytes_, facts.modified.value_or(0));
    }
    putText(bytes_, record.folderPath);
    const size_t count = record.names.count();
    put<std::uint64_t>(bytes_, count);
    bytes_.append(static_cast<const char*>(record.names.endsBytes()),
                  count * sizeof(std::uint32_t));
    putText(bytes_, record.names.namesBytes());
}

void RecordWriter::unreadable(std::string_view folderPath, Status why) {
    put(bytes_, Kind::Unreadable);
    putText(bytes_, folderPath);
    put(bytes_, why.failure());
    put<std::int32_t>(bytes_, why.code());
}

size_t records::ReplayOne(std::string_view bytes, WalkOutput& output) {
    Fields fields(bytes);
    if (fields.take<Kind>() == Kind::Unreadable) {
        const std::string_view path = fields.takeText();
        const auto failure = fields.take<Status::Failure>();
        output.unreadable(path, statusOf(failure, fields.take<std::int32_t>()));
        return fields.used();
    }
    BlockRecord record;
    record.level = fields.take<std::int32_t>();
    record.indexInParent = fields.take<std::uint64_t>();
    if (fields.take<bool>()) {
        FolderFacts& facts = record.facts.emplace();
        facts.entries = fields.take<std::uint64_t>();
        facts.files = fields.take<std::uint64_t>();
        facts.folders = fields.take<std::uint64_t>();
        facts.bytes = fields.take<std::uint64_t>();
        const bool modified = fields.take<bool>();
        const auto seconds = fields.take<std::int64_t>();
        if (modified) facts.modified = seconds;
    }
    record.folderPath = fields.takeText();
    const auto count = fields.take<std::uint64_t>();
    const void* ends = fields.takeBytes(count * sizeof(std::uint32_t)).data();
    record.names = NameList(fields.takeText(), ends, count);
    output.block(record);
    return fields.used();
}

}  // namespace quorvane
