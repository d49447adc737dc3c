#include "core/date_format.h"

#include "core/text.h"

namespace zentrel {

std::string FormatDateTimeValue(std::string_view, TDateTimeValue, bool, const TFormatSettings&) {
  throw ConversionError("not built");
}

}  // namespace zentrel
