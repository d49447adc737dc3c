#include "platform/win32/win32_platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <array>
#include <climits>

#include "platform/win32/command_line.h"
#include "platform/win32/regional_settings.h"
#include "platform/win32/unicode.h"
#include "platform/win32/windows_system.h"

namespace zentrel::platform {
namespace {

/// Errors of GetFileAttributesW that say for certain that no file is there.
bool MeansNoFile(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:     // 2
    case ERROR_PATH_NOT_FOUND:     // 3
    case ERROR_INVALID_DRIVE:      // 15
    case ERROR_NOT_READY:          // 21
    case ERROR_BAD_NETPATH:        // 53
    case ERROR_INVALID_PARAMETER:  // 87
    case ERROR_INVALID_NAME:       // 123
    case ERROR_BAD_PATHNAME:       // 161
      return true;
    default:
      return false;
  }
}

/// The file types a whole read ends on: a character device (NUL, CON, COM1) may never end
/// or wait for a keyboard; a pipe ends when its writer closes it.
bool IsWholeReadType(DWORD type) { return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE; }

// The system's zone conversions work on SYSTEMTIME, which starts in 1601. A moment before
// that takes the offset of the same day of the year in 1601, where no daylight saving
// rules reach: the standard offset.
constexpr std::int64_t kFileTimePerSecond = 10'000'000;
constexpr std::int64_t kFileTimeOfUnixEpoch = 116'444'736'000'000'000;  // 01/01/1970 in 100 ns
constexpr std::int64_t kUnixSecondsOf1601 = -11'644'473'600;

std::int64_t FileTimeValue(const SYSTEMTIME& t) {
  FILETIME ft{};
  if (!SystemTimeToFileTime(&t, &ft)) return 0;
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) |
                                   ft.dwLowDateTime);
}

SYSTEMTIME SystemTimeOfUnix(std::int64_t unixSeconds) {
  if (unixSeconds < kUnixSecondsOf1601) unixSeconds = kUnixSecondsOf1601;
  const std::uint64_t value = static_cast<std::uint64_t>(
      unixSeconds * kFileTimePerSecond + kFileTimeOfUnixEpoch);
  FILETIME ft{static_cast<DWORD>(value & 0xffffffffu), static_cast<DWORD>(value >> 32)};
  SYSTEMTIME t{};
  FileTimeToSystemTime(&ft, &t);
  return t;
}

SYSTEMTIME WithinSystemTimeRange(const TLocalTime& time) {
  SYSTEMTIME t{};
  const bool early = time.Year < 1601;
  t.wYear = static_cast<WORD>(early ? 1601 : time.Year);
  t.wMonth = static_cast<WORD>(time.Month);
  // 1601 is no leap year: its 28 February stands in for an earlier 29th.
  t.wDay = static_cast<WORD>(early && time.Month == 2 && time.Day == 29 ? 28 : time.Day);
  t.wHour = static_cast<WORD>(time.Hour);
  t.wMinute = static_cast<WORD>(time.Minute);
  t.wSecond = static_cast<WORD>(time.Second);
  return t;
}

/// local - utc in whole seconds.
std::int64_t SecondsBetween(const SYSTEMTIME& utc, const SYSTEMTIME& local) {
  return (FileTimeValue(local) - FileTimeValue(utc)) / kFileTimePerSecond;
}

/// The version strings the program reads from an executable's version resource.
constexpr std::array<const wchar_t*, 9> kVersionKeys{
    L"ProductName",  L"InternalName",    L"OriginalFilename",
    L"FileVersion",  L"ProductVersion",  L"FileDescription",
    L"CompanyName",  L"LegalCopyright",  L"Comments"};

/// One string of the version block under "\StringFileInfo\<language><code page>\"; nullopt
/// when the block does not hold it.
std::optional<std::wstring> QueryVersionString(const void* block, const wchar_t* table,
                                               const wchar_t* key) {
  std::wstring path = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + key;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block, path.c_str(), &value, &length) || value == nullptr) {
    return std::nullopt;
  }
  std::wstring text(static_cast<const wchar_t*>(value), length);
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

class Win32Platform final : public Platform {
 public:
  Win32Platform() {
    const wchar_t* line = GetCommandLineW();
    std::wstring_view raw = line != nullptr ? std::wstring_view(line) : std::wstring_view();
    rawCommandLine_ = Narrow(raw);
    args_ = SplitCommandLine(std::u16string(raw.begin(), raw.end()));
    if (!args_.empty()) args_.erase(args_.begin());  // the program name
  }

  TLocalTime Now() override {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }

  TLocalTime UtcNow() override {
    SYSTEMTIME t{};
    GetSystemTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }

  std::int64_t LocalOffsetAtUtc(std::int64_t unixSeconds) override {
    SYSTEMTIME utc = SystemTimeOfUnix(unixSeconds);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
    return SecondsBetween(utc, local);
  }

  std::int64_t LocalOffsetAtLocal(const TLocalTime& time) override {
    SYSTEMTIME local = WithinSystemTimeRange(time);
    SYSTEMTIME utc{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc)) return 0;
    return SecondsBetween(utc, local);
  }

  std::uint32_t ProcessId() override { return GetCurrentProcessId(); }

  const std::vector<std::string>& Arguments() override { return args_; }

  std::string RawCommandLine() override { return rawCommandLine_; }

  std::optional<std::string> GetEnv(const std::string& name) override {
    std::wstring wideName = Wide(name);
    std::wstring value(256, L'\0');
    for (;;) {
      SetLastError(ERROR_SUCCESS);
      DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                        static_cast<DWORD>(value.size()));
      if (n == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();  // set, but empty
      }
      if (n < value.size()) {
        value.resize(n);
        return Narrow(value);
      }
      value.resize(n);  // n counts the terminating zero when the buffer was too small
    }
  }

  std::string ExecutablePath() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return {};
      if (n < path.size()) {
        path.resize(n);
        return Narrow(path);
      }
      if (path.size() >= 32768) return {};  // longer than any Windows path can be
      path.resize(path.size() * 2);
    }
  }

  bool PathIsFile(const std::string& path) override {
    std::wstring wide = Wide(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    if (MeansNoFile(GetLastError())) return false;
    // Attributes can be denied (a locked or protected file); its directory entry still
    // tells whether it is there.
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileExW(wide.c_str(), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::optional<std::string> WholeReadProblem(const std::string& path) override {
    if (path.empty()) return "no such file";
    if (!PathIsFile(path)) {
      const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) return "is a directory";
      return GetLastError() == ERROR_ACCESS_DENIED ? "permission denied" : "no such file";
    }
    // A device has the attributes of a file; only a handle tells its type. Opened to read
    // (CON opens for nothing less), but nothing is read.
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      // A file held by another program, or one this user may not read, is there all the
      // same: the read reports it. Any other failure (CON without a console) leaves nothing
      // to read.
      const DWORD error = GetLastError();
      if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
          error == ERROR_ACCESS_DENIED) {
        return std::nullopt;
      }
      return "not a regular file or pipe";
    }
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    if (!IsWholeReadType(type)) return "not a regular file or pipe";
    return std::nullopt;
  }

  bool ReadWholeFile(const std::string& path, std::string& contents) override {
    std::wstring wide = Wide(path);
    contents.clear();
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Judged on the handle, so a name that changes after a check cannot bring a device in.
    const DWORD type = GetFileType(file);
    if (!IsWholeReadType(type)) {
      CloseHandle(file);
      return false;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < contents.max_size()) {
      contents.reserve(static_cast<size_t>(size.QuadPart));
    }
    std::array<char, 1 << 16> chunk{};
    bool ok = true;
    for (;;) {
      DWORD n = 0;
      if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr)) {
        // A pipe whose writer has closed it ends this way, not with a read of nothing.
        ok = type == FILE_TYPE_PIPE && GetLastError() == ERROR_BROKEN_PIPE;
        break;
      }
      if (n == 0) break;
      contents.append(chunk.data(), n);
    }
    CloseHandle(file);
    return ok;
  }

  // Windows keeps its zones in the registry in a form of its own: named zones come from
  // the program's built-in copy of the tz database.
  std::optional<std::string> ReadZoneFile(const std::string&) override { return std::nullopt; }

  std::unique_ptr<TInputStream> OpenInput(const std::string& path,
                                          std::string& problem) override {
    if (path.empty()) return std::make_unique<HandleInput>(GetStdHandle(STD_INPUT_HANDLE), false);
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
      problem = attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                    ? "is a directory"
                : error == ERROR_ACCESS_DENIED ? "permission denied"
                : MeansNoFile(error)           ? "no such file"
                                               : LastErrorText();
      return nullptr;
    }
    return std::make_unique<HandleInput>(file, true);
  }

  TVersionStrings ReadVersionInfo(const std::string& path) override {
    if (!PathIsFile(path)) return {TVersionStatus::NoFile, {}};
    std::wstring wide = Wide(path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
    if (size == 0) {
      DWORD error = GetLastError();
      bool none = error == ERROR_RESOURCE_DATA_NOT_FOUND ||
                  error == ERROR_RESOURCE_TYPE_NOT_FOUND ||
                  error == ERROR_RESOURCE_NAME_NOT_FOUND ||
                  error == ERROR_RESOURCE_LANG_NOT_FOUND;
      return {none ? TVersionStatus::NoVersionInfo : TVersionStatus::Failed, {}};
    }
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(wide.c_str(), 0, size, block.data())) {
      return {TVersionStatus::Failed, {}};
    }

    // The string tables are named by language and code page; the translation list says
    // which the file has. Without one, the common US English tables are tried.
    std::vector<std::wstring> tables;
    struct TTranslation {
      WORD Language, CodePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
        value != nullptr) {
      const auto* list = static_cast<const TTranslation*>(value);
      for (UINT k = 0; k < length / sizeof(TTranslation); ++k) {
        wchar_t name[9];
        swprintf(name, 9, L"%04x%04x", list[k].Language, list[k].CodePage);
        tables.emplace_back(name);
      }
    }
    tables.emplace_back(L"040904b0");
    tables.emplace_back(L"040904e4");

    TVersionStrings result{TVersionStatus::Ok, {}};
    for (const wchar_t* key : kVersionKeys) {
      for (const std::wstring& table : tables) {
        if (auto text = QueryVersionString(block.data(), table.c_str(), key)) {
          result.Strings[Narrow(std::wstring_view(key))] = Narrow(*text);
          break;
        }
      }
    }
    return result;
  }

  TFormatSettings RegionalSettings() override {
    return BuildRegionalSettings([](TLocaleItem item, int index) -> std::optional<std::string> {
      LCTYPE type = 0;
      switch (item) {
        case TLocaleItem::DateSeparator: type = LOCALE_SDATE; break;
        case TLocaleItem::TimeSeparator: type = LOCALE_STIME; break;
        case TLocaleItem::DecimalSeparator: type = LOCALE_SDECIMAL; break;
        case TLocaleItem::ShortDatePattern: type = LOCALE_SSHORTDATE; break;
        case TLocaleItem::LongDatePattern: type = LOCALE_SLONGDATE; break;
        case TLocaleItem::ShortTimePattern: type = LOCALE_SSHORTTIME; break;
        case TLocaleItem::LongTimePattern: type = LOCALE_STIMEFORMAT; break;
        case TLocaleItem::AmText: type = LOCALE_S1159; break;
        case TLocaleItem::PmText: type = LOCALE_S2359; break;
        case TLocaleItem::LongMonthName: type = LOCALE_SMONTHNAME1 + index; break;
        case TLocaleItem::GenitiveMonthName:
          type = (LOCALE_SMONTHNAME1 + index) | LOCALE_RETURN_GENITIVE_NAMES;
          break;
        case TLocaleItem::ShortMonthName: type = LOCALE_SABBREVMONTHNAME1 + index; break;
        // Windows counts the days from Monday (DAYNAME1) to Sunday (DAYNAME7).
        case TLocaleItem::LongDayName: type = LOCALE_SDAYNAME1 + (index + 6) % 7; break;
        case TLocaleItem::ShortDayName: type = LOCALE_SABBREVDAYNAME1 + (index + 6) % 7; break;
      }
      wchar_t buffer[256];
      int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 256);
      if (n <= 0) return std::nullopt;
      return Narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
    });
  }

  std::optional<std::string> Write(TStream stream, std::string_view bytes) override {
    TStreamState& state = stream == TStream::Out ? out_ : err_;
    HANDLE handle = GetStdHandle(stream == TStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
      return std::string("the stream is not open");
    }
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode)) return WriteBytes(handle, bytes);
    // A console shows UTF-16 whatever its code page; a sequence cut between two writes
    // waits for the rest.
    state.Pending.append(bytes);
    size_t whole = CompleteUtf8Prefix(state.Pending);
    std::u16string text = Utf8ToUtf16(std::string_view(state.Pending).substr(0, whole));
    state.Pending.erase(0, whole);
    const auto* data = reinterpret_cast<const wchar_t*>(text.data());
    size_t left = text.size();
    while (left > 0) {
      DWORD piece = static_cast<DWORD>(left < 16384 ? left : 16384);
      DWORD written = 0;
      if (!WriteConsoleW(handle, data, piece, &written, nullptr) || written == 0) {
        return LastErrorText();
      }
      data += written;
      left -= written;
    }
    return std::nullopt;
  }

  SystemFacts& System() override { return *system_; }

  void Beep() override {
    // user32 is loaded only for the beep: every other run starts without it.
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (user32 == nullptr) return;
    using TMessageBeep = BOOL(WINAPI*)(UINT);
    auto messageBeep = reinterpret_cast<TMessageBeep>(
        reinterpret_cast<void*>(GetProcAddress(user32, "MessageBeep")));
    // The sound plays asynchronously, so user32 stays loaded until the process ends.
    if (messageBeep != nullptr) messageBeep(MB_OK);
  }

 private:
  struct TStreamState {
    std::string Pending;  ///< the start of a UTF-8 sequence not yet shown on the console
  };

  /// A handle read in pieces; one it opened is closed with it, standard input is not.
  class HandleInput final : public TInputStream {
   public:
    HandleInput(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {}
    ~HandleInput() override {
      if (owned_) CloseHandle(handle_);
    }
    TReadOutcome Read(char* buffer, std::size_t size) override {
      if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return {};  // no input at all
      DWORD n = 0;
      const DWORD piece = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
      if (!ReadFile(handle_, buffer, piece, &n, nullptr)) {
        // A pipe whose writer has closed it ends this way, not with a read of nothing.
        if (GetLastError() == ERROR_BROKEN_PIPE) return {};
        return {0, LastErrorText()};
      }
      return {n, std::nullopt};
    }

   private:
    HANDLE handle_;
    bool owned_;
  };

  static std::optional<std::string> WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD piece = static_cast<DWORD>(bytes.size() < (1u << 30) ? bytes.size() : (1u << 30));
      DWORD written = 0;
      if (!WriteFile(handle, bytes.data(), piece, &written, nullptr) || written == 0) {
        return LastErrorText();
      }
      bytes.remove_prefix(written);
    }
    return std::nullopt;
  }

  /// The system's text for the last error, without its line end.
  static std::string LastErrorText() {
    const DWORD code = GetLastError();
    wchar_t buffer[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, 512, nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ' ||
                     buffer[n - 1] == L'.')) {
      --n;
    }
    if (n == 0) return "error " + std::to_string(code);
    return Narrow(std::wstring_view(buffer, n));
  }

  std::string rawCommandLine_;
  std::vector<std::string> args_;
  TStreamState out_, err_;
  std::unique_ptr<SystemFacts> system_ = MakeWindowsSystem();
};

}  // namespace

std::unique_ptr<Platform> MakeWin32Platform() { return std::make_unique<Win32Platform>(); }

std::unique_ptr<Platform> MakeSystemPlatform(int, char**) { return MakeWin32Platform(); }

}  // namespace zentrel::platform
