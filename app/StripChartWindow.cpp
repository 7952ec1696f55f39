#include "quellix/app/StripChartWindow.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <array>

#include "quellix/host/NumberFormat.h"

namespace quellix::Stripchart_Unit {

using namespace StrpChrtInt;

namespace {

// Colours of series 1..8: red, blue, green, yellow, purple, maroon, lime, aqua.
constexpr std::array<TColor, kMaxSeries> kSeriesColors = {clRed,    clBlue,   clGreen, clYellow,
                                                          clPurple, clMaroon, clLime,  clAqua};
constexpr Integer kSamplesPerTick = 10;
const QString kFileFilter = QStringLiteral("Messdateien (*.qlx);;Alle Dateien (*)");

}  // namespace

TStripchart_Demo::TStripchart_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TStripchart_Demo"), tr("TStripchart Demo"), AOwner) {
  SetTitle(QStringLiteral("TStripChart"));
  SetExplanation(tr(
      "Acht Kanäle mit je zehn Werten alle 50 ms. „Aufnehmen“ schreibt die Kurven in eine Messdatei, "
      "„Wiedergeben“ zeigt eine aufgenommene Datei.\n"
      "Das Fadenkreuz zeigt Kurve und Spannung des Werts unter der Maus."));
  resize(680, 520);

  auto* Layout = new QVBoxLayout(ClientArea());
  Layout->setContentsMargins(0, 0, 0, 0);

  StripChart1 = new StrpChrt::TStripChart(this, ClientArea());
  StripChart1->SetName(QStringLiteral("StripChart1"));
  StripChart1->setMinimumSize(417, 233);
  StripChart1->SetTitleTop(tr("8-Kanal-Schreiber"));
  StripChart1->SetTitleLeft(tr("Spannung [V]"));
  StripChart1->SetBkColor(clWhite);
  StripChart1->SetGridColor(clSilver);
  StripChart1->SetGridVisible(grdBoth);
  StripChart1->SetViewYMin(0);
  StripChart1->SetViewYMax(80);
  StripChart1->SetViewYGap(10);
  StripChart1->SetViewYDecimals(0);
  StripChart1->SetSeriesNumber(kMaxSeries);
  for (Integer k = 1; k <= kMaxSeries; ++k) {
    StripChart1->SetSeriesCurrent(k);
    StripChart1->SetSeriesColor(kSeriesColors[k - 1]);
  }
  StripChart1->SetSeriesCurrent(1);
  Layout->addWidget(StripChart1, 1);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(50);
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
  // Every tick brings ten samples: one sample is a tenth of the interval.
  StripChart1->SetLogTimeIncrement(Timer1->Interval() * 0.001 * 0.1);
  // One grid line per second.
  StripChart1->SetViewXGap(1.0);

  auto* Row = new QHBoxLayout();
  auto* Buttons = new QVBoxLayout();
  Aufnehmen = new QPushButton(tr("&Aufnehmen"), ClientArea());
  Aufnehmen->setObjectName(QStringLiteral("Aufnehmen"));
  Wiedergeben = new QPushButton(tr("W&iedergeben"), ClientArea());
  Wiedergeben->setObjectName(QStringLiteral("Wiedergeben"));
  Werkzeugleiste = new QPushButton(tr("&Werkzeugleiste"), ClientArea());
  Werkzeugleiste->setObjectName(QStringLiteral("Werkzeugleiste"));
  Werkzeugleiste->setToolTip(tr("Werkzeugleiste des Schreibers ein- oder ausblenden"));
  connect(Werkzeugleiste, &QPushButton::clicked, this,
          [this] { StripChart1->SetShowToolBar(!StripChart1->ShowToolBar()); });
  StripChart1->OnCrossMove = [this](TObject* Sender, Single X, Single Y, Integer Series, Integer Index) {
    StripChart1CrossMove(Sender, X, Y, Series, Index);
  };
  // Errors met inside the chart's own handlers (a remark that cannot be
  // stored, a setting of the tool bar) are shown here too.
  StripChart1->OnError = [](TObject*, const Exception& E) { ShowError(E); };
  Buttons->addWidget(Aufnehmen);
  Buttons->addWidget(Wiedergeben);
  Buttons->addWidget(Werkzeugleiste);
  Row->addLayout(Buttons);

  InfoBox = new QGroupBox(tr("Information"), ClientArea());
  auto* Info = new QGridLayout(InfoBox);
  Kurve = new QLabel(InfoBox);
  Kurve->setObjectName(QStringLiteral("Kurve"));
  Spannung = new QLabel(InfoBox);
  Spannung->setObjectName(QStringLiteral("Spannung"));
  Info->addWidget(new QLabel(tr("Kurve:"), InfoBox), 0, 0);
  Info->addWidget(Kurve, 0, 1);
  Info->addWidget(new QLabel(tr("Spannung:"), InfoBox), 1, 0);
  Info->addWidget(Spannung, 1, 1);
  Info->setColumnStretch(1, 1);
  Row->addWidget(InfoBox, 1);
  Layout->addLayout(Row);

  connect(Aufnehmen, &QPushButton::clicked, this, [this] { AufnehmenClick(); });
  connect(Wiedergeben, &QPushButton::clicked, this, [this] { WiedergebenClick(); });
  OnShow = [this](TObject*) { Timer1->SetEnabled(true); };
  // The close button, Escape and the title bar all end up hiding the window.
  OnHide = [this](TObject*) { FormClose(); };
}

TStripchart_Demo::~TStripchart_Demo() {
  OnHide = nullptr;
  Timer1->SetEnabled(false);
  try {
    StripChart1->StopLogging();
  } catch (const Exception&) {
    // The file is closed by the chart either way.
  }
}

void TStripchart_Demo::ShowError(const Exception& E) { MessageDlg(E.Message(), mtError, mbOK); }

void TStripchart_Demo::Timer1Timer(TObject*) {
  std::array<std::array<Single, kSamplesPerTick>, kMaxSeries> Values;
  for (Integer j = 0; j < kSamplesPerTick; ++j)
    for (Integer k = 1; k <= kMaxSeries; ++k)
      Values[k - 1][j] = static_cast<Single>(2 * Random() + (10 * k - 5));
  TSeriesValues Pointers{};
  for (Integer k = 0; k < kMaxSeries; ++k) Pointers[k] = Values[k].data();
  try {
    StripChart1->AddValues(Pointers, kMaxSeries, kSamplesPerTick);
  } catch (const Exception& E) {
    // A failing disk while logging: the chart has ended the run and goes
    // on showing the live samples; the error comes once.
    ShowError(E);
  }
}

bool TStripchart_Demo::StopFiles() {
  try {
    StripChart1->StopLogging();
    StripChart1->StopPlaying();
  } catch (const Exception& E) {
    ShowError(E);
    return false;
  }
  return true;
}

void TStripchart_Demo::AufnehmenClick() {
  if (!StopFiles()) return;
  // Logging appends to an existing file, so choosing one is no overwrite.
  const QString Name = QFileDialog::getSaveFileName(this, tr("Aufnehmen"), QString(), kFileFilter,
                                                    nullptr, QFileDialog::DontConfirmOverwrite);
  StartRecording(Name);
}

void TStripchart_Demo::WiedergebenClick() {
  if (!StopFiles()) return;
  const QString Name = QFileDialog::getOpenFileName(this, tr("Wiedergeben"), QString(), kFileFilter);
  StartPlayback(Name);
}

void TStripchart_Demo::StartRecording(const QString& FileName) {
  if (FileName.isEmpty()) return;
  try {
    StripChart1->StartLogging(FileName, QStringLiteral("Kein Kommentar"));
  } catch (const Exception& E) {
    ShowError(E);
    return;
  }
  Timer1->SetEnabled(true);
}

void TStripchart_Demo::StartPlayback(const QString& FileName) {
  if (FileName.isEmpty()) return;
  try {
    StripChart1->StartPlaying(FileName);
  } catch (const Exception& E) {
    ShowError(E);
  }
}

void TStripchart_Demo::StripChart1CrossMove(TObject*, Single, Single Y, Integer Series, Integer) {
  Kurve->setText(QString::number(Series));
  Spannung->setText(FloatToStrFixed(Y, 2) + QStringLiteral(" V"));
}

void TStripchart_Demo::FormClose() {
  StripChart1->SetShowJogShuttleBar(false);
  StripChart1->SetShowValueBar(false);
  StripChart1->SetShowToolBar(false);
  Timer1->SetEnabled(false);
  ProcessMessages();
  try {
    StripChart1->StopLogging();
  } catch (const Exception& E) {
    ShowError(E);
  }
}

}  // namespace quellix::Stripchart_Unit
