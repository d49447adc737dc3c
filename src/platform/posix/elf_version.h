// The version strings of the POSIX build, kept in a section of the executable's own ELF
// file and read back from any file by walking its section headers.
//
// The section ".zentrel_version" holds the text "zentrel-version-1", a NUL, then pairs of
// NUL-terminated key and value ("FileVersion", "5.7.0.1501", ...), closed by an empty key.
// The reader trusts nothing in the file: every offset and size is checked against the
// file's length before it is used, so a truncated or hostile file is reported, never read
// past.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zentrel::platform {

inline constexpr std::string_view kVersionSectionName = ".zentrel_version";
inline constexpr std::string_view kVersionSectionMagic = "zentrel-version-1";

/// Reads size bytes at offset into out; false when they cannot all be read.
using TFileReader = std::function<bool(std::uint64_t offset, std::size_t size, std::string& out)>;

/// Finds and decodes the version section of an ELF file of fileSize bytes. NoVersionInfo
/// when the file is no ELF file or has no such section; Failed when it cannot be read or
/// its headers or the section are truncated or damaged.
TVersionStrings ReadElfVersionStrings(std::uint64_t fileSize, const TFileReader& read);

/// Decodes the contents of a version section; Failed when they are damaged.
TVersionStrings DecodeVersionSection(std::string_view contents);

}  // namespace zentrel::platform
