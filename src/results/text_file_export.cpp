#include "results/text_file_export.h"

#include <chrono>
#include <future>

#include "output/atomic_file.h"
#include "results/list_scan.h"
#include "results/yielding_call.h"

namespace quorvane {

namespace {

// The bytes handed to the disk at a time.
constexpr size_t kPieceBytes = size_t{1} << 20;

// Writes pieces of the file one at a time on a thread of its own while the next one is made;
// the window runs while a piece waits for the one before it. Without a hook, writes at once.
class PieceWriter {
  public:
    PieceWriter(AtomicFile& file, YieldHook* hook) : file_(file), hook_(hook) {}
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;
    // The file stays open until the piece in flight is written.
    ~PieceWriter() {
        if (inFlight_.valid()) inFlight_.wait();
    }

    // Takes the bytes of `piece`, which is left empty.
    Status write(std::string& piece) {
        if (const Status status = finish(); !status.ok()) return status;
        if (!hook_) {
            const Status status = file_.write(piece);
            piece.clear();
            return status;
        }
        writing_.swap(piece);
        piece.clear();
        inFlight_ = std::async(std::launch::async, [this] { return file_.write(writing_); });
        return {};
    }

    // Waits for the piece in flight.
    Status finish() {
        if (!inFlight_.valid()) return {};
        while (inFlight_.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            hook_->yield();
        return inFlight_.get();
    }

  private:
    AtomicFile& file_;
    YieldHook* hook_;
    std::string writing_;
    std::future<Status> inFlight_;
};

}  // namespace

std::string ResultsTextFileBytes(const EntrySource& list) {
    std::string bytes;
    ListScan scan(list, nullptr);
    std::string_view entry;
    for (size_t i = 1; i <= scan.count(); ++i) {
        static_cast<void>(scan.next(i, entry));
        AppendTextFileEntry(bytes, entry);
        bytes.append("\r\n");
    }
    bytes.append("\r\n");
    return bytes;
}

Status SaveResultsToTextFile(const EntrySource& list, const std::string& file, YieldHook* hook) {
    // The list as it is now is the one written: a removal while the file is made fails it.
    ListScan scan(list, hook);
    AtomicFile out(file);
    if (const Status status = CallWhileYielding(hook, [&out] { return out.open(); });
        !status.ok()) {
        return status;
    }
    PieceWriter writer(out, hook);
    std::string piece;
    piece.reserve(kPieceBytes);
    std::string_view entry;
    for (size_t i = 1; i <= scan.count(); ++i) {
        if (const Status status = scan.next(i, entry); !status.ok()) return status;
        AppendTextFileEntry(piece, entry);
        piece.append("\r\n");
        if (piece.size() < kPieceBytes) continue;
        if (const Status status = writer.write(piece); !status.ok()) return status;
    }
    piece.append("\r\n");
    if (const Status status = writer.write(piece); !status.ok()) return status;
    if (const Status status = writer.finish(); !status.ok()) return status;
    return CallWhileYielding(hook, [&out] { return out.commit(); });
}

}  // namespace quorvane
