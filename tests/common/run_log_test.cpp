#include <windows.h>

#include "common/paths.h"
#include "common/program_paths.h"
#include "common/run_log.h"
#include "support/file_util.h"
#include "support/host_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <vector>

namespace {

using testing_support::MakeFolders;
using testing_support::ReadTextFile;
using testing_support::TempFolder;
using testing_support::WriteTextFile;

// Points %TEMP% at a folder of the test for the fallback, and back.
class TempVariable {
 public:
  explicit TempVariable(const std::string& folder) {
    char value[MAX_PATH] = {};
    had_ = GetEnvironmentVariableA("TEMP", value, sizeof value) > 0;
    saved_ = value;
    SetEnvironmentVariableA("TEMP", folder.c_str());
  }
  ~TempVariable() { SetEnvironmentVariableA("TEMP", had_ ? saved_.c_str() : nullptr); }

 private:
  bool had_ = false;
  std::string saved_;
};

// A folder made read-only for the object's life by a read-only bind mount
// on the host: under Wine, root writes through read-only attributes.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder) : unix_(testing_support::UnixPath(folder)) {
    mounted_ = testing_support::RunHostCommand({"sh", "-c",
                                                "mount --bind \"$0\" \"$0\" && "
                                                "mount -o remount,ro,bind \"$0\" \"$0\"",
                                                unix_})
                   .exit_code == 0;
  }
  ~ReadOnlyFolder() {
    if (mounted_) testing_support::RunHostCommand({"umount", unix_});
  }
  bool Mounted() const { return mounted_; }

 private:
  std::string unix_;
  bool mounted_ = false;
};

// The CR LF lines of a text; a last line without CR LF counts as one.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class RunLogTest : public testing::Test {
 protected:
  TempFolder folder_;
  TempFolder temp_;
  TempVariable temp_variable_{temp_.Path()};
  std::string fallback_ = temp_ / "Korvelund.log";
};

TEST_F(RunLogTest, AppendsStampedCrLfLinesAndNeverTruncates) {
  const std::string path = folder_ / "run.log";
  WriteTextFile(path, "earlier run\r\n");
  {
    RunLog log(path, "Korvelund.exe");
    log.Write({"first"});
    log.Write({"second \xC4\xF0"});  // ANSI text (code page 1252) goes out in UTF-8
  }
  RunLog(path, "Korvelund.exe").Write({"next run"});
  const std::regex expected(
      "earlier run\r\n"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Korvelund.exe: first\r\n"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Korvelund.exe: second \xC3\x84\xC3\xB0\r\n"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Korvelund.exe: next run\r\n");
  EXPECT_TRUE(std::regex_match(ReadTextFile(path), expected)) << ReadTextFile(path);
  EXPECT_FALSE(testing_support::ReadTextFile(fallback_).size());
}

// A new log says it is UTF-8; names go in as they are, ANSI text converted.
TEST_F(RunLogTest, NewLogIsUtf8WithItsByteOrderMark) {
  const std::string path = folder_ / "new.log";
  RunLog(path, "Korvelund.exe")
      .Write({"name ", LogName("\xCE\xA9mega \xE6\x97\xA5"), ", text \xC4"});
  RunLog(path, "Korvelund.exe").Write({"again"});
  const std::regex expected(
      "\xEF\xBB\xBF"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Korvelund.exe: name \xCE\xA9mega \xE6\x97\xA5, "
      "text \xC3\x84\r\n"
      "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Korvelund.exe: again\r\n");
  EXPECT_TRUE(std::regex_match(ReadTextFile(path), expected)) << ReadTextFile(path);
}

TEST_F(RunLogTest, EmptyPathWritesNothingAnywhere) {
  RunLog log("", "Korvelund.exe");
  log.Write({"nothing"});
  EXPECT_EQ(GetFileAttributesA(fallback_.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Places a log cannot be written to: the run goes on and the lines land in
// %TEMP%\Korvelund.log instead.
TEST_F(RunLogTest, UnwritablePlaceFallsBackToTempOnce) {
  MakeFolders(folder_ / "a folder");
  WriteTextFile(folder_ / "read-only\\Korvelund.log", "kept\r\n");
  const ReadOnlyFolder read_only(folder_ / "read-only");
  ASSERT_TRUE(read_only.Mounted());
  for (const std::string& place :
       {folder_ / "no such folder\\run.log", folder_ / "a folder",
        folder_ / "read-only\\Korvelund.log", folder_ / "read-only\\new.log"}) {
    SCOPED_TRACE(place);
    DeleteFileA(fallback_.c_str());
    {
      RunLog log(place, "Korvelund.exe");
      log.Write({"one"});
      log.Write({"two"});
    }
    const std::string text = ReadTextFile(fallback_);
    // The first line says where the log was meant to go, and why it is not there.
    EXPECT_NE(text.find("Korvelund.exe: log " + place + " not written ("), std::string::npos)
        << text;
    EXPECT_LT(text.find(" not written ("), text.find(" one\r\n")) << text;
    EXPECT_NE(text.find(" one\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" two\r\n"), std::string::npos) << text;
  }
  EXPECT_EQ(ReadTextFile(folder_ / "read-only\\Korvelund.log"), "kept\r\n");
  EXPECT_EQ(GetFileAttributesA((folder_ / "no such folder").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunLogTest, NoWritablePlaceAtAllIsQuietlyNoLog) {
  TempVariable nowhere(folder_ / "missing temp");
  RunLog log(folder_ / "missing\\run.log", "Korvelund.exe");
  log.Write({"lost"});
  log.Write({"lost too"});
  EXPECT_EQ(GetFileAttributesA((folder_ / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((folder_ / "missing temp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunLogTest, LogOverOneMegabyteIsSetAsideAsOldBeforeAppending) {
  const std::string path = folder_ / "Korvelund.log";
  const std::string old = folder_ / "Korvelund.old";
  std::string full =
      "\xEF\xBB\xBF"
      "2026-01-09 07:05:03 Halbrent.exe: started\r\n";
  full.resize(kRunLogRolloverSize, 'x');
  WriteTextFile(old, "the run before last");

  WriteTextFile(path, full);  // exactly 1 MB stays
  RunLog(path, "Korvelund.exe").Write({"appended"});
  EXPECT_EQ(ReadTextFile(path).substr(0, full.size()), full);
  EXPECT_EQ(ReadTextFile(old), "the run before last");

  RunLog(path, "Korvelund.exe").Write({"fresh"});  // now over 1 MB
  EXPECT_EQ(ReadTextFile(old).size(), full.size() + 45);
  const std::string text = ReadTextFile(path);
  // The new log starts with the byte-order mark.
  EXPECT_EQ(text.size(), kUtf8ByteOrderMark.size() + 42u) << text;
  EXPECT_TRUE(text.starts_with(kUtf8ByteOrderMark)) << text;
  EXPECT_NE(text.find(" fresh\r\n"), std::string::npos);
}

// A LogFile that names some other large file: it stays byte for byte, and
// the lines go to the fallback place with the reason.
TEST_F(RunLogTest, LargeFileThatIsNoRunLogIsLeftAlone) {
  const std::string path = folder_ / "setup.dat";
  const std::string other = "MZ" + std::string(kRunLogRolloverSize, 'x');
  WriteTextFile(path, other);
  RunLog(path, "Korvelund.exe").Write({"here"});
  EXPECT_EQ(ReadTextFile(path), other);
  EXPECT_FALSE(FileExists(folder_ / "setup.old"));
  const std::vector<std::string> lines = LinesOf(ReadTextFile(fallback_));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ends_with("Korvelund.exe: log " + path +
                                 " not written (over 1 MB and not a run log, so left as it is): "
                                 "this log instead"))
      << lines[0];
  EXPECT_TRUE(lines[1].ends_with("Korvelund.exe: here")) << lines[1];
}

// Two programs appending to one log at once lose no line and tear none, in
// either way of appending.
TEST_F(RunLogTest, TwoProgramsWritingAtOnceLoseNoLine) {
  const std::string writer = ExtractFilePath(ProgramFileName()) + "run_log_writer.exe";
  constexpr int kLines = 2000;
  for (const char* way : {"append", "locked"}) {
    SCOPED_TRACE(way);
    const std::string path = folder_ / (std::string(way) + ".log");
    WriteTextFile(path, "");
    std::vector<PROCESS_INFORMATION> writers;
    for (const char* program : {"Korvelund.exe", "Halbrent.exe"}) {
      std::string command = "\"" + writer + "\" \"" + path + "\" " + program + " " +
                            std::to_string(kLines) + " " + way;
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION process{};
      ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
      writers.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : writers) {
      EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
      DWORD code = 1;
      GetExitCodeProcess(process.hProcess, &code);
      EXPECT_EQ(code, 0u);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    const std::regex line(
        R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d (Korvelund|Halbrent)\.exe: line (\d+) of this writer)");
    std::map<std::string, int> next{{"Korvelund", 0}, {"Halbrent", 0}};
    int torn = 0;
    for (const std::string& text : LinesOf(ReadTextFile(path))) {
      std::smatch match;
      if (!std::regex_match(text, match, line)) {
        ++torn;
        continue;
      }
      // Each writer's lines in its own order, none missing.
      EXPECT_EQ(std::stoi(match[2]), next[match[1]]++) << text;
    }
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(next["Korvelund"], kLines);
    EXPECT_EQ(next["Halbrent"], kLines);
  }
}

TEST_F(RunLogTest, PlaceFromTheSettingsFile) {
  const std::string settings = folder_ / "Korvelund.ini";
  SetEnvironmentVariableA("KV_LOG_FOLDER", "D:\\logs");
  struct Case {
    const char* settings;  // null: no settings file
    std::string expected;
  };
  const Case cases[] = {
      {nullptr, "C:\\WIN\\Korvelund.log"},
      {"[Options]\r\nDrvFolder=x\r\n", "C:\\WIN\\Korvelund.log"},
      {"[CopyFiles]\r\nLogFile=E:\\elsewhere.log\r\n", "C:\\WIN\\Korvelund.log"},
      {"[Options]\r\nLogFile=\r\n", ""},
      {"[options]\r\nlogfile=%KV_LOG_FOLDER%\\kv.log\r\n", "D:\\logs\\kv.log"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings ? c.settings : "no settings file");
    DeleteFileA(settings.c_str());
    if (c.settings) WriteTextFile(settings, c.settings);
    EXPECT_EQ(RunLogPath(settings, "C:\\WIN"), c.expected);
  }
}

TEST(SystemErrorTextTest, IsTheSystemsSentenceOnOneLine) {
  const std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_NE(text.find("ccess"), std::string::npos) << text;
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "error 805306367");
}

}  // namespace
