#include "quellix/app/DistributorsWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace quellix::Hersteller_Unit {

const std::vector<TContact>& Contacts() {
  static const std::vector<TContact> List = {
      {QString::fromUtf8("Vertrieb Nord"), QStringLiteral("Vertrieb"), QStringLiteral("Quellix-Vertrieb Nord"),
       QString::fromUtf8("Hafenstraße 1"), QStringLiteral("00000"), QStringLiteral("Musterstadt"),
       QStringLiteral("0000 000-100"), QStringLiteral("0000 000-109"), QStringLiteral("nord@quellix.example"),
       QStringLiteral("www.quellix.example/nord"), bdWarehouse},
      {QString::fromUtf8("Vertrieb Süd"), QStringLiteral("Vertrieb"), QString::fromUtf8("Quellix-Vertrieb Süd"),
       QStringLiteral("Am Marktplatz 5"), QStringLiteral("00000"), QStringLiteral("Beispielhausen"),
       QStringLiteral("0000 000-200"), QStringLiteral("0000 000-209"), QStringLiteral("sued@quellix.example"),
       QStringLiteral("www.quellix.example/sued"), bdShop},
      {QStringLiteral("Entwicklung"), QStringLiteral("Entwicklung"), QStringLiteral("Quellix-Entwicklergruppe"),
       QStringLiteral("Werkstattweg 3"), QStringLiteral("00000"), QStringLiteral("Quellstadt"),
       QStringLiteral("0000 000-300"), QStringLiteral("0000 000-309"), QStringLiteral("entwicklung@quellix.example"),
       QStringLiteral("www.quellix.example"), bdOffice},
  };
  return List;
}

namespace {

const QColor Edge(54, 60, 72);

// A grid of windows inside R, Cols × Rows, lit or dark in a fixed pattern.
void Windows(QPainter& P, const QRectF& R, int Cols, int Rows) {
  const qreal W = R.width() / Cols, H = R.height() / Rows;
  P.setPen(QPen(Edge, 1));
  for (int Y = 0; Y < Rows; ++Y)
    for (int X = 0; X < Cols; ++X) {
      P.setBrush((X * 3 + Y * 5) % 4 == 0 ? QColor(250, 226, 130) : QColor(170, 206, 236));
      P.drawRect(QRectF(R.left() + X * W + W * 0.18, R.top() + Y * H + H * 0.18, W * 0.64, H * 0.64));
    }
}

void Ground(QPainter& P) {
  P.setPen(Qt::NoPen);
  P.setBrush(QColor(120, 170, 100));
  P.drawRect(QRectF(0, 150, 200, 10));
  P.setBrush(QColor(150, 150, 150));
  P.drawRect(QRectF(0, 160, 200, 6));
}

void Tree(QPainter& P, qreal X) {
  P.setPen(QPen(Edge, 1));
  P.setBrush(QColor(120, 84, 50));
  P.drawRect(QRectF(X - 2, 132, 4, 18));
  P.setBrush(QColor(70, 140, 70));
  P.drawEllipse(QPointF(X, 124), 11, 14);
}

void Warehouse(QPainter& P) {
  // Hall with a saw-tooth roof and a loading gate.
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(214, 206, 190));
  P.drawRect(QRectF(24, 70, 150, 80));
  QPolygonF Roof;
  Roof << QPointF(24, 70);
  for (int I = 0; I < 5; ++I) Roof << QPointF(24 + I * 30, 48) << QPointF(24 + (I + 1) * 30, 70);
  P.setBrush(QColor(150, 70, 60));
  P.drawPolygon(Roof);
  P.setBrush(QColor(128, 134, 146));
  P.drawRect(QRectF(40, 104, 50, 46));
  P.setPen(QPen(QColor(100, 106, 118), 1));
  for (int Y = 110; Y < 150; Y += 6) P.drawLine(QPointF(41, Y), QPointF(89, Y));
  Windows(P, QRectF(100, 84, 66, 26), 3, 1);
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(230, 230, 226));
  P.drawRect(QRectF(126, 120, 18, 30));  // door
}

void Shop(QPainter& P) {
  // Two storeys under a pitched roof, a shop window and a sign.
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(236, 222, 196));
  P.drawRect(QRectF(40, 64, 120, 86));
  P.setBrush(QColor(170, 80, 60));
  P.drawPolygon(QPolygonF({QPointF(30, 66), QPointF(100, 20), QPointF(170, 66)}));
  P.setBrush(QColor(236, 222, 196));
  P.drawEllipse(QPointF(100, 48), 8, 8);
  Windows(P, QRectF(48, 70, 104, 26), 4, 1);
  P.setBrush(QColor(31, 58, 110));
  P.drawRect(QRectF(48, 100, 104, 12));
  P.setPen(Qt::white);
  QFont F = P.font();
  F.setPixelSize(9);
  F.setBold(true);
  P.setFont(F);
  P.drawText(QRectF(48, 100, 104, 12), Qt::AlignCenter, QStringLiteral("VERTRIEB"));
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(170, 206, 236));
  P.drawRect(QRectF(52, 118, 56, 28));
  P.setBrush(QColor(120, 84, 50));
  P.drawRect(QRectF(120, 118, 22, 32));
}

void Office(QPainter& P) {
  // Flat-roofed block of four floors with a lab wing and an aerial.
  P.setPen(QPen(Edge, 1.5));
  P.setBrush(QColor(200, 208, 220));
  P.drawRect(QRectF(30, 40, 90, 110));
  Windows(P, QRectF(36, 46, 78, 80), 4, 4);
  P.setBrush(QColor(230, 230, 226));
  P.drawRect(QRectF(64, 130, 22, 20));
  P.setBrush(QColor(186, 196, 210));
  P.drawRect(QRectF(120, 86, 56, 64));
  Windows(P, QRectF(124, 94, 48, 20), 3, 1);
  // A circuit board on the wing's wall: the group builds measuring hardware.
  P.setBrush(QColor(40, 120, 70));
  P.drawRect(QRectF(130, 122, 36, 20));
  P.setBrush(QColor(30, 30, 30));
  P.drawRect(QRectF(140, 127, 14, 10));
  P.setPen(QPen(QColor(220, 190, 90), 1));
  for (int I = 0; I < 4; ++I) P.drawLine(QPointF(133 + I * 3, 139), QPointF(133 + I * 3, 142));
  P.setPen(QPen(Edge, 1.5));
  P.drawLine(QPointF(100, 40), QPointF(100, 16));
  P.drawLine(QPointF(92, 22), QPointF(108, 22));
  P.drawLine(QPointF(95, 28), QPointF(105, 28));
}

}  // namespace

QImage DrawBuildingPicture(TBuilding Building, int Width, int Height) {
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 200 × 170 grid and scaled to the picture.
  P.scale(Width / 200.0, Height / 170.0);
  // Sky and ground stay inside a rounded frame.
  QPainterPath Frame;
  Frame.addRoundedRect(QRectF(2, 2, 196, 164), 10, 10);
  P.setClipPath(Frame);
  P.fillPath(Frame, QColor(222, 236, 248));
  Ground(P);
  switch (Building) {
    case bdWarehouse: Warehouse(P); Tree(P, 186); break;
    case bdShop: Shop(P); Tree(P, 16); Tree(P, 182); break;
    case bdOffice: Office(P); Tree(P, 14); break;
  }
  return Image;
}

THersteller_Demo::THersteller_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("THersteller_Demo"), tr("Vertrieb und Hersteller"), AOwner) {
  SetTitle(tr("Vertrieb und Hersteller"));
  SetExplanation(tr(
      "Die beiden Vertriebe beraten zu den Komponenten und liefern sie aus; Fragen zur Technik beantwortet die "
      "Quellix-Entwicklergruppe.\nAlle Namen, Anschriften und Nummern dieses Fensters sind Platzhalter."));
  resize(640, 420);

  auto* Layout = new QVBoxLayout(ClientArea());
  Layout->setContentsMargins(0, 0, 0, 0);
  PageControl1 = new QTabWidget(ClientArea());
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  for (const TContact& C : Contacts()) PageControl1->addTab(MakeSheet(C), C.TabCaption);
  Layout->addWidget(PageControl1);
}

QWidget* THersteller_Demo::MakeSheet(const TContact& C) {
  auto* Sheet = new QWidget();
  Sheet->setObjectName(QStringLiteral("TabSheet%1").arg(PageControl1->count() + 1));
  auto* Row = new QHBoxLayout(Sheet);
  Row->setContentsMargins(16, 16, 16, 16);
  Row->setSpacing(24);

  auto* Picture = new QLabel(Sheet);
  Picture->setObjectName(QStringLiteral("Picture"));
  Picture->setPixmap(QPixmap::fromImage(DrawBuildingPicture(C.Building, 200, 170)));
  Row->addWidget(Picture, 0, Qt::AlignTop);

  auto* Right = new QVBoxLayout();
  auto* Heading = new QLabel(C.Role, Sheet);
  Heading->setStyleSheet(QStringLiteral("color: #1f3a6e;"));
  QFont HeadingFont = Heading->font();
  HeadingFont.setPixelSize(13);
  HeadingFont.setBold(true);
  Heading->setFont(HeadingFont);
  Right->addWidget(Heading);

  auto* Form = new QFormLayout();
  Form->setLabelAlignment(Qt::AlignLeft);
  Form->setHorizontalSpacing(14);
  Form->setVerticalSpacing(6);
  auto AddField = [&](const QString& FieldName, const QString& Value, bool Bold = false) {
    auto* V = new QLabel(Value, Sheet);
    V->setObjectName(FieldName);
    V->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (Bold) {
      QFont F = V->font();
      F.setBold(true);
      V->setFont(F);
    }
    Form->addRow(FieldName + QLatin1Char(':'), V);
  };
  AddField(tr("Name"), C.Name, true);
  AddField(tr("Anschrift"), C.Street + QLatin1Char('\n') + C.PostalCode + QLatin1Char(' ') + C.City);
  AddField(tr("Telefon"), C.Telephone);
  AddField(tr("Telefax"), C.Fax);
  AddField(tr("E-Mail"), C.EMail);
  AddField(tr("Internet"), C.Web);
  Right->addLayout(Form);
  Right->addStretch(1);
  Row->addLayout(Right, 1);
  return Sheet;
}

QLabel* THersteller_Demo::Field(int Tab, const QString& FieldName) const {
  QWidget* Sheet = PageControl1->widget(Tab);
  return Sheet ? Sheet->findChild<QLabel*>(FieldName) : nullptr;
}

}  // namespace quellix::Hersteller_Unit
