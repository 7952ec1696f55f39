#include "quellix/host/NumberFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace quellix {

namespace {
QChar& DecimalSeparatorRef() {
  static QChar Sep = [] {
    QString S = QLocale::system().decimalPoint();
    return S.isEmpty() ? QLatin1Char('.') : S.at(0);
  }();
  return Sep;
}

QChar& ThousandSeparatorRef() {
  static QChar Sep = [] {
    QString S = QLocale::system().groupSeparator();
    return S.isEmpty() ? QLatin1Char(',') : S.at(0);
  }();
  return Sep;
}

std::mt19937& Generator() {
  static std::mt19937 G(0);
  return G;
}
std::uint32_t& SeedRef() {
  static std::uint32_t S = 0;
  return S;
}
}  // namespace

QChar DecimalSeparator() { return DecimalSeparatorRef(); }
void SetDecimalSeparator(QChar Separator) { DecimalSeparatorRef() = Separator; }
QChar ThousandSeparator() { return ThousandSeparatorRef(); }
void SetThousandSeparator(QChar Separator) { ThousandSeparatorRef() = Separator; }

QString FloatToStreamText(Extended Value) {
  double D = static_cast<double>(Value);
  if (std::isnan(D)) return QStringLiteral("NAN");
  if (std::isinf(D)) return D > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  QString S = QString::number(D, 'g', QLocale::FloatingPointShortest);
  if (!S.contains(QLatin1Char('.')) && !S.contains(QLatin1Char('e')) && !S.contains(QLatin1Char('E')))
    S += QStringLiteral(".0");
  return S.toUpper();
}

// ---------------------------------------------------------------------------
// Decimal digits of a value

namespace {

// All formatting starts from the value's decimal representation with at
// most 15 significant digits (the precision of a Double, which is what the
// components format). Rounding to fewer digits then happens on that text,
// half away from zero, so 2.675 shows as "2.68" the way it reads, not as
// the binary neighbour 2.67499999... would.
constexpr int MaxPrecision = 15;

// Value = 0.Digits x 10^Exponent, Digits without trailing zeros (empty for
// zero). At most Precision significant digits are kept, and none beyond
// Decimals places after the decimal point.
struct TDecimal {
  QString Digits;
  int Exponent = 0;
  bool Negative = false;
  bool IsZero() const { return Digits.isEmpty(); }
};

TDecimal ToDecimal(Extended Value, int Precision, int Decimals) {
  TDecimal R;
  R.Negative = std::signbit(Value);
  Extended A = std::fabs(Value);
  if (A == 0) return R;
  Precision = std::clamp(Precision, 1, MaxPrecision);
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.*Le", MaxPrecision - 1, A);  // d.dddde+XX
  QString All;
  const char* P = Buf;
  for (; *P && *P != 'e'; ++P)
    if (*P >= '0' && *P <= '9') All += QLatin1Char(*P);
  int Exp = std::atoi(P + 1) + 1;
  // Number of digits kept; the first dropped digit decides the rounding.
  long Keep = std::min<long>(Precision, static_cast<long>(Exp) + Decimals);
  if (Keep < 0) return R;
  QString D = All.left(static_cast<int>(Keep));
  if (Keep < All.size() && All[static_cast<int>(Keep)] >= QLatin1Char('5')) {
    int I = D.size() - 1;
    while (I >= 0 && D[I] == QLatin1Char('9')) D[I--] = QLatin1Char('0');
    if (I >= 0) {
      D[I] = QChar(D[I].unicode() + 1);
    } else {  // carry out of the first digit: 9.99 -> 10.0
      D.prepend(QLatin1Char('1'));
      D.chop(1);
      if (D.isEmpty()) D = QStringLiteral("1");
      ++Exp;
    }
  }
  while (!D.isEmpty() && D.endsWith(QLatin1Char('0'))) D.chop(1);
  if (D.isEmpty()) return R;
  R.Digits = D;
  R.Exponent = Exp;
  return R;
}

QString SpecialText(Extended Value) {
  if (std::isnan(Value)) return QStringLiteral("NAN");
  return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// Exponent text: the letter, the sign ('+' always or only '-'), at least
// MinDigits digits.
QString ExponentText(QChar Letter, bool AlwaysSign, int MinDigits, int Exp) {
  QString S = Letter;
  if (Exp < 0)
    S += QLatin1Char('-');
  else if (AlwaysSign)
    S += QLatin1Char('+');
  S += QString::number(std::abs(Exp)).rightJustified(MinDigits, QLatin1Char('0'));
  return S;
}

// One section of a pattern, split into its parts.
struct TPatternItem {
  enum Kind { Literal, Placeholder, Point, Exponent } K;
  QString Text;        // Literal
  bool Zero = false;   // Placeholder: '0' (true) or '#'
  bool Integer = true; // Placeholder: before the decimal point
  QChar Letter;        // Exponent
  bool AlwaysSign = false;
  int MinDigits = 0;
};

struct TPattern {
  std::vector<TPatternItem> Items;
  int IntCount = 0;        // placeholders before the decimal point
  int FracCount = 0;       // placeholders after it
  int IntZeros = 0;        // integer digits always shown (from the first '0')
  int FracZeros = 0;       // decimals always shown (up to the last '0')
  bool HasPoint = false;
  bool Scientific = false;
  bool Thousands = false;  // ',' among the integer placeholders
};

TPattern ParsePattern(const QString& F) {
  TPattern P;
  int FirstIntZero = -1;
  for (int I = 0; I < F.size(); ++I) {
    QChar C = F[I];
    TPatternItem It{TPatternItem::Literal, {}, false, true, {}, false, 0};
    if (C == QLatin1Char('\'') || C == QLatin1Char('"')) {
      int End = F.indexOf(C, I + 1);
      if (End < 0) End = F.size();
      It.Text = F.mid(I + 1, End - I - 1);
      I = End;
    } else if (C == QLatin1Char('0') || C == QLatin1Char('#')) {
      It.K = TPatternItem::Placeholder;
      It.Zero = C == QLatin1Char('0');
      It.Integer = !P.HasPoint;
      if (It.Integer) {
        if (It.Zero && FirstIntZero < 0) FirstIntZero = P.IntCount;
        ++P.IntCount;
      } else {
        ++P.FracCount;
        if (It.Zero) P.FracZeros = P.FracCount;
      }
    } else if (C == QLatin1Char('.') && !P.HasPoint && !P.Scientific) {
      It.K = TPatternItem::Point;
      P.HasPoint = true;
    } else if (C == QLatin1Char(',') && !P.HasPoint && !P.Scientific) {
      P.Thousands = true;
      continue;
    } else if ((C == QLatin1Char('E') || C == QLatin1Char('e')) && !P.Scientific && I + 1 < F.size() &&
               (F[I + 1] == QLatin1Char('+') || F[I + 1] == QLatin1Char('-'))) {
      It.K = TPatternItem::Exponent;
      It.Letter = C;
      It.AlwaysSign = F[I + 1] == QLatin1Char('+');
      I += 2;
      while (I < F.size() && F[I] == QLatin1Char('0') && It.MinDigits < 4) {
        ++It.MinDigits;
        ++I;
      }
      --I;
      P.Scientific = true;
    } else {
      It.Text = C;
    }
    P.Items.push_back(It);
  }
  P.IntZeros = FirstIntZero < 0 ? 0 : P.IntCount - FirstIntZero;
  return P;
}

// Digits of the section for a value (its sign is handled by the caller).
TDecimal SectionDigits(const TPattern& P, Extended Value) {
  if (P.Scientific) return ToDecimal(Value, std::max(1, P.IntCount + P.FracCount), 9999);
  return ToDecimal(Value, MaxPrecision, P.FracCount);
}

// Renders an unsigned value's digits into one section.
QString RenderSection(const TPattern& P, const TDecimal& D) {
  QString IntDigits, FracDigits;
  int Exp = 0;
  if (P.Scientific) {
    // The integer placeholders are filled with significant digits; the
    // exponent makes up the difference.
    QString All = D.Digits;
    if (D.IsZero()) {
      if (P.IntCount > 0) All = QStringLiteral("0");
    } else {
      Exp = D.Exponent - P.IntCount;
    }
    if (All.size() < P.IntCount) All = All.leftJustified(P.IntCount, QLatin1Char('0'));
    IntDigits = All.left(P.IntCount);
    FracDigits = All.mid(P.IntCount);
    if (D.IsZero() && P.IntCount == 0) FracDigits.clear();
  } else if (!D.IsZero()) {
    if (D.Exponent > 0) {
      IntDigits = D.Digits.left(D.Exponent).leftJustified(D.Exponent, QLatin1Char('0'));
      FracDigits = D.Digits.mid(D.Exponent);
    } else {
      FracDigits = QString(-D.Exponent, QLatin1Char('0')) + D.Digits;
    }
  }
  // Leading zeros for the '0' placeholders; extra integer digits all go
  // to the first placeholder.
  if (IntDigits.size() < P.IntZeros) IntDigits = IntDigits.rightJustified(P.IntZeros, QLatin1Char('0'));
  if (FracDigits.size() < P.FracZeros) FracDigits = FracDigits.leftJustified(P.FracZeros, QLatin1Char('0'));
  const int Extra = IntDigits.size() - P.IntCount;  // > 0: more digits than placeholders

  QString Out;
  int IntIndex = 0, FracIndex = 0;
  auto PutIntDigit = [&](int J) {
    const int Left = IntDigits.size() - J;  // digits from here to the point
    if (P.Thousands && !P.Scientific && J > 0 && Left % 3 == 0) Out += ThousandSeparator();
    Out += IntDigits[J];
  };
  auto PutPoint = [&] {
    if (P.IntCount == 0) Out += IntDigits;  // ".00" still shows the integer part
    if (!FracDigits.isEmpty()) Out += DecimalSeparator();
  };
  for (const TPatternItem& It : P.Items) {
    switch (It.K) {
      case TPatternItem::Literal:
        Out += It.Text;
        break;
      case TPatternItem::Placeholder:
        if (It.Integer) {
          int J = IntIndex + Extra;  // index into IntDigits
          if (IntIndex == 0 && Extra > 0)
            for (int K = 0; K <= J; ++K) PutIntDigit(K);
          else if (J >= 0)
            PutIntDigit(J);
          ++IntIndex;
        } else {
          if (FracIndex < FracDigits.size()) Out += FracDigits[FracIndex];
          ++FracIndex;
        }
        break;
      case TPatternItem::Point:
        PutPoint();
        break;
      case TPatternItem::Exponent:
        Out += ExponentText(It.Letter, It.AlwaysSign, It.MinDigits, Exp);
        break;
    }
  }
  return Out;
}

// Splits a pattern into its sections at ';' outside quoted text.
QStringList SplitSections(const QString& F) {
  QStringList L;
  QString Cur;
  QChar Quote;
  for (QChar C : F) {
    if (!Quote.isNull()) {
      if (C == Quote) Quote = QChar();
    } else if (C == QLatin1Char('\'') || C == QLatin1Char('"')) {
      Quote = C;
    } else if (C == QLatin1Char(';')) {
      L << Cur;
      Cur.clear();
      continue;
    }
    Cur += C;
  }
  L << Cur;
  return L;
}

}  // namespace

QString FormatFloat(const QString& Format, Extended Value) {
  if (!std::isfinite(Value)) return SpecialText(Value);
  if (Format.isEmpty()) return FloatToStrGeneral(Value, MaxPrecision);
  const QStringList Sections = SplitSections(Format);
  const TPattern Pos = ParsePattern(Sections[0]);
  const bool HasNeg = Sections.size() > 1 && !Sections[1].isEmpty();
  const bool HasZero = Sections.size() > 2 && !Sections[2].isEmpty();
  const bool Negative = Value < 0;
  const TPattern Used = Negative && HasNeg ? ParsePattern(Sections[1]) : Pos;
  const Extended A = std::fabs(Value);
  TDecimal D = SectionDigits(Used, A);
  // A value that rounds to zero in its section is shown as zero, without a
  // minus sign and by the zero section when there is one: "-0.00" would
  // claim a sign the shown digits cannot have.
  if (D.IsZero()) {
    if (HasZero) return RenderSection(ParsePattern(Sections[2]), TDecimal{});
    return RenderSection(Pos, TDecimal{});
  }
  // Fixed patterns fall back to the general format for numbers too large
  // to write out digit by digit.
  if (!Used.Scientific && D.Exponent > 18) return FloatToStrGeneral(Value, MaxPrecision);
  QString S = RenderSection(Used, D);
  if (Negative && !HasNeg) S.prepend(QLatin1Char('-'));
  return S;
}

QString FloatToStrGeneral(Extended Value, int Precision) {
  if (!std::isfinite(Value)) return SpecialText(Value);
  Precision = std::clamp(Precision, 1, MaxPrecision);
  TDecimal D = ToDecimal(Value, Precision, 9999);
  if (D.IsZero()) return QStringLiteral("0");
  QString S = D.Negative ? QStringLiteral("-") : QString();
  // Fixed notation from 0.0001 up to Precision integer digits.
  if (D.Exponent >= -3 && D.Exponent <= Precision) {
    if (D.Exponent <= 0) {
      S += QLatin1Char('0') + QString(DecimalSeparator()) + QString(-D.Exponent, QLatin1Char('0')) + D.Digits;
    } else {
      S += D.Digits.left(D.Exponent).leftJustified(D.Exponent, QLatin1Char('0'));
      if (D.Digits.size() > D.Exponent) S += DecimalSeparator() + D.Digits.mid(D.Exponent);
    }
    return S;
  }
  S += D.Digits.left(1);
  if (D.Digits.size() > 1) S += DecimalSeparator() + D.Digits.mid(1);
  return S + ExponentText(QLatin1Char('E'), true, 0, D.Exponent - 1);
}

QString FloatToStr(Extended Value) { return FloatToStrGeneral(Value, MaxPrecision); }

QString FloatToStrFixed(Extended Value, int Digits) {
  Digits = std::clamp(Digits, 0, 18);
  return FormatFloat(Digits > 0 ? QStringLiteral("0.") + QString(Digits, QLatin1Char('0')) : QStringLiteral("0"),
                     Value);
}

Extended StrToFloat(const QString& S) {
  const QString T = S.trimmed();
  auto Fail = [&]() -> Extended {
    throw EConvertError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(S));
  };
  // [sign] digits [separator digits] [E [sign] digits], at least one
  // mantissa digit; rebuilt with '.' for the C conversion.
  QByteArray C;
  int I = 0;
  const int N = T.size();
  auto Digits = [&] {
    int Count = 0;
    while (I < N && T[I] >= QLatin1Char('0') && T[I] <= QLatin1Char('9')) {
      C += static_cast<char>(T[I].unicode());
      ++I;
      ++Count;
    }
    return Count;
  };
  if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-'))) C += static_cast<char>(T[I++].unicode());
  int Mantissa = Digits();
  if (I < N && T[I] == DecimalSeparator()) {
    C += '.';
    ++I;
    Mantissa += Digits();
  }
  if (Mantissa == 0) return Fail();
  if (I < N && (T[I] == QLatin1Char('E') || T[I] == QLatin1Char('e'))) {
    C += 'e';
    ++I;
    if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-'))) C += static_cast<char>(T[I++].unicode());
    if (Digits() == 0) return Fail();
  }
  if (I != N) return Fail();
  Extended V = std::strtold(C.constData(), nullptr);
  if (std::isinf(V)) return Fail();  // beyond the Extended range
  return V;
}

QString IntToStr(std::int64_t Value) { return QString::number(Value); }

Integer StrToInt(const QString& S) {
  bool Ok = false;
  int V = S.trimmed().toInt(&Ok);
  if (!Ok) throw EConvertError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(S));
  return V;
}

void Randomize() { SetRandSeed(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch())); }

void SetRandSeed(std::uint32_t Seed) {
  SeedRef() = Seed;
  Generator().seed(Seed);
}

std::uint32_t RandSeed() { return SeedRef(); }

Double Random() {
  // 32 random bits scaled into [0, 1).
  return static_cast<Double>(Generator()()) / 4294967296.0;
}

Integer RandomInt(Integer Range) {
  if (Range <= 0) return 0;
  return static_cast<Integer>(Random() * Range);
}

}  // namespace quellix
