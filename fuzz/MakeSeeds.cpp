// Writes the seed corpus of the fuzz targets with the project's own
// writers: data and remark files logged by the strip chart, form text
// streamed from components, number patterns the components use, FIR
// coefficient lists. Usage: quellix-fuzz-seeds OUTDIR (one folder per
// target below it).
#include <QDir>
#include <QTextStream>
#include <cstring>

#include "FuzzApplication.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Streaming.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

QByteArray ReadFile(const QString& Name) {
  QFile F(Name);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

struct TRunPlan {
  Integer Samples;
  Integer Remarks;
};

// Logs one file of the given runs (Series series each) and returns the data
// file and the remark file.
std::pair<QByteArray, QByteArray> LogFile(const QString& Dir, Integer Series, const std::vector<TRunPlan>& Runs,
                                          Double Interval) {
  const QString Name = Dir + QStringLiteral("/seed.qlx");
  QFile::remove(Name);
  QFile::remove(Dir + QStringLiteral("/seed.XRM"));
  {
    TStripChartInt Chart;
    Chart.SetSeriesNumber(Series);
    Chart.SetLogTimeIncrement(Interval);
    Chart.StartLogging(Name, QStringLiteral("Saatlauf"));
    Integer Run = 1;
    for (const TRunPlan& Plan : Runs) {
      std::vector<std::vector<Single>> Data(Series, std::vector<Single>(Plan.Samples + 1));
      TSeriesValues Values{};
      for (Integer k = 0; k < Series; ++k) {
        for (Integer i = 0; i < Plan.Samples; ++i) Data[k][i] = static_cast<Single>((k + 1) * 10 + i % 17);
        Values[k] = Data[k].data();
      }
      if (Plan.Samples > 0) Chart.AddValues(Values, Series, Plan.Samples);
      for (Integer r = 0; r < Plan.Remarks; ++r)
        Chart.AddRemark(Run, r % 2 ? -1 : 1, r % 2 ? dfManual : dfAutomatic,
                        static_cast<Double>(Chart.LogStartTime() + r * Interval * 3),
                        QStringLiteral("Bemerkung %1, \"zitiert\"").arg(r));
      if (&Plan != &Runs.back()) Chart.SetLogStartTime(static_cast<Double>(Chart.LogTimeLast()) + 100);
      ++Run;
    }
    Chart.StopLogging();
  }
  return {ReadFile(Name), ReadFile(Dir + QStringLiteral("/seed.XRM"))};
}

void Put(const QString& Dir, const QString& Target, const QString& Name, const QByteArray& Bytes) {
  QDir().mkpath(Dir + '/' + Target);
  fuzz::WriteFile(Dir + '/' + Target + '/' + Name, Bytes);
}

QByteArray NumberSeed(long double Value, int Precision, const char* Pattern) {
  QByteArray B(10, '\0');
  std::memcpy(B.data(), &Value, 10);
  B.append(static_cast<char>(Precision));
  B.append(Pattern);
  return B;
}

}  // namespace

int main(int argc, char** argv) {
  fuzz::StartApplication(&argc, &argv);
  if (argc != 2) {
    QTextStream(stderr) << "Aufruf: quellix-fuzz-seeds AUSGABEORDNER\n";
    return 1;
  }
  const QString Out = QString::fromLocal8Bit(argv[1]);
  const QString Work = fuzz::ScratchDir();

  // Data files: several runs with remarks; a run of three series across
  // two blocks; an empty run; a run cut off without its TAIL.
  const auto Many = LogFile(Work, 1, {{1030, 3}, {5, 1}, {0, 0}}, 0.5);
  Put(Out, "datafile", "runs_with_remarks", Many.first + fuzz::RemarkSeparator() + Many.second);
  Put(Out, "remarkfile", "three_runs", Many.second);
  const auto Three = LogFile(Work, 3, {{1100, 2}}, 0.001);
  Put(Out, "datafile", "three_series", Three.first + fuzz::RemarkSeparator() + Three.second);
  const auto Empty = LogFile(Work, 8, {{0, 0}}, 1);
  Put(Out, "datafile", "empty_run", Empty.first);
  const auto Small = LogFile(Work, 2, {{20, 1}, {3, 2}}, 2);
  Put(Out, "datafile", "cut_off", Small.first.left(Small.first.size() - 44 - 10));
  Put(Out, "remarkfile", "interleaved", Small.second);

  // Form text of components with settings of their own.
  {
    RegisterClass<Firfilt::TFIRFilter>();
    TForm Form;
    Form.SetName(QStringLiteral("Form1"));
    auto* Chart = new TStripChartInt(&Form, &Form);
    Chart->SetName(QStringLiteral("Chart"));
    Chart->SetSeriesNumber(3);
    Chart->SetSeriesCurrent(2);
    Chart->SetSeriesColor(255);
    Chart->SetTitleTop(QStringLiteral("Schreiber"));
    auto* Fir = new Firfilt::TFIRFilter(&Form);
    Fir->SetName(QStringLiteral("Fir"));
    const Single C[3] = {0.25f, 0.5f, 0.25f};
    Fir->SetCoefficients(3, C);
    auto* Meter = new MLSingleSinks::TMeter(&Form, &Form);
    Meter->SetName(QStringLiteral("Meter"));
    Put(Out, "streaming", "form", WriteComponentText(&Form).toUtf8());
    Put(Out, "fircoeffs", "three", Fir->CoefficientStrings().join('\n').toUtf8());
    std::vector<Single> Many(40);
    for (size_t i = 0; i < Many.size(); ++i) Many[i] = static_cast<Single>(1.0 / (i + 1)) * (i % 2 ? -1 : 1);
    Fir->SetCoefficients(static_cast<Integer>(Many.size()), Many.data());
    Put(Out, "fircoeffs", "forty", Fir->CoefficientStrings().join('\n').toUtf8());
  }

  // The patterns the components format their numbers with.
  const struct {
    const char* Name;
    long double Value;
    int Precision;
    const char* Pattern;
  } Numbers[] = {
      {"integer", 12.5L, 15, "0"},          {"fixed", -3.14159L, 4, "0.00"},
      {"scientific", 12345.678L, 7, "#.##E-00"}, {"exponent", 1e-7L, 3, "#E+00"},
      {"mantissa", 0.000123L, 9, "0.00E-00"},  {"padded", 5.25L, 2, "00.000"},
      {"sections", -0.0L, 15, "0.0;(0.0);null"}, {"text", 1.5L, 15, "1,5e3"},
  };
  for (const auto& N : Numbers) Put(Out, "numberformat", N.Name, NumberSeed(N.Value, N.Precision, N.Pattern));
  return 0;
}
