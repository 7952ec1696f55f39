/// Basic numeric types and the rounding helpers every unit uses. \file
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

namespace quellix {

using Single = float;
using Double = double;
using Extended = long double;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;

/// Round to the nearest integer, halves to even (the default rounding mode).
inline Integer Round(Extended x) { return static_cast<Integer>(std::nearbyint(x)); }
inline std::int64_t Round64(Extended x) { return static_cast<std::int64_t>(std::nearbyint(x)); }
/// Truncate toward zero.
inline Integer Trunc(Extended x) { return static_cast<Integer>(x); }
inline std::int64_t Trunc64(Extended x) { return static_cast<std::int64_t>(x); }
/// Fractional part with the sign of x.
inline Extended Frac(Extended x) { return x - std::trunc(x); }
/// Integer division and remainder truncate toward zero, as C++ does.
inline Integer Div(Integer a, Integer b) { return a / b; }
inline Integer Mod(Integer a, Integer b) { return a % b; }
/// Value rounded to Single precision and widened again.
inline Double ToSingle(Double x) { return static_cast<Double>(static_cast<Single>(x)); }

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  ///< namespace quellix
