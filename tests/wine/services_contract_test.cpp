// File deletion and program start against the real system of a throwaway prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_system_queries.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

const std::string kFolder = "c:\\runwarden tests\\";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Polls |done| until it holds; the deadline is only an upper bound for a loaded machine.
template <class Condition>
bool WaitFor(Condition done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 60000) return false;
    Sleep(50);
  }
  return true;
}

bool WaitForFile(const std::string& path) {
  return WaitFor([&] { return Exists(path); });
}

// True while a process runs from a file of that name (the name alone, as the
// system lists processes).
bool ProcessRuns(const char* fileName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: keep waiting
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry)) {
    found = lstrcmpiA(entry.szExeFile, fileName) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A file's bytes, attributes, creation and last-write times, read with the test's own calls.
using FileState = std::tuple<std::string, DWORD, std::uint64_t, std::uint64_t>;
FileState Observe(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  FILETIME created = {}, written = {};
  GetFileTime(file, &created, nullptr, &written);
  CloseHandle(file);
  bytes.resize(read);
  return {bytes, GetFileAttributesW(path.c_str()), Ticks(created), Ticks(written)};
}

class ServicesContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wine::RemoveTree(kFolder);
    ASSERT_TRUE(wine::MakeFolders(kFolder));
  }
  void TearDown() override { wine::RemoveTree(kFolder); }
  Win32FileSystem files;
};

TEST_F(ServicesContractTest, RemoveFileDeletesReadOnlyFilesToo) {
  ASSERT_TRUE(wine::WriteTextFile(kFolder + "plain.lnk", "x"));
  ASSERT_TRUE(wine::WriteTextFile(kFolder + "locked.lnk", "x", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(kFileRemoved, files.RemoveFile(kFolder + "plain.lnk"));
  EXPECT_EQ(kFileRemoved, files.RemoveFile(kFolder + "locked.lnk"));
  EXPECT_FALSE(Exists(kFolder + "plain.lnk"));
  EXPECT_FALSE(Exists(kFolder + "locked.lnk"));
}

TEST_F(ServicesContractTest, RemovingAMissingFileSaysWhy) {
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, files.RemoveFile(kFolder + "gone.lnk"));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, files.RemoveFile(kFolder + "no folder\\gone.lnk"));
}

TEST_F(ServicesContractTest, AnOpenFileThatCannotBeDeletedKeepsItsAttributes) {
  const std::string path = kFolder + "busy.lnk";
  ASSERT_TRUE(wine::WriteTextFile(path, "x", FILE_ATTRIBUTE_READONLY));
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const long error = files.RemoveFile(path);
  CloseHandle(held);
  EXPECT_EQ(ERROR_SHARING_VIOLATION, error);
  EXPECT_TRUE(Exists(path));
  EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ServicesContractTest, FileExistsSeesHiddenFilesAndFolders) {
  ASSERT_TRUE(wine::WriteTextFile(kFolder + "secret.txt", "x", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(files.FileExists(kFolder + "secret.txt"));
  EXPECT_TRUE(files.FileExists("c:\\runwarden tests"));
  EXPECT_FALSE(files.FileExists(kFolder + "absent.txt"));
}

TEST_F(ServicesContractTest, AnEmptyFolderListsNothingAndAMissingOneFails) {
  std::vector<FolderFile> listing{{"stale", "stale", ExactName("stale")}};
  EXPECT_EQ(0, files.ListFiles(kFolder, &listing));
  EXPECT_TRUE(listing.empty());
  EXPECT_EQ(kErrorPathNotFound, files.ListFiles(kFolder + "missing\\", &listing));
  EXPECT_TRUE(listing.empty());
}

TEST_F(ServicesContractTest, ErrorTextIsTheSystemsOwnSentenceWithoutItsLineBreak) {
  Win32SystemQueries system;
  char expected[512] = {};
  ASSERT_NE(0u, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               ERROR_ACCESS_DENIED, 0, expected, sizeof expected, nullptr));
  const std::string text = system.ErrorText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(0u, std::string(expected).find(text));
  EXPECT_EQ(std::string::npos, text.find_first_of("\r\n"));
  EXPECT_EQ("", system.ErrorText(0x2FFFFFFF)) << "a code the system has no text for";
}

// A key made into a buffer is the key SortKey or SortKeyWide makes; where it
// cannot be made there, -1 says so and the caller makes it.
TEST_F(ServicesContractTest, AKeyMadeIntoABufferIsTheOrdinaryKeyOrNone) {
  Win32SystemQueries system;
  char key[64];
  for (const std::u16string& text : {std::u16string(), std::u16string(u"Agent"), std::u16string(u"\u00c4rger-Lösung")}) {
    const int wide = system.SortKeyInto(text.data(), text.size(), true, key, sizeof key);
    EXPECT_EQ(system.SortKeyWide(text), std::string(key, wide < 0 ? 0 : wide));
    const std::string ansi(text.begin(), text.end());  // Latin-1 letters: one byte a unit
    const int narrow = system.SortKeyInto(text.data(), text.size(), false, key, sizeof key);
    EXPECT_EQ(system.SortKey(ansi), std::string(key, narrow < 0 ? 0 : narrow));
  }
  const std::u16string longName(600, u'x');
  EXPECT_EQ(-1, system.SortKeyInto(longName.data(), 5, true, key, 4)) << "too small a buffer";
  EXPECT_EQ(-1, system.SortKeyInto(longName.data(), longName.size(), false, key, sizeof key));
}

// Jobs run in turn on a thread of their own; those it cannot take at once
// are refused, and the caller runs them.
TEST_F(ServicesContractTest, BackgroundJobsRunInTurnBesideTheCaller) {
  struct Record {
    std::vector<DWORD> threads = std::vector<DWORD>(500, 0);
    std::vector<int> order = std::vector<int>(500, -1);
    LONG next = 0;
  } record;
  struct Job {
    Record* record;
    int number;
    static void Run(void* context) {
      auto* job = static_cast<Job*>(context);
      job->record->threads[job->number] = GetCurrentThreadId();
      job->record->order[InterlockedIncrement(&job->record->next) - 1] = job->number;
    }
  };
  std::vector<Job> jobs;
  for (int i = 0; i < 500; ++i) jobs.push_back({&record, i});
  int refused = 0;
  {
    Win32BackgroundWork work;
    for (Job& job : jobs) {
      if (!work.Post(&Job::Run, &job)) ++refused, Job::Run(&job);
    }
    work.Wait();
    ASSERT_EQ(500, record.next) << "every job has run once Wait returns";
    std::vector<int> ranBeside;  // in the order they ran
    for (const int number : record.order) {
      if (record.threads[number] != GetCurrentThreadId()) ranBeside.push_back(number);
    }
    EXPECT_EQ(500u - refused, ranBeside.size());
    EXPECT_FALSE(ranBeside.empty());
    EXPECT_TRUE(std::is_sorted(ranBeside.begin(), ranBeside.end())) << "in the order posted";
    record.order.resize(750);
    for (int i = 0; i < 250; ++i) {
      if (!work.Post(&Job::Run, &jobs[i])) Job::Run(&jobs[i]);
    }  // those posted are waited for as the work ends
  }
  EXPECT_EQ(750, record.next);
}

TEST_F(ServicesContractTest, EachListingAsksTheShellForTypeDescriptionsAfresh) {
  const char kExtensionKey[] = ".rwzq";
  const char kTypeKey[] = "Runwarden.TestType";
  wine::RemoveKey(HKEY_CLASSES_ROOT, kExtensionKey);
  wine::RemoveKey(HKEY_CLASSES_ROOT, kTypeKey);
  ASSERT_TRUE(wine::WriteTextFile(kFolder + "tool.rwzq", "x"));
  std::vector<FolderFile> listing;
  ASSERT_EQ(0, files.ListFiles(kFolder, &listing));
  ASSERT_EQ(1u, listing.size());
  const ExactName unregistered = listing[0].type;
  // The type is registered between two loads, through the same object.
  ASSERT_TRUE(wine::SetStringValue(HKEY_CLASSES_ROOT, kExtensionKey, "", kTypeKey));
  ASSERT_TRUE(wine::SetStringValue(HKEY_CLASSES_ROOT, kTypeKey, "", "Runwarden Test Type"));
  ASSERT_EQ(0, files.ListFiles(kFolder, &listing));
  wine::RemoveKey(HKEY_CLASSES_ROOT, kExtensionKey);
  wine::RemoveKey(HKEY_CLASSES_ROOT, kTypeKey);
  ASSERT_EQ(1u, listing.size());
  EXPECT_NE(ExactName::Wide(u"Runwarden Test Type"), unregistered);
  EXPECT_EQ(ExactName::Wide(u"Runwarden Test Type"), listing[0].type);
}

TEST_F(ServicesContractTest, StartsTheExactPathEvenWithBlanksInIt) {
  const std::string marker = OwnFolder() + "marker_program.exe";
  ASSERT_TRUE(Exists(marker));
  const std::string spaced = kFolder + "Program Files\\marker.exe";
  const std::string decoy = kFolder + "Program.exe";
  ASSERT_TRUE(wine::MakeFolders(kFolder + "Program Files"));
  ASSERT_TRUE(CopyFileA(marker.c_str(), spaced.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(marker.c_str(), decoy.c_str(), FALSE));
  Win32ProgramStarter programs;
  EXPECT_TRUE(programs.Start(spaced));
  EXPECT_TRUE(WaitForFile(spaced + ".ran"));
  // Whatever was started has written its mark once no such program runs any more.
  EXPECT_TRUE(WaitFor([] { return !ProcessRuns("marker.exe") && !ProcessRuns("Program.exe"); }));
  EXPECT_FALSE(Exists(decoy + ".ran")) << "the path was split at its first blank";
  EXPECT_FALSE(programs.Start(kFolder + "absent.exe"));
}

// A read-only hidden file named outside the code page, with times of its
// own, read whole, deleted with its folders and made anew: the same bytes,
// attributes and times (Wine keeps no creation time of its own and gives
// the last-write time for it). A file that is there is left as it is.
TEST_F(ServicesContractTest, AFileReadWholeIsMadeAnewExactly) {
  const std::wstring path = L"c:\\runwarden tests\\gone\\deeper\\\x5DE5\x5177.lnk";
  ASSERT_TRUE(wine::MakeFolders(kFolder + "gone\\deeper"));
  std::string bytes(251, '\0');  // NUL and high bytes, an odd length
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
  ASSERT_TRUE(wine::WriteTextFileWide(path, bytes));
  const FILETIME created = {0x12345670, 0x01C00000}, written = {0x89ABCDE0, 0x01D00000};
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(file, &created, nullptr, &written));
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  const FileState before = Observe(path);
  ASSERT_EQ(Ticks(written), std::get<3>(before));
  ASSERT_EQ(DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}, std::get<1>(before) & 3) << "kept by the system";

  const ExactName name = ExactName::Wide(std::u16string(path.begin(), path.end()));
  FileContents contents;
  EXPECT_EQ(kErrorFileTooLarge, files.ReadWholeFile(name, bytes.size() - 1, &contents));
  EXPECT_TRUE(contents.bytes.empty());
  ASSERT_EQ(0, files.ReadWholeFile(name, bytes.size(), &contents));
  EXPECT_EQ(before, FileState(std::string(contents.bytes.begin(), contents.bytes.end()), contents.attributes,
                              contents.creationTime, contents.lastWriteTime));
  ASSERT_EQ(kFileRemoved, files.RemoveFile(name));
  ASSERT_TRUE(wine::RemoveTree(kFolder + "gone"));
  ASSERT_EQ(0, files.CreateWholeFile(name, contents));
  EXPECT_EQ(before, Observe(path));

  contents.bytes = {'o', 't', 'h', 'e', 'r'};
  contents.attributes = FILE_ATTRIBUTE_NORMAL;
  EXPECT_EQ(kErrorFileExists, files.CreateWholeFile(name, contents));
  EXPECT_EQ(before, Observe(path));
  ASSERT_TRUE(wine::WriteTextFile(kFolder + "plain.lnk", "mine"));
  EXPECT_EQ(kErrorFileExists, files.CreateWholeFile(kFolder + "plain.lnk", contents));  // the ANSI calls
  EXPECT_EQ("mine", std::get<0>(Observe(L"c:\\runwarden tests\\plain.lnk")));
}

}  // namespace
}  // namespace rw
