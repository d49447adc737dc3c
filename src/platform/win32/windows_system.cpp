#include "platform/win32/windows_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

#include "platform/win32/unicode.h"

namespace zentrel::platform {
namespace {

/// The registry paths of the queries start with a backslash, as "relative to the root";
/// the registry itself wants them without.
std::wstring SubKey(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  return Wide(path);
}

/// The system's text for an error code, without its line end.
std::string ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (n != 0 && buffer != nullptr) {
    std::wstring_view view(buffer, n);
    while (!view.empty() && (view.back() == L'\r' || view.back() == L'\n' || view.back() == L' ')) {
      view.remove_suffix(1);
    }
    text = Narrow(view);
  }
  if (buffer != nullptr) LocalFree(buffer);
  if (text.empty()) text = "System Error.  Code: " + std::to_string(code) + ".";
  return text;
}

template <typename T>
T Kernel32Function(const char* name) {
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return nullptr;
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  TRegistryRead ReadString(std::string_view name, std::string& text) override {
    std::wstring wideName = Wide(name);
    std::vector<wchar_t> buffer(256);
    for (;;) {
      DWORD type = 0;
      DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      LSTATUS status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer.data()), &bytes);
      if (status == ERROR_MORE_DATA) {
        buffer.resize(bytes / sizeof(wchar_t) + 2);
        continue;
      }
      if (status == ERROR_FILE_NOT_FOUND) return TRegistryRead::Missing;
      if (status != ERROR_SUCCESS) return TRegistryRead::Failed;
      if (type != REG_SZ && type != REG_EXPAND_SZ) return TRegistryRead::WrongType;
      // The stored value need not end in a zero, or may hold several.
      std::wstring_view value(buffer.data(), bytes / sizeof(wchar_t));
      size_t end = value.find(L'\0');
      if (end != std::wstring_view::npos) value = value.substr(0, end);
      text = Narrow(value);
      return TRegistryRead::Ok;
    }
  }

  TRegistryRead ReadInteger(std::string_view name, std::uint32_t& value) override {
    std::wstring wideName = Wide(name);
    DWORD type = 0;
    DWORD number = 0;
    DWORD bytes = sizeof number;
    LSTATUS status = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(&number), &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return TRegistryRead::Missing;
    if (status == ERROR_MORE_DATA) return TRegistryRead::WrongType;  // larger than 32 bits
    if (status != ERROR_SUCCESS) return TRegistryRead::Failed;
    if (type != REG_DWORD || bytes != sizeof number) return TRegistryRead::WrongType;
    value = number;
    return TRegistryRead::Ok;
  }

  bool ValueExists(std::string_view name) override {
    std::wstring wideName = Wide(name);
    LSTATUS status = RegQueryValueExW(key_, wideName.c_str(), nullptr, nullptr, nullptr, nullptr);
    return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
  }

 private:
  HKEY key_;
};

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SubKey(path).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
  }

  bool KeyExists(std::string_view path) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SubKey(path).c_str(), 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }
};

TProcessorRelationship Relationship(LOGICAL_PROCESSOR_RELATIONSHIP relationship) {
  switch (relationship) {
    case RelationProcessorCore: return TProcessorRelationship::ProcessorCore;
    case RelationNumaNode: return TProcessorRelationship::NumaNode;
    case RelationCache: return TProcessorRelationship::Cache;
    case RelationProcessorPackage: return TProcessorRelationship::ProcessorPackage;
    case RelationGroup: return TProcessorRelationship::Group;
    default: return TProcessorRelationship::Other;
  }
}

/// The Windows handles of one child run, closed on every path.
struct THandles {
  std::vector<HANDLE> List;
  HANDLE Add(HANDLE handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) List.push_back(handle);
    return handle;
  }
  ~THandles() {
    for (HANDLE handle : List) CloseHandle(handle);
  }
};

/// The longest the listing waits for the one tool it runs before giving up on it.
constexpr DWORD kChildTimeoutMs = 60000;

class Win32System final : public SystemFacts, public WindowsFacts {
 public:
  WindowsFacts* Windows() override { return this; }
  HostFacts* Host() override { return nullptr; }

  Registry& MachineRegistry() override { return registry_; }

  std::optional<std::uint64_t> PhysicallyInstalledMemoryKB() override {
    using TCall = BOOL(WINAPI*)(PULONGLONG);
    auto call = Kernel32Function<TCall>("GetPhysicallyInstalledSystemMemory");
    ULONGLONG kb = 0;
    if (call == nullptr || !call(&kb)) return std::nullopt;
    return kb;
  }

  std::uint32_t GlobalMemoryTotalBytes() override {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    // A 32-bit process is told at most 4 GiB - 1 by this call; a 64-bit one gets the full
    // count, held to the same ceiling rather than cut to its low 32 bits.
    auto total = static_cast<unsigned long long>(status.dwTotalPhys);
    return total > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
  }

  TWow64Query QueryWow64() override {
    using TCall = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto call = Kernel32Function<TCall>("IsWow64Process");
    if (call == nullptr) return TWow64Query::Unavailable;
    BOOL wow64 = FALSE;
    if (!call(GetCurrentProcess(), &wow64)) return TWow64Query::Failed;
    return wow64 ? TWow64Query::Yes : TWow64Query::No;
  }

  bool ProgramIs64Bit() override { return sizeof(void*) == 8; }

  TProcessorTopology ProcessorTopology() override {
    TProcessorTopology topology;
    using TExtended = BOOL(WINAPI*)(LOGICAL_PROCESSOR_RELATIONSHIP,
                                    PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, PDWORD);
    using TLegacy = BOOL(WINAPI*)(PSYSTEM_LOGICAL_PROCESSOR_INFORMATION, PDWORD);
    if (auto extended = Kernel32Function<TExtended>("GetLogicalProcessorInformationEx")) {
      topology.Api = TTopologyApi::Extended;
      std::vector<unsigned char> buffer;
      if (!Fetch(topology, buffer, [&](void* data, DWORD* length) {
            return extended(RelationAll,
                            static_cast<PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX>(data), length);
          })) {
        return topology;
      }
      size_t offset = 0;
      while (offset + sizeof(DWORD) * 2 <= buffer.size()) {
        const auto* entry =
            reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + offset);
        if (entry->Size == 0 || offset + entry->Size > buffer.size()) break;
        TTopologyEntry item;
        item.Relationship = Relationship(entry->Relationship);
        if (entry->Relationship == RelationProcessorCore ||
            entry->Relationship == RelationProcessorPackage) {
          const GROUP_AFFINITY* masks = &entry->Processor.GroupMask[0];
          for (WORD g = 0; g < entry->Processor.GroupCount; ++g) {
            item.Masks.push_back(static_cast<std::uint64_t>(masks[g].Mask));
          }
        }
        topology.Entries.push_back(std::move(item));
        offset += entry->Size;
      }
      return topology;
    }
    if (auto legacy = Kernel32Function<TLegacy>("GetLogicalProcessorInformation")) {
      topology.Api = TTopologyApi::Legacy;
      std::vector<unsigned char> buffer;
      if (!Fetch(topology, buffer, [&](void* data, DWORD* length) {
            return legacy(static_cast<PSYSTEM_LOGICAL_PROCESSOR_INFORMATION>(data), length);
          })) {
        return topology;
      }
      const size_t count = buffer.size() / sizeof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION);
      const auto* entries =
          reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION*>(buffer.data());
      for (size_t k = 0; k < count; ++k) {
        TTopologyEntry item;
        item.Relationship = Relationship(entries[k].Relationship);
        item.Masks.push_back(static_cast<std::uint64_t>(entries[k].ProcessorMask));
        topology.Entries.push_back(std::move(item));
      }
    }
    return topology;
  }

  std::optional<std::uint64_t> ProcessAffinityMask() override {
    DWORD_PTR process = 0, system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return std::nullopt;
    return static_cast<std::uint64_t>(process);
  }

  std::uint32_t SystemInfoProcessorCount() override {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
  }

  std::optional<std::string> RunAndCapture(const std::string& commandLine) override {
    THandles handles;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
    handles.Add(readEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    // The tool reads nothing and its complaints are not the program's: standard input and
    // error are the null device (a tool waiting for input on an open stream never ends).
    HANDLE null = handles.Add(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                          OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = null;
    startup.hStdOutput = writeEnd;
    startup.hStdError = null;
    PROCESS_INFORMATION process{};
    std::wstring line = Wide(commandLine);  // CreateProcessW may write to it
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
      CloseHandle(writeEnd);
      return std::nullopt;
    }
    handles.Add(process.hThread);
    handles.Add(process.hProcess);
    // Only the child holds the write end now, so the pipe ends when the child does.
    CloseHandle(writeEnd);

    std::string output;
    const ULONGLONG deadline = GetTickCount64() + kChildTimeoutMs;
    char chunk[4096];
    for (;;) {
      DWORD available = 0;
      if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;  // ended
      if (available > 0) {
        DWORD n = 0;
        if (!ReadFile(readEnd, chunk, sizeof chunk, &n, nullptr) || n == 0) break;
        output.append(chunk, n);
        continue;
      }
      if (GetTickCount64() >= deadline) {
        TerminateProcess(process.hProcess, 1);
        break;
      }
      // The child may have ended while a process it started keeps the pipe open.
      if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) ||
            available == 0) {
          break;
        }
      }
    }
    WaitForSingleObject(process.hProcess, 5000);
    return output;
  }

 private:
  /// The two-call pattern of the topology calls: the first, without a buffer, must ask for
  /// a larger one; the second fills it.
  template <typename TCall>
  static bool Fetch(TProcessorTopology& topology, std::vector<unsigned char>& buffer,
                    TCall call) {
    DWORD length = 0;
    if (call(nullptr, &length) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || length == 0) {
      return Fail(topology);
    }
    buffer.resize(length);
    if (!call(buffer.data(), &length)) return Fail(topology);
    buffer.resize(length);
    return true;
  }

  static bool Fail(TProcessorTopology& topology) {
    DWORD code = GetLastError();
    topology.Failed = true;
    topology.ErrorCode = code;
    topology.ErrorText = ErrorText(code);
    return false;
  }

  Win32Registry registry_;
};

}  // namespace

std::unique_ptr<SystemFacts> MakeWindowsSystem() { return std::make_unique<Win32System>(); }

}  // namespace zentrel::platform
