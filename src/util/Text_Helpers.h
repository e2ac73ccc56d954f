#pragma once
#include <cstdint>
#include <string>

// Every occurrence of `search` in `source` replaced by `replacement`, rescanning
// from the start after each replacement (so "\\\\" -> "\\" collapses any run).
std::string Replace_All(const std::string& source, const std::string& search, const std::string& replacement);

// The integer formed by the digits of `text` with an optional leading sign;
// throws EConvertError for a lone sign or a value outside 32 bits.
std::int32_t Digits_Only_Integer(const std::string& text);

// Digits_Only_Integer of field `n` (1-based) of `text` split by `separator`.
std::int32_t Nth_Field_Integer(const std::string& text, const std::string& separator, int n);
