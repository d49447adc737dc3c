// A platform for unit tests: plain values to fill in, and the two output streams captured.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_file_reader.h"
#include "platform/fake_system_facts.h"
#include "platform/platform.h"

namespace zentrel::platform {

struct FakePlatform : Platform {
  TLocalTime Clock{2026, 12, 7, 4, 15, 11, 270};
  /// The same moment in UTC; the local zone is UtcOffset seconds ahead of it.
  TLocalTime UtcClock{2026, 12, 7, 4, 15, 11, 270};
  std::int64_t UtcOffset = 0;
  std::uint32_t Pid = 1;
  std::vector<std::string> Args;
  std::string CommandLine = "zentrel";
  std::map<std::string, std::string> Env;
  std::string ExePath = "/opt/zentrel/bin/zentrel";
  std::map<std::string, std::string> Files;  ///< path -> contents
  std::map<std::string, std::string> ZoneFiles;  ///< zone name -> TZif bytes
  std::string Stdin;
  /// The most an input read hands over at once, so tests can cut lines across reads.
  std::size_t ReadPiece = 1 << 16;
  /// How often ReadWholeFile was asked for a file.
  int WholeFileReads = 0;
  TVersionStrings Version{TVersionStatus::Ok,
                          {{"FileVersion", "5.7.0.1501"},
                           {"ProductName", "Zentrel"},
                           {"FileDescription", "Test Description"},
                           {"LegalCopyright", "(c) Test"},
                           {"Comments", "Test Comments"}}};
  TFormatSettings Regional;
  std::string Out, Err;
  /// When set, every write to standard output fails with this reason.
  std::optional<std::string> OutFailure;
  int Beeps = 0;
  FakeSystemFacts Facts;
  /// How many more threads may start; -1 for any number.
  int ThreadsLeft = -1;

  TLocalTime Now() override { return Clock; }
  TLocalTime UtcNow() override { return UtcClock; }
  std::int64_t LocalOffsetAtUtc(std::int64_t) override { return UtcOffset; }
  std::int64_t LocalOffsetAtLocal(const TLocalTime&) override { return UtcOffset; }
  std::uint32_t ProcessId() override { return Pid; }
  const std::vector<std::string>& Arguments() override { return Args; }
  std::string RawCommandLine() override { return CommandLine; }
  std::optional<std::string> GetEnv(const std::string& name) override {
    auto it = Env.find(name);
    if (it == Env.end()) return std::nullopt;
    return it->second;
  }
  std::string ExecutablePath() override { return ExePath; }
  bool PathIsFile(const std::string& path) override {
    return path == ExePath || Files.count(path) != 0;
  }
  std::optional<std::string> WholeReadProblem(const std::string& path) override {
    if (PathIsFile(path)) return std::nullopt;
    return "no such file";
  }
  bool ReadWholeFile(const std::string& path, std::string& contents) override {
    ++WholeFileReads;
    auto it = Files.find(path);
    if (it == Files.end()) return false;
    contents = it->second;
    return true;
  }
  std::unique_ptr<TInputStream> OpenInput(const std::string& path,
                                          std::string& problem) override {
    struct TStringInput : TInputStream {
      TStringInput(std::string text, std::size_t piece) : Text(std::move(text)), Piece(piece) {}
      TReadOutcome Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, Piece, Text.size() - At});
        Text.copy(buffer, n, At);
        At += n;
        return {n, std::nullopt};
      }
      std::string Text;
      std::size_t Piece, At = 0;
    };
    if (path.empty()) return std::make_unique<TStringInput>(Stdin, ReadPiece);
    auto it = Files.find(path);
    if (it == Files.end()) {
      problem = "no such file";
      return nullptr;
    }
    return std::make_unique<TStringInput>(it->second, ReadPiece);
  }
  TVersionStrings ReadVersionInfo(const std::string& path) override {
    if (!PathIsFile(path)) return {TVersionStatus::NoFile, {}};
    return Version;
  }
  std::optional<std::string> ReadZoneFile(const std::string& name) override {
    auto it = ZoneFiles.find(name);
    if (it == ZoneFiles.end()) return std::nullopt;
    return it->second;
  }
  TFormatSettings RegionalSettings() override { return Regional; }
  std::optional<std::string> Write(TStream stream, std::string_view bytes) override {
    if (stream == TStream::Out && OutFailure) return OutFailure;
    (stream == TStream::Out ? Out : Err).append(bytes);
    return std::nullopt;
  }
  void Beep() override { ++Beeps; }
  SystemFacts& System() override { return Facts; }
  std::thread StartThread(std::function<void()> work) override {
    return StartCountedThread(ThreadsLeft, std::move(work));
  }
};

}  // namespace zentrel::platform
