// The machine measured for the script-variable listing: installed memory, and the
// processor's model name, family text, nominal speed and its socket, core and logical
// processor counts with the ratios between them. On Windows the memory comes from the
// kernel's memory calls, the texts and speed from the registry's processor key, the core
// counts from the processor topology and the socket count from the WMI command-line tool;
// other systems answer from their own sources (platform/system_facts.h). Failures throw
// ConversionError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zentrel {

struct TProcessorInfoQv {
  /// Physical processors; never below 1.
  std::int32_t Sockets = 1;
  std::int32_t PhysicalCores = 0;
  std::int32_t LogicalCores = 0;
  /// LogicalCores div PhysicalCores.
  std::int32_t ThreadsPerCore = 0;
  /// PhysicalCores div Sockets.
  std::int32_t PhysicalCoresPerSocket = 0;
  /// LogicalCores div Sockets.
  std::int32_t LogicalCoresPerSocket = 0;
  /// The nominal speed; 0 when not read.
  std::int32_t SpeedMHz = 0;
  /// ModelNameOnly, " [", SpeedMHz, " Mhz]".
  std::string ModelName = "*** Unknown ***";
  std::string ModelNameOnly;
  std::string Family;
};

/// What the memory query found.
struct TInstalledMemoryQv {
  std::int64_t KB = 0;
  /// True when the older memory call supplied the value.
  bool OldMemoryApi = false;
  /// On systems without the Windows memory calls: one sentence naming where the value came
  /// from. Empty on Windows.
  std::string HostNote;
};

/// The installed memory; true when the count is greater than 0. Never fails: when nothing
/// can be read the count is 0.
bool GetInstalledMemoryKB(platform::Platform& os, TInstalledMemoryQv& memory);

/// Fills the record. withSymbols turns "(TM)", "(R)" and "(C)" of the model name into their
/// signs. Throws ConversionError for a failing core count, a missing or non-integer speed
/// value, or a failing operating-system query.
void GetProcessorInfo(platform::Platform& os, bool withSymbols, TProcessorInfoQv& info);

/// The physical cores; throws ConversionError("An Error Occured while getting the Physical
/// CPU Count.") instead of returning a count below 1, and a system error when the
/// processor topology cannot be read.
std::int32_t PhysicalCoreCount(platform::Platform& os);

/// The logical processors; throws ConversionError("An Error Occured while getting the
/// Logical CPU Count.") instead of returning a count below 1.
std::int32_t LogicalProcessorCount(platform::Platform& os);

/// The model text as the listing shows it: with symbols, "(TM)", "(R)" and "(C)" in any
/// letter case become U+2122, U+00AE and U+00A9; "@" always becomes "at"; control
/// characters and blanks are trimmed from both ends and runs of blanks become one.
std::string CleanModelName(std::string_view text, bool withSymbols);

/// The socket count in the WMI tool's output: the text after the first "=" up to the next
/// one, after trimming; 1 when it does not convert or is below 1. Output that begins with a
/// UTF-16LE byte-order mark is decoded first.
std::int32_t SocketsFromWmiOutput(std::string_view output);

/// UTF-16LE bytes after a byte-order mark converted to UTF-8; any other text unchanged.
std::string DecodeCommandOutput(std::string_view output);

}  // namespace zentrel
