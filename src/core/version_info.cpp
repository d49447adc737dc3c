#include "core/version_info.h"

#include <vector>

#include "core/text.h"

namespace zentrel {
namespace {

constexpr std::string_view kNoFile = "File does not exist: ";
constexpr std::string_view kNoVersionInfo = "File contains no resource info: ";
constexpr std::string_view kVersionInfoFailed = "Error obtaining version info from file: ";

/// The characters that end the directory part of a path.
#ifdef _WIN32
constexpr std::string_view kPathDelimiters = "\\/:";
#else
constexpr std::string_view kPathDelimiters = "/";
#endif

std::vector<std::string> SplitVersion(std::string_view version) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = version.find('.', start);
    parts.emplace_back(version.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return parts;
}

/// " v" and the first count version parts joined by "."; fewer when the version has fewer.
std::string VersionSuffix(const std::vector<std::string>& parts, size_t count) {
  std::string suffix = " v";
  for (size_t i = 0; i < parts.size() && i < count; ++i) {
    if (i > 0) suffix += '.';
    suffix += parts[i];
  }
  return suffix;
}

TWarning Warning(std::string_view text, const std::string& file, TExitCode code) {
  return {{std::string(text) + file}, code};
}

std::string StringOf(const platform::TVersionStrings& version, const std::string& key) {
  auto it = version.Strings.find(key);
  return it == version.Strings.end() ? std::string() : it->second;
}

}  // namespace

TVersionInfoRead ReadVersionInfo(platform::Platform& os, const std::string& path,
                                 bool upperNames) {
  TVersionInfoRead read;
  TFileVersionInfoRec& rec = read.Rec;
  const std::string file = path.empty() ? os.ExecutablePath() : path;
  if (!os.PathIsFile(file)) {
    read.Warning = Warning(kNoFile, file, TExitCode::NoFile);
    return read;
  }

  const size_t slash = file.find_last_of(kPathDelimiters);
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  rec.Path = file.substr(0, nameStart);
  std::string name = file.substr(nameStart);
  const size_t dot = name.rfind('.');
  rec.Extension = dot == std::string::npos ? std::string() : name.substr(dot);
  rec.FileName = upperNames ? UpperAscii(name) : name;
  // Made from FileName, so it is upper-cased with it.
  rec.BaseName = ReplaceText(rec.FileName, rec.Extension, "");

  const platform::TVersionStrings version = os.ReadVersionInfo(file);
  switch (version.Status) {
    case platform::TVersionStatus::Ok: {
      const std::vector<std::string> parts = SplitVersion(StringOf(version, "FileVersion"));
      rec.FullTitle = rec.FileName + VersionSuffix(parts, 4);
      rec.BaseTitle = rec.BaseName + VersionSuffix(parts, 4);
      rec.ShortTitle = rec.BaseName + VersionSuffix(parts, 3);
      rec.FileDescription = StringOf(version, "FileDescription");
      rec.CompanyName = StringOf(version, "CompanyName");
      rec.Copyright = ReplaceText("Copyright " + StringOf(version, "LegalCopyright"),
                                  "Copyright Copyright ", "Copyright ");
      rec.Comments = StringOf(version, "Comments");
      rec.ProductName = StringOf(version, "ProductName");
      rec.InternalName = StringOf(version, "InternalName");
      rec.OriginalFilename = StringOf(version, "OriginalFilename");
      rec.ProductVersion = StringOf(version, "ProductVersion");
      rec.FileVersion = StringOf(version, "FileVersion");
      break;
    }
    case platform::TVersionStatus::NoFile:
      // Gone between the two looks: reported like a file that was never there.
      read.Rec = TFileVersionInfoRec{};
      read.Warning = Warning(kNoFile, file, TExitCode::NoFile);
      return read;
    case platform::TVersionStatus::NoVersionInfo:
      read.Warning = Warning(kNoVersionInfo, file, TExitCode::NoVersionInfo);
      break;
    case platform::TVersionStatus::Failed:
      read.Warning = Warning(kVersionInfoFailed, file, TExitCode::VersionInfoFailed);
      break;
  }
  rec.Loaded = true;
  return read;
}

}  // namespace zentrel
