// The version information of an executable (its own, by default): the record the banner
// prints and the help screen reads its program name from.
#pragma once

#include <string>

namespace zentrel {

class TRunContext;

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

/// Fills rec from the file at path (empty: the running executable). A missing file, a file
/// without version information and any other failure are reported on the error channel
/// and set the exit code to 70, 74 and 73; none of them throws.
void ReadVersionInfo(TRunContext& run, const std::string& path, bool upperNames,
                     TFileVersionInfoRec& rec);

}  // namespace zentrel
