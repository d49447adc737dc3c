// System facts for unit tests: a registry held in maps, Windows kernel facts and host
// answers as plain values, and a switch choosing which of the two the system offers.
#pragma once

#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/system_facts.h"

namespace zentrel::platform {

/// A registry value of a type the queries do not read (binary, multi-string, ...).
struct TFakeOtherValue {};
/// A registry value that is there but fails to read (access denied, a read error).
struct TFakeUnreadableValue {};
using TFakeRegistryValue =
    std::variant<std::string, std::uint32_t, TFakeOtherValue, TFakeUnreadableValue>;

/// Keys by path, compared without regard to ASCII case as Windows does.
struct FakeRegistry : Registry {
  struct CaseLess {
    static std::string Fold(const std::string& text) {
      std::string folded = text;
      for (char& c : folded) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
      return folded;
    }
    bool operator()(const std::string& a, const std::string& b) const {
      return Fold(a) < Fold(b);
    }
  };
  using TValues = std::map<std::string, TFakeRegistryValue, CaseLess>;
  std::map<std::string, TValues, CaseLess> Keys;
  /// Keys that exist but cannot be opened (access denied).
  std::set<std::string, CaseLess> Locked;
  int OpenKeys = 0;  ///< keys opened and not yet released

  struct Key : RegistryKey {
    Key(FakeRegistry& owner, const TValues& values) : owner_(owner), values_(values) {
      ++owner_.OpenKeys;
    }
    ~Key() override { --owner_.OpenKeys; }
    TRegistryRead ReadString(std::string_view name, std::string& text) override {
      auto it = values_.find(std::string(name));
      if (it == values_.end()) return TRegistryRead::Missing;
      if (auto* s = std::get_if<std::string>(&it->second)) {
        text = *s;
        return TRegistryRead::Ok;
      }
      return Unreadable(it->second) ? TRegistryRead::Failed : TRegistryRead::WrongType;
    }
    TRegistryRead ReadInteger(std::string_view name, std::uint32_t& value) override {
      auto it = values_.find(std::string(name));
      if (it == values_.end()) return TRegistryRead::Missing;
      if (auto* n = std::get_if<std::uint32_t>(&it->second)) {
        value = *n;
        return TRegistryRead::Ok;
      }
      return Unreadable(it->second) ? TRegistryRead::Failed : TRegistryRead::WrongType;
    }
    bool ValueExists(std::string_view name) override {
      return values_.count(std::string(name)) != 0;
    }

   private:
    static bool Unreadable(const TFakeRegistryValue& value) {
      return std::holds_alternative<TFakeUnreadableValue>(value);
    }
    FakeRegistry& owner_;
    const TValues& values_;
  };

  std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override {
    auto it = Keys.find(std::string(path));
    if (it == Keys.end() || Locked.count(std::string(path)) != 0) return nullptr;
    return std::make_unique<Key>(*this, it->second);
  }
  bool KeyExists(std::string_view path) override {
    return Keys.count(std::string(path)) != 0 && Locked.count(std::string(path)) == 0;
  }
};

struct FakeWindowsFacts : WindowsFacts {
  FakeRegistry Reg;
  std::optional<std::uint64_t> InstalledKB = 16777216;
  std::uint32_t GlobalBytes = 0;
  TWow64Query Wow64 = TWow64Query::Yes;
  bool Program64 = false;
  TProcessorTopology Topology;
  std::optional<std::uint64_t> Affinity;
  std::uint32_t SystemInfoCount = 1;
  std::optional<std::string> CommandOutput;  ///< nullopt: the command cannot be started
  std::vector<std::string> CommandsRun;

  Registry& MachineRegistry() override { return Reg; }
  std::optional<std::uint64_t> PhysicallyInstalledMemoryKB() override { return InstalledKB; }
  std::uint32_t GlobalMemoryTotalBytes() override { return GlobalBytes; }
  TWow64Query QueryWow64() override { return Wow64; }
  bool ProgramIs64Bit() override { return Program64; }
  TProcessorTopology ProcessorTopology() override { return Topology; }
  std::optional<std::uint64_t> ProcessAffinityMask() override { return Affinity; }
  std::uint32_t SystemInfoProcessorCount() override { return SystemInfoCount; }
  std::optional<std::string> RunAndCapture(const std::string& commandLine) override {
    CommandsRun.push_back(commandLine);
    return CommandOutput;
  }
};

struct FakeHostFacts : HostFacts {
  THostOs OsValue{"Debian GNU/Linux", "12", "", "6.1.0-18-amd64", 6, 1, 0, 18, true};
  THostMemory MemoryValue{16314256, "This value is MemTotal of /proc/meminfo"};
  THostProcessor ProcessorValue{"Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz",
                                "GenuineIntel Family 6 Model 142 Stepping 10",
                                4200, 1, 4, 8};
  THostReboot RebootValue;

  THostOs Os() override { return OsValue; }
  THostMemory Memory() override { return MemoryValue; }
  THostProcessor Processor() override { return ProcessorValue; }
  THostReboot Reboot() override { return RebootValue; }
};

struct FakeSystemFacts : SystemFacts {
  /// False: the system answers as a host without a registry; true: as Windows.
  bool IsWindows = false;
  FakeWindowsFacts Win;
  FakeHostFacts HostAnswers;

  WindowsFacts* Windows() override { return IsWindows ? &Win : nullptr; }
  HostFacts* Host() override { return IsWindows ? nullptr : &HostAnswers; }
};

}  // namespace zentrel::platform
