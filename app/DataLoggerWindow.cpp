#include "quellix/app/DataLoggerWindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quellix::Fastlog_Unit {

namespace {

// One row of the throughput table.
struct TThroughputRow {
  const char* Channels;
  const char* Rate;
  const char* Volume;
};

// Sustained rates with 16-bit values written to a local disk.
constexpr TThroughputRow ThroughputRows[] = {
    {"1 Kanal", "400 000 Werte/s", "0,8 MB/s"},
    {"2 Kanäle", "je 200 000 Werte/s", "0,8 MB/s"},
    {"8 Kanäle", "je 50 000 Werte/s", "0,8 MB/s"},
    {"32 Kanäle", "je 12 000 Werte/s", "0,77 MB/s"},
};

QString ThroughputHtml() {
  QString Html = QString::fromUtf8(
      "<p style='margin-bottom:6px'><b>Durchsatz</b> (Dauerbetrieb, 16-Bit-Werte, lokale Festplatte)</p>"
      "<table cellspacing='0' cellpadding='4' style='border-collapse:collapse'>"
      "<tr style='background:#1f3a6e; color:white'><th align='left'>Kanäle</th><th align='left'>Abtastrate</th>"
      "<th align='left'>Datenstrom</th></tr>");
  bool Shaded = false;
  for (const TThroughputRow& Row : ThroughputRows) {
    Html += QStringLiteral("<tr style='background:%1'><td style='white-space:nowrap'>%2</td><td style='white-space:nowrap'>%3</td><td style='white-space:nowrap'>%4</td></tr>")
                .arg(Shaded ? QStringLiteral("#e4eaf4") : QStringLiteral("#ffffff"), QString::fromUtf8(Row.Channels),
                     QString::fromUtf8(Row.Rate), QString::fromUtf8(Row.Volume));
    Shaded = !Shaded;
  }
  Html += QStringLiteral("</table>");
  return Html;
}

}  // namespace

TFastlog_Demo::TFastlog_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TFastlog_Demo"), tr("TFastlog Demo"), AOwner) {
  SetTitle(QStringLiteral("TFastlog"));
  SetExplanation(tr(
      "TFastlog ist eine Senke für Messquellen: sie zeichnet auf, ohne anzuzeigen.\n"
      "Die Werte der Tabelle sind Richtwerte; der tatsächliche Durchsatz hängt vor allem von der Festplatte ab."));
  resize(720, 430);

  auto* Layout = new QHBoxLayout(ClientArea());
  Layout->setContentsMargins(4, 0, 4, 0);
  Layout->setSpacing(16);

  Description = new QLabel(ClientArea());
  Description->setObjectName(QStringLiteral("Description"));
  Description->setWordWrap(true);
  Description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  Description->setTextFormat(Qt::RichText);
  Description->setText(tr(
      "<p style='font-size:15px; color:#1f3a6e'><b>Schneller Datenlogger für Messquellen</b></p>"
      "<p>TFastlog wird wie jede Senke über <b>MeasureSource</b> an eine Messquelle angeschlossen und schreibt "
      "jeden ankommenden Block unmittelbar in eine Datei – ohne Umweg über eine Anzeige.</p>"
      "<p>Die Blöcke werden in einem Ringpuffer gesammelt und in großen Stücken geschrieben; so hält der "
      "Logger auch dann Schritt, wenn die Festplatte kurz stockt. Geht der Puffer doch einmal über, meldet "
      "TFastlog die Zahl der verlorenen Blöcke, statt still Daten auszulassen.</p>"
      "<p>Jede Datei beginnt mit einem Kopf aus Kanalzahl, Abtastrate, Wertebereich und Startzeit; "
      "danach folgen die Werte Kanal für Kanal, Block für Block, so dass sich jede Datei blockweise wieder "
      "einlesen lässt.</p>"));
  Layout->addWidget(Description, 1);

  auto* Panel = new QFrame(ClientArea());
  Panel->setFrameShape(QFrame::StyledPanel);
  auto* PanelLayout = new QVBoxLayout(Panel);
  Throughput = new QLabel(Panel);
  Throughput->setObjectName(QStringLiteral("Throughput"));
  Throughput->setTextFormat(Qt::RichText);
  Throughput->setWordWrap(true);
  Throughput->setText(ThroughputHtml());
  PanelLayout->addWidget(Throughput);
  PanelLayout->addStretch(1);
  Layout->addWidget(Panel, 0, Qt::AlignTop);
}

}  // namespace quellix::Fastlog_Unit
