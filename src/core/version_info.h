// The version information of an executable (its own, by default): the record the banner
// prints and the help screen reads its program name from.
#pragma once

#include <optional>
#include <string>

#include "core/result.h"
#include "platform/platform.h"

namespace zentrel {

struct TFileVersionInfoRec {
  bool Loaded = false;
  std::string FileName;
  std::string BaseName;
  std::string Extension;
  std::string ShortTitle = "n/a";
  std::string FullTitle = "n/a";
  std::string BaseTitle = "n/a";
  std::string ProductName = "n/a";
  std::string InternalName = "n/a";
  std::string OriginalFilename = "n/a";
  std::string FileVersion = "n/a";
  std::string ProductVersion = "n/a";
  std::string FileDescription = "n/a";
  std::string CompanyName = "n/a";
  std::string Copyright = "n/a";
  std::string Comments = "n/a";
  std::string ExtraInfo = "n/a";
  std::string Path;
};

/// A record read, and what went wrong on the way.
struct TVersionInfoRead {
  TFileVersionInfoRec Rec;
  std::optional<TWarning> Warning;  ///< one line for standard error and its exit code
};

/// The record of the file at path (empty: the running executable). A missing file (exit
/// code 70, record not loaded), a file without version information (74) and any other
/// failure (73) come back as the warning; none of them throws.
TVersionInfoRead ReadVersionInfo(platform::Platform& os, const std::string& path,
                                 bool upperNames);

}  // namespace zentrel
