// The setup program and the portable zip that the package target makes, under Wine in a prefix
// of their own: tests/win32/setup_test.sh builds them (and a setup program of an older version
// with one file more, Retired.txt), unpacks the zip and names them in the environment. A silent
// installation for the user with its files, shortcut and entry; the installed programs at
// work; an update over the older copy and an installation over the same version; a silent
// uninstallation that leaves nothing but the settings; the uninstaller refusing while Quorvane
// runs; the zip's programs where it was unpacked.

#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "program_window.h"
#include "quorvane_version.h"
#include "support/expected_walk.h"
#include "support/run_program.h"
#include "support/wide_text.h"

namespace quorvane::test {
namespace {

using Names = std::set<std::string>;

constexpr wchar_t kEntryKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvane";
constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Brindlework\\Quorvane";
constexpr auto kPatience = std::chrono::seconds(60);

// A path that setup_test.sh gives in the environment.
std::wstring Given(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        throw std::runtime_error(Narrow(name) + " is not set (tests/win32/setup_test.sh sets it)");
    }
    return value;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::wstring folder = path ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

std::wstring DefaultFolder() {
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Quorvane";
}

std::wstring StartMenuShortcut() {
    return KnownFolder(FOLDERID_Programs) + L"\\Quorvane.lnk";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Tree {
    Names names;  // below the folder; a folder's with a trailing separator
    uint64_t bytes = 0;
};

void AddTree(const std::wstring& folder, const std::wstring& below, Tree& tree) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree.names.insert(Narrow(below + name + L"\\"));
            AddTree(folder + L"\\" + name, below + name + L"\\", tree);
        } else {
            tree.names.insert(Narrow(below + name));
            tree.bytes += (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

Tree TreeOf(const std::wstring& folder) {
    Tree tree;
    AddTree(folder, L"", tree);
    return tree;
}

// A value under HKEY_CURRENT_USER; "(none)" where there is none.
std::string RegText(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return "(none)";
    }
    return Narrow(value);
}

std::optional<DWORD> RegNumber(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::wstring ShortcutTarget(const std::wstring& link) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring target;
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
        file->Release();
    }
    shellLink->Release();
    return target;
}

// A command line started as "Apps & features" or an administrator's script would start it.
PROCESS_INFORMATION Start(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\",
                        &startup, &process)) {
        throw std::runtime_error(LastErrorText("cannot start", Narrow(commandLine)));
    }
    return process;
}

// Waits for the process to end; its exit code, or -1 if it did not end.
int ExitCodeOf(PROCESS_INFORMATION process) {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int RunCommand(const std::wstring& commandLine) {
    return ExitCodeOf(Start(commandLine));
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring TheSetup() {
    return Quoted(Given(L"QUORVANE_SETUP"));
}

template <typename Condition>
bool Eventually(Condition holds) {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (!holds() && std::chrono::steady_clock::now() < until)
        Sleep(100);
    return holds();
}

// Uninstalls silently as the entry says. The uninstaller hands over to a copy of itself in the
// temporary folder and ends at once; the copy is done when the folder is gone.
void UninstallAsTheEntrySays(const std::wstring& folder) {
    const std::string command = RegText(kEntryKey, L"QuietUninstallString");
    ASSERT_NE(command, "(none)");
    EXPECT_EQ(RunCommand(Wide(command)), 0);
    EXPECT_TRUE(Eventually([&] { return !Exists(folder); })) << "the uninstaller left the folder";
}

// What the portable zip holds, which the setup program installs too, with its uninstaller.
Names InstalledNames() {
    Names names = TreeOf(Given(L"QUORVANE_PORTABLE")).names;
    names.insert("Uninstall.exe");
    return names;
}

void ExpectInstalledIn(const std::wstring& folder) {
    const Tree installed = TreeOf(folder);
    EXPECT_EQ(installed.names, InstalledNames());
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), folder + L"\\quorvane.exe");

    const std::string at = Narrow(folder);
    const std::string uninstaller = "\"" + at + "\\Uninstall.exe\"";
    const std::pair<const wchar_t*, std::string> texts[] = {
        {L"DisplayName", "Quorvane"},
        {L"DisplayVersion", QUORVANE_VERSION},
        {L"Publisher", "Brindlework"},
        {L"DisplayIcon", at + "\\quorvane.exe,0"},
        {L"InstallLocation", at},
        {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + " /S"},
    };
    for (const auto& [name, value] : texts)
        EXPECT_EQ(RegText(kEntryKey, name), value) << Narrow(name);
    EXPECT_EQ(RegNumber(kEntryKey, L"NoModify"), 1u);
    EXPECT_EQ(RegNumber(kEntryKey, L"NoRepair"), 1u);
    // In KiB, give or take one for each file.
    const double kib = static_cast<double>(installed.bytes) / 1024;
    EXPECT_NEAR(RegNumber(kEntryKey, L"EstimatedSize").value_or(0), kib,
                static_cast<double>(installed.names.size()) + 1);
}

// The window of `program` opens, and "Load Sample/Example Folder" and a run list the Samples
// beside it.
void ExpectWindowListsItsSamples(const std::wstring& program) {
    ProgramWindow window(L"", program);
    const std::string samples = Narrow(program.substr(0, program.rfind(L'\\'))) + "\\Samples";
    window.click(Control::SampleButton);
    window.settle();
    EXPECT_EQ(window.text(Control::FolderBox), samples);
    window.click(Control::StartButton);
    EXPECT_EQ(window.answerMessage().text, "Done.");
    const std::vector<std::string> expected = ExpectedEntries(samples + "\\");
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(window.rows(), expected);
    EXPECT_EQ(window.close(), 0);
}

TEST(SetupProgram, InstallsForTheUserUpdatesInPlaceAndUninstallsLeavingOnlyTheSettings) {
    const std::wstring folder = DefaultFolder();
    ASSERT_FALSE(Exists(folder)) << "the prefix is not fresh";
    ASSERT_EQ(RunCommand(Quoted(Given(L"QUORVANE_OLDER_SETUP")) + L" /S"), 0);
    EXPECT_NE(RegText(kEntryKey, L"DisplayVersion"), QUORVANE_VERSION);
    EXPECT_TRUE(Exists(folder + L"\\Retired.txt"));

    // The current version over the older one: what it no longer has is gone.
    ASSERT_EQ(RunCommand(TheSetup() + L" /S"), 0);
    ExpectInstalledIn(folder);
    const ProgramResult version = RunProgram(Narrow(folder) + "\\quorvane-list.exe", {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.substr(0, version.out.find_first_of("\r\n")),
              "quorvane-list " QUORVANE_VERSION);
    ExpectWindowListsItsSamples(folder + L"\\quorvane.exe");
    const std::string storedFolder = RegText(kSettingsKey, L"Folder");
    EXPECT_EQ(storedFolder, Narrow(folder) + "\\Samples");

    // The same version once more: in place, one entry, the settings as they were.
    ASSERT_EQ(RunCommand(TheSetup() + L" /S"), 0);
    ExpectInstalledIn(folder);

    UninstallAsTheEntrySays(folder);
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    EXPECT_EQ(RegText(kEntryKey, L"DisplayName"), "(none)");
    EXPECT_EQ(RegText(kSettingsKey, L"Folder"), storedFolder) << "the user's settings stay";
}

TEST(SetupProgram, InstallsIntoTheFolderThatSlashDNames) {
    const std::wstring folder = L"D:\\Apps\\Quorvane";
    ASSERT_EQ(RunCommand(TheSetup() + L" /S /D=" + folder), 0);
    ExpectInstalledIn(folder);
    EXPECT_FALSE(Exists(DefaultFolder()));
    UninstallAsTheEntrySays(folder);
}

// The text of a message box that `process` shows, once it shows one; its button `id` then
// pressed.
std::string AnswerBoxOf(const PROCESS_INFORMATION& process, int id) {
    struct Search {
        DWORD process;
        HWND box = nullptr;
    } search{process.dwProcessId};
    Eventually([&] {
        EnumWindows(
            [](HWND window, LPARAM found) {
                auto& search = *reinterpret_cast<Search*>(found);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (owner == search.process && IsWindowVisible(window) &&
                    std::wstring(name) == L"#32770") {
                    search.box = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.box != nullptr;
    });
    if (!search.box) return "(no message box)";
    // Windows gives the text the identifier 0xFFFF, Wine 100.
    HWND text = GetDlgItem(search.box, 0xFFFF);
    if (!text) text = GetDlgItem(search.box, 100);
    wchar_t words[512] = {};
    SendMessageW(text, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(words));
    PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.box, id)));
    return Narrow(words);
}

TEST(SetupProgram, NeitherUninstallsNorInstallsWhileQuorvaneRuns) {
    const std::wstring folder = DefaultFolder();
    ASSERT_EQ(RunCommand(TheSetup() + L" /S"), 0);
    // In place (_?=, which comes last), so that the uninstaller's own exit code comes back.
    const std::wstring uninstaller = Quoted(folder + L"\\Uninstall.exe");
    const std::wstring inPlace = L" _?=" + folder;
    {
        ProgramWindow running(L"", folder + L"\\quorvane.exe");
        EXPECT_EQ(RunCommand(uninstaller + L" /S" + inPlace), 2);
        EXPECT_EQ(RunCommand(TheSetup() + L" /S"), 2);
        const PROCESS_INFORMATION asked = Start(uninstaller + inPlace);
        EXPECT_TRUE(AnswerBoxOf(asked, IDCANCEL)
                        .starts_with("Quorvane cannot be uninstalled while it is running."));
        EXPECT_EQ(ExitCodeOf(asked), 2);
        ExpectInstalledIn(folder);
        EXPECT_EQ(running.close(), 0);
    }
    UninstallAsTheEntrySays(folder);
}

TEST(PortableZip, ProgramsRunWhereItIsUnpacked) {
    const std::wstring folder = Given(L"QUORVANE_PORTABLE");
    const ProgramResult version = RunProgram(Narrow(folder) + "\\quorvane-list.exe", {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.starts_with("quorvane-list " QUORVANE_VERSION)) << version.out;
    ExpectWindowListsItsSamples(folder + L"\\quorvane.exe");
    EXPECT_EQ(RegText(kSettingsKey, L"Folder"), Narrow(folder) + "\\Samples")
        << "the settings go to the user's registry";
}

// The strings of a file's version information, and its version in four numbers as "(fixed)".
std::map<std::string, std::string> VersionInformationOf(const std::wstring& file) {
    std::map<std::string, std::string> found;
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (data.empty() ||
        !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
        return found;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &value, &length) && length) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        found["(fixed)"] = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                           std::to_string(LOWORD(fixed->dwFileVersionLS));
    }
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) || !length) {
        return found;
    }
    const auto* language = static_cast<const WORD*>(value);
    wchar_t block[64] = {};
    wsprintfW(block, L"\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
    for (const wchar_t* name :
         {L"CompanyName", L"FileDescription", L"FileVersion", L"LegalCopyright",
          L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        if (VerQueryValueW(data.data(), (std::wstring(block) + name).c_str(), &value, &length) &&
            length) {
            found[Narrow(name)] = Narrow(static_cast<const wchar_t*>(value));
        }
    }
    return found;
}

TEST(SetupProgram, ProgramsAndSetupCarryTheProjectsVersion) {
    const std::wstring portable = Given(L"QUORVANE_PORTABLE");
    const struct {
        std::wstring file;
        std::string description;
        std::string fileName;
    } cases[] = {
        {portable + L"\\quorvane.exe", "Quorvane", "quorvane.exe"},
        {portable + L"\\quorvane-list.exe", "Quorvane's folder lists on the command line",
         "quorvane-list.exe"},
        {Given(L"QUORVANE_SETUP"), "Quorvane Setup", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.file));
        auto information = VersionInformationOf(c.file);
        // The project's version has three numbers; Windows' has a fourth.
        EXPECT_EQ(information["(fixed)"], QUORVANE_VERSION ".0");
        EXPECT_EQ(information["FileVersion"], QUORVANE_VERSION);
        EXPECT_EQ(information["ProductVersion"], QUORVANE_VERSION);
        EXPECT_EQ(information["CompanyName"], "Brindlework");
        EXPECT_EQ(information["ProductName"], "Quorvane");
        EXPECT_EQ(information["FileDescription"], c.description);
        EXPECT_TRUE(information["LegalCopyright"].starts_with("Copyright ") &&
                    information["LegalCopyright"].ends_with(" Brindlework"))
            << information["LegalCopyright"];
        if (!c.fileName.empty()) {
            EXPECT_EQ(information["OriginalFilename"], c.fileName);
        }
    }
}

}  // namespace
}  // namespace quorvane::test
