// Integer-to-text conversion of the stand-in class library (IntToStr).
#pragma once

#include <cstdint>
#include <string>

// The decimal text of "%ld": a minus sign for a negative value, then the digits, with no leading
// zeros, spaces or digit grouping.
std::string IntToStr(std::int32_t value);
