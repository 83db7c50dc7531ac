// Text-to-integer conversion of the stand-in class library (StrToInt).
#pragma once

#include <cstdint>
#include <string_view>

// Accepts leading spaces (0x20 only), at most one sign, then one or more decimal digits up to the
// end of the text, within the signed 32-bit range. Anything else throws EConvertError
// "'%s' は整数ではありません" with the text in place of %s.
std::int32_t StrToInt(std::string_view text);
