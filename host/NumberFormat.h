/// Numbers and text: float patterns, general format, text to float,
/// the decimal separator, and the host's pseudo-random generator. \file
#pragma once

#include <QString>
#include <cstdint>

#include "quellix/host/Component.h"
#include "quellix/host/NumericTypes.h"

namespace quellix {

/// The decimal separator used by formatting and by StrToFloat. Taken from
/// the system locale at start-up; tests set it.
QChar DecimalSeparator();
void SetDecimalSeparator(QChar Separator);
/// The separator FormatFloat puts between groups of three integer digits
/// when the pattern has a ',' among its integer placeholders ("#,##0.00").
QChar ThousandSeparator();
void SetThousandSeparator(QChar Separator);

/// Formats Value with a pattern: "0", "0." followed by zeros, "00.000",
/// "#.##E-00", "#E+00", "0.00E-00", and up to three sections separated by
/// ";" (positive; negative; zero). Digits round half away from zero, as the
/// pattern formatter of the system does.
QString FormatFloat(const QString& Format, Extended Value);

/// General format with at most Precision significant digits (trailing zeros
/// dropped, scientific notation when the exponent is out of range).
QString FloatToStrGeneral(Extended Value, int Precision = 15);
/// Shorthand for the general format with 15 digits.
QString FloatToStr(Extended Value);
/// Fixed format with Digits decimals.
QString FloatToStrFixed(Extended Value, int Digits);

/// Text to float with the current decimal separator; leading and trailing
/// blanks allowed. Raises EConvertError with "'<text>' ist kein gültiger
/// Gleitkommawert" otherwise.
Extended StrToFloat(const QString& S);
/// Text to integer; raises EConvertError "'<text>' ist kein gültiger Integerwert".
Integer StrToInt(const QString& S);
QString IntToStr(std::int64_t Value);

/// Float as written into a form stream: shortest text that reads back to the
/// same value, always with '.', with at least one decimal ("20.0").
QString FloatToStreamText(Extended Value);

/// The host's re-seedable pseudo-random generator.
void Randomize();                   ///< seeds from the clock
void SetRandSeed(std::uint32_t Seed);
std::uint32_t RandSeed();
Double Random();                    ///< uniform in [0, 1)
Integer RandomInt(Integer Range);   ///< uniform in 0 .. Range-1

}  ///< namespace quellix
