#include "core/version_info.h"

#include <vector>

#include "core/run_context.h"
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

std::string StringOf(const platform::TVersionStrings& version, const std::string& key) {
  auto it = version.Strings.find(key);
  return it == version.Strings.end() ? std::string() : it->second;
}

}  // namespace

void ReadVersionInfo(TRunContext& run, const std::string& path, bool upperNames,
                     TFileVersionInfoRec& rec) {
  rec = TFileVersionInfoRec{};
  const std::string file = path.empty() ? run.Os.ExecutablePath() : path;
  if (!run.Os.PathIsFile(file)) {
    run.CoreErrOutput().WriteLine(std::string(kNoFile) + file);
    run.ExitCode = TExitCode::NoFile;
    return;
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

  const platform::TVersionStrings version = run.Os.ReadVersionInfo(file);
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
      run.CoreErrOutput().WriteLine(std::string(kNoFile) + file);
      run.ExitCode = TExitCode::NoFile;
      return;
    case platform::TVersionStatus::NoVersionInfo:
      run.CoreErrOutput().WriteLine(std::string(kNoVersionInfo) + file);
      run.ExitCode = TExitCode::NoVersionInfo;
      break;
    case platform::TVersionStatus::Failed:
      run.CoreErrOutput().WriteLine(std::string(kVersionInfoFailed) + file);
      run.ExitCode = TExitCode::VersionInfoFailed;
      break;
  }
  rec.Loaded = true;
}

}  // namespace zentrel
