// quorvane-list: the folder lists of the Quorvane window, for scripts.
//
// Reads the options, checks the folder, walks it and writes each entry as soon as its block
// of the list is final, so memory stays small whatever the size of the tree.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_options.h"
#include "cli/entry_writer.h"
#include "engine/folder_exists.h"
#include "engine/path_rules.h"
#include "results/atomic_file.h"

namespace {

using namespace quorvane;

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

std::string systemMessage(int error) { return std::system_category().message(error); }

// Names the folders that could not be read, when asked to.
class ReportingWriter : public cli::EntryWriter {
public:
    ReportingWriter(cli::LineEnd lineEnd, Output output, bool report)
        : EntryWriter(lineEnd, std::move(output)), report_(report) {}

    void unreadable(std::string_view folderPath, int error) override {
        ++unreadable_;
        if (report_) {
            std::cerr << "quorvane-list: cannot read " << folderPath << ": "
                      << systemMessage(error) << '\n';
        }
    }

    int unreadableCount() const { return unreadable_; }

private:
    bool report_;
    int unreadable_ = 0;
};

bool writeToStdout(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

int run(const cli::Options& options) {
    if (FolderExists(options.folder) != true) {
        std::cerr << "Folder does not exist. Please select another folder.\n";
        return kExitFailed;
    }
    std::optional<AtomicFile> file;
    if (options.outputFile) {
        file.emplace(*options.outputFile);
        if (!file->open()) {
            std::cerr << "quorvane-list: cannot write " << *options.outputFile << ": "
                      << systemMessage(file->error()) << '\n';
            return kExitFailed;
        }
    }
    cli::EntryWriter::Output output = writeToStdout;
    if (file) output = [&file](std::string_view bytes) { return file->write(bytes); };

    ReportingWriter writer(options.lineEnd, output, options.showErrors);
    ListFolders(ToFolderPathForm(options.folder), options.depth, writer);
    bool written = writer.finish();
    if (file) {
        written = written && file->commit();
    } else {
        written = std::fflush(stdout) == 0 && written;
    }
    if (!written) {
        const int error = file ? file->error() : errno;
        std::cerr << "quorvane-list: cannot write "
                  << (options.outputFile ? *options.outputFile : "standard output") << ": "
                  << systemMessage(error) << '\n';
        return kExitFailed;
    }
    return options.showErrors && writer.unreadableCount() > 0 ? kExitFailed : kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const cli::ParseResult parsed = cli::ParseArguments(arguments);
    if (!parsed.options) {
        std::cerr << (parsed.showUsage ? "quorvane-list: " : "") << parsed.error << '\n';
        if (parsed.showUsage) std::cerr << '\n' << cli::UsageText();
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::cout << cli::UsageText();
        return kExitDone;
    }
    if (parsed.options->version) {
        std::cout << "quorvane-list " << QUORVANE_VERSION << '\n';
        return kExitDone;
    }
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    return run(*parsed.options);
}
