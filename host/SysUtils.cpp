#include "SysUtils.h"

#include <QLocale>
#include <QDateTime>
#include <cmath>
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

QString FloatToStreamText(Extended Value) {
  double D = static_cast<double>(Value);
  if (std::isnan(D)) return QStringLiteral("NAN");
  if (std::isinf(D)) return D > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  QString S = QString::number(D, 'g', QLocale::FloatingPointShortest);
  if (!S.contains(QLatin1Char('.')) && !S.contains(QLatin1Char('e')) && !S.contains(QLatin1Char('E')))
    S += QStringLiteral(".0");
  return S.toUpper();
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
