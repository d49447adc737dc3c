// A read-only view of the Windows registry under HKEY_LOCAL_MACHINE: open a key, read its
// string and 32-bit integer values, test whether a key or a value exists. The system
// queries are written against this interface so that a fake registry can run all of
// their cases on any system. Texts cross the interface as UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zentrel::platform {

/// Outcome of reading one value of an open key.
enum class TRegistryRead {
  Ok,         ///< the value was read.
  Missing,    ///< the key holds no value of that name.
  WrongType,  ///< the value exists but is not of the type asked for.
  Failed,     ///< any other failure of the read.
};

/// One open key; it is closed when the object is released.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  /// A string or expandable-string value (the latter not expanded), as UTF-8.
  virtual TRegistryRead ReadString(std::string_view name, std::string& text) = 0;
  /// A 32-bit integer value.
  virtual TRegistryRead ReadInteger(std::string_view name, std::uint32_t& value) = 0;
  /// True when the key holds a value of that name, of any type.
  virtual bool ValueExists(std::string_view name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  /// Opens a key for reading, its path written with a leading backslash
  /// ("\SOFTWARE\Microsoft\..."); nullptr when it cannot be opened for any reason.
  virtual std::unique_ptr<RegistryKey> OpenKey(std::string_view path) = 0;
  /// True when the key can be opened for querying values and enumerating subkeys.
  virtual bool KeyExists(std::string_view path) = 0;
};

}  // namespace zentrel::platform
