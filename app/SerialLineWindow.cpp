#include "quellix/app/SerialLineWindow.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace quellix::Comm2_Unit {

QImage DrawInstrumentPicture(int Width, int Height) {
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 260 × 220 grid and scaled to the picture.
  P.scale(Width / 260.0, Height / 220.0);

  const QColor Edge(50, 56, 66);

  // Instrument housing with a darker front bezel.
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(196, 202, 210));
  P.drawRoundedRect(QRectF(10, 14, 170, 112), 8, 8);
  P.setBrush(QColor(150, 158, 170));
  P.drawRoundedRect(QRectF(18, 22, 154, 96), 5, 5);

  // Display with a reading.
  P.setBrush(QColor(24, 40, 30));
  P.drawRect(QRectF(28, 32, 96, 36));
  QFont F(QStringLiteral("Liberation Mono"));
  F.setPixelSize(20);
  F.setBold(true);
  P.setFont(F);
  P.setPen(QColor(120, 240, 140));
  P.drawText(QRectF(28, 32, 92, 36), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("12.345"));
  F.setPixelSize(9);
  F.setBold(false);
  P.setFont(F);
  P.drawText(QRectF(31, 34, 40, 10), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("DC V"));

  // Rotary knob and a row of keys.
  P.setPen(QPen(Edge, 1.2));
  P.setBrush(QColor(70, 76, 88));
  P.drawEllipse(QPointF(150, 50), 16, 16);
  P.setPen(QPen(QColor(230, 230, 230), 2));
  P.drawLine(QPointF(150, 50), QPointF(160, 40));
  P.setPen(QPen(Edge, 1));
  for (int I = 0; I < 4; ++I) {
    P.setBrush(I == 0 ? QColor(210, 70, 60) : QColor(232, 232, 228));
    P.drawRoundedRect(QRectF(30 + I * 24, 80, 18, 10), 2, 2);
  }
  // Input jacks: red and black.
  P.setBrush(QColor(200, 40, 40));
  P.drawEllipse(QPointF(130, 98), 6, 6);
  P.setBrush(QColor(30, 30, 30));
  P.drawEllipse(QPointF(154, 98), 6, 6);
  // Status LED: the line is active.
  P.setBrush(QColor(60, 200, 80));
  P.drawEllipse(QPointF(36, 104), 3.5, 3.5);
  F.setPixelSize(8);
  P.setFont(F);
  P.setPen(QColor(30, 30, 30));
  P.drawText(QPointF(44, 107), QStringLiteral("RS-232"));

  // Serial cable from the back of the instrument to the connector.
  QPainterPath Cable(QPointF(180, 70));
  Cable.cubicTo(QPointF(240, 70), QPointF(250, 140), QPointF(190, 160));
  Cable.cubicTo(QPointF(150, 172), QPointF(120, 180), QPointF(96, 180));
  P.setBrush(Qt::NoBrush);
  P.setPen(QPen(Edge, 6, Qt::SolidLine, Qt::RoundCap));
  P.drawPath(Cable);
  P.setPen(QPen(QColor(110, 118, 130), 3, Qt::SolidLine, Qt::RoundCap));
  P.drawPath(Cable);

  // 9-pin connector: a trapezoid shell with two rows of pins.
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(170, 176, 186));
  P.drawRoundedRect(QRectF(80, 168, 18, 24), 3, 3);  // strain relief
  P.drawRect(QRectF(22, 162, 60, 36));                 // mounting plate
  const QPolygonF Shell({QPointF(30, 168), QPointF(74, 168), QPointF(70, 192), QPointF(34, 192)});
  P.setBrush(QColor(120, 126, 138));
  P.drawPolygon(Shell);
  P.setBrush(QColor(230, 200, 90));
  P.setPen(Qt::NoPen);
  for (int I = 0; I < 5; ++I) P.drawEllipse(QPointF(37 + I * 7.5, 175), 2, 2);
  for (int I = 0; I < 4; ++I) P.drawEllipse(QPointF(40.75 + I * 7.5, 185), 2, 2);
  P.setPen(QPen(Edge, 1));
  P.setBrush(QColor(200, 204, 210));
  P.drawEllipse(QPointF(26, 180), 2.5, 2.5);  // screws
  P.drawEllipse(QPointF(78, 180), 2.5, 2.5);
  F.setPixelSize(9);
  P.setFont(F);
  P.setPen(QColor(40, 40, 40));
  P.drawText(QRectF(110, 188, 140, 14), Qt::AlignLeft, QStringLiteral("COM1 · 9600 Baud"));
  return Image;
}

TComm2_Demo::TComm2_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TComm2_Demo"), tr("TComm Demo"), AOwner) {
  SetTitle(QStringLiteral("TComm"));
  SetExplanation(tr(
      "TComm ist nicht Teil dieser Bibliothek; dieses Fenster beschreibt die Komponente nur und öffnet keine "
      "Schnittstelle.\nAn eine Messquelle angeschlossen, ließen sich die Messwerte eines Geräts mit den "
      "Instrumenten und Diagrammen von Quellix darstellen."));
  resize(700, 440);

  auto* Layout = new QHBoxLayout(ClientArea());
  Layout->setContentsMargins(4, 0, 4, 0);
  Layout->setSpacing(16);

  Image1 = new QLabel(ClientArea());
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(QPixmap::fromImage(DrawInstrumentPicture(260, 220)));
  Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  Layout->addWidget(Image1, 0, Qt::AlignTop);

  Description = new QLabel(ClientArea());
  Description->setObjectName(QStringLiteral("Description"));
  Description->setWordWrap(true);
  Description->setTextFormat(Qt::RichText);
  Description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  Description->setText(tr(
      "<p style='font-size:15px; color:#1f3a6e'><b>Messgeräte an der seriellen Schnittstelle</b></p>"
      "<p>TComm verbindet ein Programm mit einem Messgerät, das über eine serielle Leitung angeschlossen ist: "
      "Multimeter, Waagen, Temperaturregler und Datensammler.</p>"
      "<table cellspacing='0' cellpadding='2'>"
      "<tr><td><b>Schnittstelle</b></td><td>COM1 … COM4</td></tr>"
      "<tr><td><b>Geschwindigkeit</b></td><td>300 … 115 200 Baud</td></tr>"
      "<tr><td><b>Datenformat</b></td><td>7 oder 8 Datenbits, Parität, 1 oder 2 Stoppbits</td></tr>"
      "<tr><td><b>Handshake</b></td><td>keiner, RTS/CTS oder XON/XOFF</td></tr>"
      "</table>"
      "<p>Befehle an das Gerät werden in eine Warteschlange gestellt; jede Antwortzeile meldet die Komponente "
      "mit einem Ereignis. Bleibt eine Antwort aus oder ist eine Übertragung gestört, meldet sie auch das als "
      "Ereignis, statt das Programm warten zu lassen.</p>"));
  Layout->addWidget(Description, 1);
}

}  // namespace quellix::Comm2_Unit
