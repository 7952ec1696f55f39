// The texts of the strip chart's time axis: unit classes, label texts and
// the calendar caption of the window end.
#include "quellix/stripchart/StripChartMapping.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::StrpChrtInt {

namespace {

// Seconds as a calendar time: day 1 is 1 January of year 1; the time of
// day is rounded to whole milliseconds, as the calendar conversion does.
struct TCalendarTime {
  std::int64_t Day = 0;
  Integer Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

TCalendarTime ToCalendar(Extended Seconds) {
  const Extended Limit = 9.0e15L;  // keeps the millisecond count in 64 bits
  const Extended Ms = std::nearbyint(std::clamp<Extended>(Seconds * 1000, -Limit, Limit));
  const auto Total = static_cast<std::int64_t>(std::isnan(Ms) ? 0 : Ms);
  constexpr std::int64_t MsPerDay = 86400000;
  TCalendarTime C;
  C.Day = Total >= 0 ? Total / MsPerDay : -((-Total + MsPerDay - 1) / MsPerDay);
  auto InDay = static_cast<Integer>(Total - C.Day * MsPerDay);
  C.MSec = InDay % 1000;
  InDay /= 1000;
  C.Second = InDay % 60;
  InDay /= 60;
  C.Minute = InDay % 60;
  C.Hour = InDay / 60;
  return C;
}

QString Two(Integer V) { return QStringLiteral("%1").arg(V, 2, 10, QLatin1Char('0')); }

const char* const kMonths[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// The unit classes and what they select.
struct TUnitRow {
  Integer Low, High;
  const char* Caption;
  const char* Sample;
};
const TUnitRow kUnitRows[] = {
    {-9, -7, "   [nsec:psec]", "000000000.000  "},
    {-6, -4, "   [\u00b5sec:nsec]", "000000.000  "},
    {-3, -1, "   [msec:\u00b5sec]", "000.000  "},
    {0, 1, "   [sec:msec]", "00.000  "},
    {2, 3, "   [min:sec]", "00:00  "},
    {4, 5, "   [h:min]", "00:00  "},
};
const TUnitRow kDayRow = {0, 0, "   [day]", "00:00  "};

const TUnitRow& UnitRow(Integer UnitClass) {
  for (const TUnitRow& R : kUnitRows)
    if (UnitClass >= R.Low && UnitClass <= R.High) return R;
  return kDayRow;
}

// A number pattern applied to a part of a second; a result that does not
// fit the pattern (a carry into the next unit) shows the zero text.
QString FractionText(const QString& Pattern, Extended Value, const QString& Zero) {
  const QString S = FormatFloat(Pattern, Value);
  return S.size() > Zero.size() ? Zero : S;
}

}  // namespace

Integer TStripChartMapping::TimeUnitClass(Integer Samples, Extended Increment) {
  const Extended Span = Samples * Increment;
  if (!(Span > 0) || !std::isfinite(Span)) return 0;
  Integer U = Round(std::log10(Span));
  if (U < 0) --U;
  return U;
}

QString TStripChartMapping::TimeUnitCaption(Integer UnitClass) { return QString::fromUtf8(UnitRow(UnitClass).Caption); }

QString TStripChartMapping::TimeUnitSample(Integer UnitClass) { return QString::fromUtf8(UnitRow(UnitClass).Sample); }

QString TStripChartMapping::TimeLabelText(Integer UnitClass, Extended T) {
  const bool Clock = UnitClass >= 2 && UnitClass <= 5;
  const bool Day = UnitRow(UnitClass).Caption == kDayRow.Caption;
  if (!(T > 0)) return Day ? QStringLiteral("00") : Clock ? QStringLiteral("00:00") : QStringLiteral("00.000");
  if (UnitClass >= -9 && UnitClass <= -7)
    return FractionText(QStringLiteral("00.000"), Frac(T * 10000000) * 100, QStringLiteral("00.000"));
  if (UnitClass >= -6 && UnitClass <= -4)
    return FractionText(QStringLiteral("00.000"), Frac(T * 10000) * 100, QStringLiteral("00.000"));
  if (UnitClass >= -3 && UnitClass <= -1)
    return FractionText(QStringLiteral("000.000"), Frac(T) * 1000, QStringLiteral("000.000"));
  const TCalendarTime C = ToCalendar(T);
  if (UnitClass == 0 || UnitClass == 1)
    return Two(C.Second) + FractionText(QStringLiteral(".000"), Frac(T), QStringLiteral(".000"));
  if (UnitClass == 2 || UnitClass == 3) return Two(C.Minute) + ':' + Two(C.Second);
  if (UnitClass == 4 || UnitClass == 5) return Two(C.Hour) + ':' + Two(C.Minute);
  return Two(QDate(1, 1, 1).addDays(C.Day - 1).day());
}

// "yyyy mmm dd hh:nn:ss"; a time of less than a day has no date to show
// and gives "hh:nn:ss"; up to one second "00:00".
QString TStripChartMapping::TimeCaptionText(Extended T) {
  if (!(T > 1)) return QStringLiteral("00:00");
  const TCalendarTime C = ToCalendar(T);
  const QString Clock = Two(C.Hour) + ':' + Two(C.Minute) + ':' + Two(C.Second);
  if (T < 86400) return Clock;
  const QDate D = QDate(1, 1, 1).addDays(C.Day - 1);
  return QStringLiteral("%1 %2 %3 ")
             .arg(D.year(), 4, 10, QLatin1Char('0'))
             .arg(QString::fromUtf8(kMonths[D.month() - 1]))
             .arg(Two(D.day())) +
         Clock;
}

}  // namespace quellix::StrpChrtInt
