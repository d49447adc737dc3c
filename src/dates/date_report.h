// The selected-date report: every calculation of the program once, relative to one date.
#pragma once

#include <string_view>

#include "core/result.h"
#include "core/time_units.h"
#include "dates/random.h"
#include "platform/format_settings.h"

namespace zentrel {

struct TReportRequest {
  TDateTimeValue Selected;
  /// The run's clock reading: today's sheet works from it, every sheet compares with its day.
  TDateTimeValue Now;
  /// The pattern of the date lines; empty for the default.
  std::string_view Format;
  std::string_view ExtendedFormat;
  TTimeUnits DurationUnit = TTimeUnits::AutoDetect;
};

/// The sheet below the banner. Its random examples are drawn before anything else is
/// computed and always in one order, so one seed always gives the same sheet. Throws
/// ConversionError when the examples themselves cannot be made; a line that cannot be
/// computed ends the sheet with its failure.
TSheet SelectedDateReport(const TReportRequest& request, const TFormatSettings& settings,
                          TRandom& random);

}  // namespace zentrel
