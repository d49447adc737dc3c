// The exit codes of the program: one enumeration, and one table that gives each code its
// words on the help screen. A run ends with exactly one of these codes; whoever sets one
// names it here, so no other number can be set.
#pragma once

#include <string_view>

namespace zentrel {

enum class TExitCode : int {
  Success = 0,
  MissingParameters = 64,     ///< the option check failed, or a value did not convert
  MismatchedParameters = 65,  ///< a duration component above its limit (clamped)
  NoFile = 70,                ///< the file whose version information is read does not exist
  FileOpenFailed = 71,        ///< a timing or holidays file not named, missing, unreadable, or failing
  WriteFailed = 72,           ///< standard output could not be written
  VersionInfoFailed = 73,     ///< reading the version information failed
  NoVersionInfo = 74,         ///< the file holds no version information
  NoTimingData = 75,          ///< a timing file keeps no entry
  ScriptVariables = 250,      ///< the script-variable listing was written
  HelpRequested = 255,        ///< the help screen was written
};

struct TExitCodeRow {
  TExitCode Code;
  /// The help screen's words for the code; empty for the one code it leaves out.
  std::string_view HelpText;
};

/// Every exit code, in ascending order.
inline constexpr TExitCodeRow kExitCodes[] = {
    {TExitCode::Success, "Command Completed Successfully"},
    {TExitCode::MissingParameters, "Missing Necessary/Essential Parameters"},
    {TExitCode::MismatchedParameters, "Mismatched Parameters Used"},
    {TExitCode::NoFile, "A valid filename was not provided at the command-line"},
    {TExitCode::FileOpenFailed, "Unable to open the filename provided"},
    {TExitCode::WriteFailed, "Unable to write to the output file provided"},
    {TExitCode::VersionInfoFailed, "Could not obtain file version info"},
    {TExitCode::NoVersionInfo, "File does not contain any/legitimate resource information"},
    // The printed table has never listed the code of a timing file without entries.
    {TExitCode::NoTimingData, ""},
    {TExitCode::ScriptVariables, "Script-Variables were generated successfully"},
    {TExitCode::HelpRequested, "Syntax Help Requested"},
};

/// The number the process exits with.
constexpr int ToInt(TExitCode code) { return static_cast<int>(code); }

/// Compares with the number a process sees (a test's expectation, a fuzz target's check).
constexpr bool operator==(TExitCode code, int value) { return ToInt(code) == value; }

/// True when the number is one of the codes of kExitCodes.
constexpr bool IsExitCode(int value) {
  for (const TExitCodeRow& row : kExitCodes) {
    if (row.Code == value) return true;
  }
  return false;
}

}  // namespace zentrel
