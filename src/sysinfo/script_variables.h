// The script-variable listing: ready-made values for shell and batch scripts, one per
// line as "@NAME;value; comment", so that a script can split each line at its first ";".
// The listing covers the date and time in many shapes, dated names with random suffixes,
// two seeded random numbers and a GUID-shaped text, dividers, letter and digit lists, and
// the system facts of os_info.h and processor_info.h.
#pragma once

#include <string>

#include "core/date_time.h"
#include "core/result.h"
#include "dates/random.h"
#include "platform/format_settings.h"
#include "platform/platform.h"

namespace zentrel {

/// The whole listing for the moment now, as plain lines, the last one empty; when a date or
/// a system query fails, the lines before it and the failure. withSymbols is handed to
/// GetProcessorInfo and changes nothing else. The random generator's first two draws give
/// the two random numbers, the next 32 the GUID.
TSheet ListScriptVariables(platform::Platform& os, const TFormatSettings& settings,
                           TRandom& random, bool withSymbols, TDateTimeValue now);

/// digits lowercase hexadecimal digits drawn one at a time, as "{8-4-4-4-12}" when there
/// are 32 of them (no version or variant digits are fixed); any other count plainly.
std::string MakeRandomGuid(TRandom& random, int digits);

/// 79 copies of the character, as UTF-8.
std::string MakeDivider(char16_t c);

}  // namespace zentrel
