// quorvane-list: the folder lists of the Quorvane window, for scripts.
//
// Reads the options, checks the folder, walks it and writes each entry as soon as its block
// of the list is final, so memory stays small whatever the size of the tree.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/entry_filter.h"
#include "cli/entry_writer.h"
#include "cli/export_sinks.h"
#include "cli/failure_text.h"
#include "cli/folder_problem.h"
#include "cli/folder_selection.h"
#include "cli/glob_exclusion.h"
#include "cli/program_arguments.h"
#include "cli/stack_room.h"
#include "cli/terminal_text.h"
#include "cli/usage_text.h"
#include "engine/drive_list.h"
#include "engine/folder_walk.h"
#include "engine/path_rules.h"
#include "output/atomic_file.h"
#include "output/pending_files.h"
#include "output/standard_streams.h"
#include "quorvane_version.h"
#include "results/clipboard_text.h"
#include "results/workbook_writer.h"

namespace {

using namespace quorvane;

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// One line on standard error. Messages name folders and files as they are, which on a
// terminal could be escape sequences, so there they are shown escaped.
void report(const std::string& message) {
    static const bool terminal = cli::StandardErrorIsTerminal();
    std::cerr << (terminal ? cli::TerminalSafeText(message) : message) << '\n';
}

// Standard output, keeping the C library's error of the first write that failed: later calls
// (the walk's own) would overwrite errno.
class StandardOutput {
  public:
    Status write(std::string_view bytes) {
        errno = 0;
        if (failure_.ok() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
            failure_ = Status::library(errno != 0 ? errno : EIO);
        }
        return failure_;
    }
    Status flush() {
        errno = 0;
        if (failure_.ok() && std::fflush(stdout) != 0) {
            failure_ = Status::library(errno != 0 ? errno : EIO);
        }
        return failure_;
    }

  private:
    Status failure_;
};

// Counts the folders below the target that could not be read and names them when asked to;
// passes every entry on. The target's own failure ends its walk: a FOLDER that cannot be
// listed is never an empty success.
class UnreadableReport : public FolderSink {
  public:
    UnreadableReport(FolderSink& next, bool report) : next_(next), report_(report) {}

    void append(const ListedFolder& folder) override { next_.append(folder); }
    bool stopped() const override { return !targetFailure_.ok() || next_.stopped(); }

    void unreadable(std::string_view folderPath, Status why) override {
        // The walk names its target by its root, which no folder below it shares.
        if (!targetPath_.empty() && folderPath == targetPath_) {
            if (targetFailure_.ok()) targetFailure_ = why;
            return;
        }
        ++unreadable_;
        if (report_) {
            report("quorvane-list: cannot read " + asListed(folderPath) + ": " +
                   cli::FailureText(why));
        }
    }

    // The walk of `root` (folder path form) begins. A FOLDER's own failure ends it; a drive's
    // root counts as any folder that could not be read, so that one drive closed to the user
    // does not end a walk of every drive.
    void startTarget(std::string_view root, bool isFolder) {
        targetPath_ = isFolder ? WalkRootPath(root) : std::string();
        targetFailure_ = {};
    }
    // Why the target of the last walk could not be opened or read to its end; success when
    // it was.
    Status targetFailure() const { return targetFailure_; }
    int unreadableCount() const { return unreadable_; }

    // A folder named as the list writes it, without the walk's trailing separator; a root
    // such as "/" keeps its own.
    static std::string asListed(std::string_view folderPath) {
        std::string entry = EntryFromFolderPath(folderPath);
        return entry.empty() ? std::string(folderPath) : entry;
    }

  private:
    FolderSink& next_;
    bool report_;
    int unreadable_ = 0;
    std::string targetPath_;
    Status targetFailure_;
};

// One root to walk; a drive's walk stays on its own volume, as in the window, and so does a
// folder's with -x.
struct WalkTarget {
    std::string root;
    bool stayOnVolume = false;
    bool isFolder = false;  // a FOLDER of the command line, not a drive
};

// The roots the options name, in the order they are walked; nothing when a drive is unknown.
std::optional<std::vector<WalkTarget>> targetsOf(const cli::Options& options) {
    if (options.target == cli::Target::Folder) {
        std::vector<WalkTarget> targets;
        for (const std::string& folder : options.folders)
            targets.push_back({ToFolderPathForm(folder), options.oneFileSystem, true});
        return targets;
    }
    const std::vector<Drive> drives = ListDrives();
    std::vector<WalkTarget> targets;
    if (options.target == cli::Target::AllDrives) {
        for (const Drive& drive : drives)
            targets.push_back({drive.root, true});
        return targets;
    }
    const Drive* drive = FindDrive(drives, options.drive);
    if (!drive) return std::nullopt;
    targets.push_back({drive->root, true});
    return targets;
}

ListingRules listingRules(const cli::Options& options, const FolderExclusion* exclude) {
    ListingRules rules;
    rules.hidden = options.hidden;
    rules.followLinks = !options.noFollow;
    rules.order = options.order;
    rules.exclude = exclude;
    rules.totals = options.totals;
    const auto wants = [&](cli::Column column) {
        return options.rowFormat && cli::HasColumn(options.columns, column);
    };
    if (wants(cli::Column::Bytes)) {
        rules.facts = FactsWanted::CountsAndSize;
    } else if (options.onlyEmpty || wants(cli::Column::Files) || wants(cli::Column::Folders) ||
               wants(cli::Column::Modified)) {
        rules.facts = FactsWanted::Counts;
    }
    return rules;
}

// Walks the targets and hands `sink` every entry that the options leave: those at the levels
// asked for, empty if asked, below the target if asked, and then through the text filters.
// Returns the exit status for a list that was written; nothing when a walk could not be
// completed (said on standard error), so that no shorter list passes for the whole.
std::optional<int> listInto(const cli::Options& options, const std::vector<WalkTarget>& targets,
                            FolderSink& sink) {
    UnreadableReport unreadable(sink, options.showErrors);
    cli::EntryFilter filter(options.filters, unreadable);
    cli::FolderSelection selection({options.minDepth, options.onlyEmpty, options.relative}, filter);
    const cli::GlobExclusion exclusion(options.excludes);
    WalkOptions walk;
    walk.depth = options.depth;
    walk.threads = options.threads;
    walk.rules = listingRules(options, options.excludes.empty() ? nullptr : &exclusion);
    for (const WalkTarget& target : targets) {
        walk.stayOnVolume = target.stayOnVolume;
        unreadable.startTarget(target.root, target.isFolder);
        Status walked = WalkFolders(target.root, walk, selection);
        // A FOLDER gone or closed since it was checked fails as a walk that could not go on.
        if (walked.ok()) walked = unreadable.targetFailure();
        if (!walked.ok()) {
            report("quorvane-list: " + UnreadableReport::asListed(target.root) + ": " +
                   cli::FailureText(walked));
            return std::nullopt;
        }
        if (selection.stopped()) break;
    }
    return options.showErrors && unreadable.unreadableCount() > 0 ? kExitFailed : kExitDone;
}

// Says why `what` could not be written.
int cannotWrite(const std::string& what, Status why) {
    report("quorvane-list: cannot write " + what + ": " + cli::FailureText(why));
    return kExitFailed;
}

// Writes `text` to standard output and says so when it could not.
int writeStandardOutput(std::string_view text) {
    StandardOutput output;
    Status status = output.write(text);
    if (status.ok()) status = output.flush();
    return status.ok() ? kExitDone : cannotWrite("standard output", status);
}

int writeList(const cli::Options& options, const std::vector<WalkTarget>& targets) {
    std::optional<AtomicFile> file;
    if (options.outputFile) {
        file.emplace(*options.outputFile);
        if (const Status opened = file->open(); !opened.ok()) {
            return cannotWrite(*options.outputFile, opened);
        }
    }
    StandardOutput standardOutput;
    const cli::EntryWriter::Output output = [&](std::string_view bytes) {
        return file ? file->write(bytes) : standardOutput.write(bytes);
    };
    // Only the plain list is shown escaped on a terminal: the bytes of the other formats are
    // the format's own, and -0 is for programs.
    const bool forTerminal =
        !file && options.lineEnd == cli::LineEnd::Lf && cli::StandardOutputIsTerminal();
    cli::EntryWriter writer = options.rowFormat
                                  ? cli::EntryWriter(*options.rowFormat, options.columns, output)
                                  : cli::EntryWriter(options.lineEnd, output, forTerminal);
    // A failed write stops the walk (EntryWriter::stopped), so nothing is walked in vain.
    const std::optional<int> status = listInto(options, targets, writer);
    if (!status) {
        // What was listed on standard output stays listed; a file stays as it was.
        if (!file) static_cast<void>(writer.flush());
        return kExitFailed;
    }
    Status written = writer.finish();
    if (written.ok()) written = file ? file->commit() : standardOutput.flush();
    if (!written.ok()) {
        return cannotWrite(file ? *options.outputFile : std::string("standard output"), written);
    }
    return *status;
}

// The clipboard text needs the longest entry before its first line, so the list is kept.
int writeClipboardText(const cli::Options& options, const std::vector<WalkTarget>& targets) {
    cli::ListCollector collector;
    const std::optional<int> status = listInto(options, targets, collector);
    if (!status) return kExitFailed;
    const std::string text = ResultsClipboardText(collector.list());
    if (options.outputFile) {
        if (const Status written = WriteFileAtomically(*options.outputFile, text); !written.ok()) {
            return cannotWrite(*options.outputFile, written);
        }
    } else if (writeStandardOutput(text) != kExitDone) {
        return kExitFailed;
    }
    return *status;
}

int writeWorkbook(const cli::Options& options, const std::vector<WalkTarget>& targets) {
    WorkbookWriter workbook(*options.workbookFile);
    if (const Status opened = workbook.open(); !opened.ok()) {
        return cannotWrite(*options.workbookFile, opened);
    }
    cli::WorkbookSink sink(workbook);
    const std::optional<int> status = listInto(options, targets, sink);
    if (!status) return kExitFailed;  // no workbook is left behind
    if (const Status written = workbook.finish(); !written.ok()) {
        return cannotWrite(*options.workbookFile, written);
    }
    return *status;
}

int listDrives() {
    // Mount points are names too, which on a terminal could be escape sequences.
    const bool terminal = cli::StandardOutputIsTerminal();
    const auto shown = [&](const std::string& name) {
        return terminal ? cli::TerminalSafeText(name) : name;
    };
    std::string text;
    for (const Drive& drive : ListDrives())
        text += shown(drive.displayText) + '\t' + shown(drive.root) + '\n';
    return writeStandardOutput(text);
}

int run(const cli::Options& options) {
    if (options.listDrives) return listDrives();
    // Every FOLDER is checked before any is walked, so a list is either whole or not written.
    bool missing = false;
    for (const std::string& folder : options.folders) {
        if (const Status problem = cli::FolderProblem(folder); !problem.ok()) {
            report("quorvane-list: " + folder + ": " + cli::FailureText(problem));
            missing = true;
        }
    }
    if (missing) return kExitFailed;
    const auto targets = targetsOf(options);
    if (!targets) {
        report("quorvane-list: no drive " + options.drive + " (see --list-drives)");
        return kExitFailed;
    }
    if (options.workbookFile) return writeWorkbook(options, *targets);
    if (options.clipboardFormat) return writeClipboardText(options, *targets);
    return writeList(options, *targets);
}

// Everything the program does once it has started, and the exit status.
int listWith(int argc, char** argv) {
    const std::vector<std::string> arguments = cli::ProgramArguments(argc, argv);
    cli::UseBinaryStandardOutput();
    const auto parsed = cli::ParseArguments(arguments);
    if (!parsed.ok()) {
        report("quorvane-list: " + parsed.error().message);
        if (parsed.error().showUsage) std::cerr << cli::ShortUsageText();
        return kExitUsage;
    }
    const cli::Options& options = parsed.value();
    if (options.help) return writeStandardOutput(cli::UsageText());
    if (options.version) {
        return writeStandardOutput(std::string("quorvane-list ") + QUORVANE_VERSION + '\n');
    }
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        // The formats that keep the whole list (--clipboard-format) may not fit in memory.
        // Unwinding has removed any partial file.
        report("quorvane-list: " + cli::FailureText(Status::library(ENOMEM)));
        return kExitFailed;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything opens a file that could take the place of a closed standard error.
    if (!OpenMissingStandardStreams()) {
        report("quorvane-list: no null device to put in place of a closed standard stream");
        return kExitFailed;
    }
    // Ctrl+C or a kill in the middle of a write leaves no partial file behind.
    RemovePendingFilesOnSignals();
    return cli::RunWithStackRoom([&] { return listWith(argc, argv); });
}
