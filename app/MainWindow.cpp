#include "quellix/app/MainWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace quellix::Main {

namespace {

QFont ArialBold(int PixelHeight) {
  TFont F;
  F.SetName(QStringLiteral("Arial"));
  F.SetHeight(-PixelHeight);
  F.SetStyle(fsBold);
  return F.ToQFont();
}

QPalette TextPalette(QWidget* W, TColor Color) {
  QPalette P = W->palette();
  P.setColor(QPalette::WindowText, ToQColor(Color));
  return P;
}

}  // namespace

TQuellix32::TQuellix32(TComponentCore* AOwner) : QMainWindow(nullptr), TComponentCore(AOwner) {
  SetName(QStringLiteral("Quellix32"));
  setObjectName(QStringLiteral("Quellix32"));
  setWindowTitle(WindowCaption());
  resize(815, 616);
  {
    TFont F;  // "MS Sans Serif", height -11
    setFont(F.ToQFont());
  }

  auto* Central = new QWidget(this);
  setCentralWidget(Central);
  auto* Layout = new QVBoxLayout(Central);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);

  Panel3 = new QWidget(Central);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* Layout3 = new QVBoxLayout(Panel3);
  Layout3->setContentsMargins(0, 0, 0, 0);
  Layout3->setSpacing(0);
  Image1 = new QLabel(Panel3);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(QPixmap::fromImage(ProductPicture(640, 400)));
  Image1->setMinimumSize(1, 1);
  Layout3->addWidget(Image1, 1);
  Panel4 = new QLabel(SloganText(), Panel3);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setFixedHeight(56);
  Panel4->setAlignment(Qt::AlignCenter);
  Panel4->setFont(ArialBold(37));
  Panel4->setPalette(TextPalette(Panel4, clBlue));
  Layout3->addWidget(Panel4);
  Layout->addWidget(Panel3, 1);

  Panel1 = new QWidget(Central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(30);
  Label1 = new QLabel(NoteText(), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(ArialBold(24));
  Label1->setPalette(TextPalette(Label1, clBlue));
  // The note never widens the window: wider text is cut at the sides.
  Label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  Label1->setMinimumWidth(0);
  auto* Layout1 = new QHBoxLayout(Panel1);
  Layout1->setContentsMargins(0, 0, 0, 0);
  Layout1->addWidget(Label1);
  // The banner is placed by hand: it moves across Panel1, outside any layout.
  Panel2 = new QLabel(BannerText(), Panel1);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Panel2->setFont(ArialBold(16));
  Panel2->setPalette(TextPalette(Panel2, clRed));
  // At least the design width, and as wide as the line, so that the line
  // scrolls through to its end before it starts again.
  Panel2->setGeometry(0, 8, std::max(1225, Panel2->sizeHint().width()), 25);
  Layout->addWidget(Panel1);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(10);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };

  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  BuildMenu();

  ShowModalWindow = [](TForm* W) { W->ShowModal(); };
  StartProgram = [](const QString& Program, const QStringList& Arguments) {
    return QProcess::startDetached(Program, Arguments);
  };

  // Lay the widgets out now so that the banner knows the strip's width.
  Central->resize(815, 616 - MainMenu1->sizeHint().height());
  Layout->activate();
  Layout1->activate();
  FormCreate();
}

TQuellix32::~TQuellix32() = default;

QAction* TQuellix32::AddLeaf(QMenu* Menu, const QString& Name, const QString& Caption, const QString& WindowClass) {
  QAction* A = Menu->addAction(QCoreApplication::translate("TQuellix32", Caption.toUtf8().constData()));
  A->setObjectName(Name);
  if (!WindowClass.isEmpty())
    connect(A, &QAction::triggered, this, [this, WindowClass] { ShowWindowOf(WindowClass); });
  return A;
}

void TQuellix32::BuildMenu() {
  auto SubMenu = [this](QWidget* Parent, const QString& Name, const QString& Caption) {
    auto* M = new QMenu(QCoreApplication::translate("TQuellix32", Caption.toUtf8().constData()), Parent);
    M->setObjectName(Name);
    M->menuAction()->setObjectName(Name);
    return M;
  };

  Demo1 = SubMenu(MainMenu1, QStringLiteral("Demo1"), QT_TRANSLATE_NOOP("TQuellix32", "&Demo"));
  MainMenu1->addMenu(Demo1);
  MeasurementLibrary1 = SubMenu(Demo1, QStringLiteral("MeasurementLibrary1"), QT_TRANSLATE_NOOP("TQuellix32", "&Measurement Library"));
  Demo1->addMenu(MeasurementLibrary1);
  AddLeaf(MeasurementLibrary1, "PotentiometerTDial1", QT_TRANSLATE_NOOP("TQuellix32", "&Potentiometer (TDial)"), "TDial_Demo");
  AddLeaf(MeasurementLibrary1, "SchiebereglerTSlider1", QT_TRANSLATE_NOOP("TQuellix32", "&Schieberegler (TSlider)"), "TSlider_Demo");
  AddLeaf(MeasurementLibrary1, "LCDAnzeigeTPanelMeter1", QT_TRANSLATE_NOOP("TQuellix32", "&LCD Anzeige (TPanelMeter)"), "TPanelMeter_Demo");
  AddLeaf(MeasurementLibrary1, "YtAnzeigeTHistograph1", QT_TRANSLATE_NOOP("TQuellix32", "&Yt-Anzeige (THistograph)"), "THisto2_Demo");
  AddLeaf(MeasurementLibrary1, "XYAnzeigeTHistograph1", QT_TRANSLATE_NOOP("TQuellix32", "&XY-Anzeige (THistograph)"), "THisto1_Demo");
  AddLeaf(MeasurementLibrary1, "N8KanalSchreiber1", QT_TRANSLATE_NOOP("TQuellix32", "&8-Kanal Schreiber (TStripchart)"), "TStripchart_Demo");
  AddLeaf(MeasurementLibrary1, "LedTLed1", QT_TRANSLATE_NOOP("TQuellix32", "L&ed (TLed)"), "TLed_Demo");
  AddLeaf(MeasurementLibrary1, "DatenloggerTFastlog1", QT_TRANSLATE_NOOP("TQuellix32", "&Datenlogger (TFastlog)"), "TFastlog_Demo");
  AddLeaf(MeasurementLibrary1, "AnaloginstrumentTMeter1", QT_TRANSLATE_NOOP("TQuellix32", "&Analoginstrument (TMeter)"), "TMeter_Demo");
  AddLeaf(MeasurementLibrary1, "BargraphTBargraph1", QT_TRANSLATE_NOOP("TQuellix32", "&Bargraph (TBargraph)"), "TBarGraph_Demo");
  AddLeaf(Demo1, "MeasureSourceLibrary1", QT_TRANSLATE_NOOP("TQuellix32", "Measure&Source Library"), "TMeasureSource_Demo");
  ScientificLibrary1 = SubMenu(Demo1, QStringLiteral("ScientificLibrary1"), QT_TRANSLATE_NOOP("TQuellix32", "S&cientific Library"));
  Demo1->addMenu(ScientificLibrary1);
  AddLeaf(ScientificLibrary1, "Autokorrelation1", QT_TRANSLATE_NOOP("TQuellix32", "&Autokorrelation"), "TAutokorrDialog");
  AddLeaf(ScientificLibrary1, "Kreuzkorrelation1", QT_TRANSLATE_NOOP("TQuellix32", "&Kreuzkorrelation"), "TKreuzkorrelationDialog");
  AddLeaf(ScientificLibrary1, "FourierTransformation1", QT_TRANSLATE_NOOP("TQuellix32", "&Fourier Transformation"), "TfftDialog");
  AddLeaf(ScientificLibrary1, "Leistungsdichte1", QT_TRANSLATE_NOOP("TQuellix32", "&Leistungsdichte"), "TPowerSpectrumDialog");
  AddLeaf(ScientificLibrary1, "Kreuzleistungsdichte1", QT_TRANSLATE_NOOP("TQuellix32", "K&reuzleistungsdichte"), "TCrossPowerDialog");
  FilterLibrary1 = SubMenu(Demo1, QStringLiteral("FilterLibrary1"), QT_TRANSLATE_NOOP("TQuellix32", "&Filter Library"));
  Demo1->addMenu(FilterLibrary1);
  AddLeaf(FilterLibrary1, "RCHochpa1", QT_TRANSLATE_NOOP("TQuellix32", "RC &Hochpaß"), "TRCHoch_Demo");
  AddLeaf(FilterLibrary1, "RCTiefpa1", QT_TRANSLATE_NOOP("TQuellix32", "RC &Tiefpaß"), "TRCTief_Demo");
  AddLeaf(FilterLibrary1, "IIRFilter1", QT_TRANSLATE_NOOP("TQuellix32", "&IIR Filter"), "TIIR_Demo");
  AddLeaf(FilterLibrary1, "StatevariableFilter1", QT_TRANSLATE_NOOP("TQuellix32", "&State variable Filter"), "TSVFilter_Demo");
  AddLeaf(FilterLibrary1, "FIRFilter1", QT_TRANSLATE_NOOP("TQuellix32", "&FIR Filter"), "TFIR_Demo");
  CommunicationsLibrary1 =
      SubMenu(Demo1, QStringLiteral("CommunicationsLibrary1"), QT_TRANSLATE_NOOP("TQuellix32", "C&ommunications Library"));
  Demo1->addMenu(CommunicationsLibrary1);
  AddLeaf(CommunicationsLibrary1, "RS232Kommunikation1", QT_TRANSLATE_NOOP("TQuellix32", "RS-232 Kommunikation"), "TComm2_Demo");
  QAction* Audio = AddLeaf(Demo1, "AudioLibrary1", QT_TRANSLATE_NOOP("TQuellix32", "&Audio Library"), QString());
  connect(Audio, &QAction::triggered, this, [this] { AudioLibrary1Click(); });
  AddLeaf(Demo1, "QuellixPro1", QT_TRANSLATE_NOOP("TQuellix32", "&Quellix Pro"), "TPro_Demo");
  Demo1->addSeparator()->setObjectName(QStringLiteral("N2"));
  QAction* Quit = AddLeaf(Demo1, "Beenden1", QT_TRANSLATE_NOOP("TQuellix32", "&Beenden"), QString());
  connect(Quit, &QAction::triggered, this, [this] { Beenden1Click(); });

  Beispiel1 = SubMenu(MainMenu1, QStringLiteral("Beispiel1"), QT_TRANSLATE_NOOP("TQuellix32", "&Beispielprogramme"));
  MainMenu1->addMenu(Beispiel1);
  AddLeaf(Beispiel1, "FlipFlop1", QT_TRANSLATE_NOOP("TQuellix32", "&Flip-Flop"), "TFlipFlop_Demo");

  Produktinformation1 = SubMenu(MainMenu1, QStringLiteral("Produktinformation1"), QT_TRANSLATE_NOOP("TQuellix32", "Produktinformation"));
  MainMenu1->addMenu(Produktinformation1);
  AddLeaf(Produktinformation1, "VertriebundHerstellung1", QT_TRANSLATE_NOOP("TQuellix32", "&Vertrieb und Herstellung"), "THersteller_Demo");
  QAction* Help = AddLeaf(Produktinformation1, "Handbuchaufrufen2", QT_TRANSLATE_NOOP("TQuellix32", "&Handbuch aufrufen"), QString());
  connect(Help, &QAction::triggered, this, [this] { Handbuchaufrufen2Click(); });

  Hilfe1 = SubMenu(MainMenu1, QStringLiteral("Hilfe1"), QT_TRANSLATE_NOOP("TQuellix32", "&Hilfe"));
  MainMenu1->addMenu(Hilfe1);
  QAction* About = AddLeaf(Hilfe1, "berdiesesDemo1", QT_TRANSLATE_NOOP("TQuellix32", "&Über diese Demo"), QString());
  connect(About, &QAction::triggered, this, [this] { berdiesesDemo1Click(); });

  // Opening these three menus stops the banner; the help menu does not.
  connect(Demo1, &QMenu::aboutToShow, this, [this] { Demo1Click(); });
  connect(Beispiel1, &QMenu::aboutToShow, this, [this] { Beispiel1Click(); });
  connect(Produktinformation1, &QMenu::aboutToShow, this, [this] { Produktinformation1Click(); });
}

QAction* TQuellix32::MenuItem(const QString& Name) const {
  const auto Actions = MainMenu1->findChildren<QAction*>(Name);
  return Actions.isEmpty() ? nullptr : Actions.first();
}

void TQuellix32::SetWindow(const QString& ClassName, TForm* W) { FWindows[ClassName] = W; }

TForm* TQuellix32::Window(const QString& ClassName) const {
  auto It = FWindows.find(ClassName);
  return It == FWindows.end() ? nullptr : It->second;
}

void TQuellix32::ShowWindowOf(const QString& ClassName) {
  if (TForm* W = Window(ClassName)) ShowModalWindow(W);
}

void TQuellix32::FormCreate() {
  Panel2->move(Panel1->width(), Panel2->y());
  Panel2->hide();
  Timer1->SetEnabled(false);
}

void TQuellix32::Timer1Timer() {
  int Left = Panel2->x() - 1;
  if (Left < -Panel2->width() - 1) Left = Panel1->width();
  Panel2->move(Left, Panel2->y());
}

void TQuellix32::berdiesesDemo1Click() {
  Label1->hide();
  Panel2->move(Panel1->width(), Panel2->y());
  Panel2->show();
  Timer1->SetEnabled(true);
}

void TQuellix32::StopBanner() {
  Timer1->SetEnabled(false);
  Panel2->hide();
  Label1->show();
}

void TQuellix32::Demo1Click() { StopBanner(); }
void TQuellix32::Beispiel1Click() { StopBanner(); }
void TQuellix32::Produktinformation1Click() { StopBanner(); }

void TQuellix32::AudioLibrary1Click() {
  MessageDlg(AudioNoticeLines().join(QStringLiteral("\n\r")), mtInformation, mbOK);
  ShowWindowOf(QStringLiteral("TAudio_Demo"));
}

void TQuellix32::Handbuchaufrufen2Click() {
  // The result is ignored: without a help viewer nothing visible happens.
  StartProgram(QStringLiteral("WINHLP32.EXE"), {QStringLiteral("QLLX32.HLP")});
}

void TQuellix32::Beenden1Click() { close(); }

QString TQuellix32::SloganText() { return tr("Quellix 32 - Die volle 32-Bit Power !"); }

QString TQuellix32::NoteText() {
  return tr("Quellix gibt es auch für weitere Entwicklungsumgebungen.");
}

QString TQuellix32::BannerText() {
  return tr(
      "Quellix-Entwicklergruppe  -  Messweg 12  -  D-00000 Beispielstadt  -  Telefon (00000) 12 34 56  -  "
      "Telefax (00000) 12 34 57  -  Online: quellix.example  -  Komponenten zum Messen, Darstellen und "
      "Auswerten");
}

QString TQuellix32::WindowCaption() {
  return tr("Quellix 32 - Komponenten für Qt 6 und C++20 - Demo Version 2.84");
}

QStringList TQuellix32::AudioNoticeLines() {
  return {tr("ACHTUNG !!! DIESES BEISPIEL FUNKTIONIERT NUR"),
          tr("MIT EINGEBAUTER UND ANGEMELDETER SOUNDKARTE UND BEI"),
          tr("RECHNERN MIT EINGEBAUTEM CD-ROM LAUFWERK, AUSSERDEM"),
          tr("MUSS EINE AUDIO-CD IN DAS CD-ROM LAUFWERK EINGELEGT SEIN !")};
}

// The product picture: an instrument panel with a grid, three traces and
// the product name, drawn here so that it needs no stored bitmap.
QImage TQuellix32::ProductPicture(int Width, int Height) {
  QImage Img(Width, Height, QImage::Format_RGB32);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient Sky(0, 0, 0, Height);
  Sky.setColorAt(0, QColor(12, 24, 64));
  Sky.setColorAt(1, QColor(4, 8, 24));
  P.fillRect(Img.rect(), Sky);

  const QRect Plot(40, 40, Width - 80, Height - 130);
  P.fillRect(Plot, QColor(0, 20, 10));
  P.setPen(QPen(QColor(0, 90, 40), 1));
  for (int I = 0; I <= 10; ++I) {
    int X = Plot.left() + I * Plot.width() / 10;
    P.drawLine(X, Plot.top(), X, Plot.bottom());
  }
  for (int I = 0; I <= 6; ++I) {
    int Y = Plot.top() + I * Plot.height() / 6;
    P.drawLine(Plot.left(), Y, Plot.right(), Y);
  }
  const QColor Colors[3] = {QColor(80, 255, 120), QColor(255, 220, 60), QColor(90, 180, 255)};
  for (int K = 0; K < 3; ++K) {
    QPainterPath Path;
    for (int X = 0; X <= Plot.width(); ++X) {
      double T = X / double(Plot.width());
      double V = 0;
      if (K == 0) V = std::sin(T * 6.283 * 3) * 0.6;
      if (K == 1) V = std::exp(-3 * T) * std::sin(T * 6.283 * 9) * 0.8;
      if (K == 2) V = (std::fmod(T * 4, 1.0) < 0.5 ? 0.35 : -0.35) * (1 - T * 0.5);
      QPointF Pt(Plot.left() + X, Plot.center().y() - V * Plot.height() / 2.2);
      if (X == 0)
        Path.moveTo(Pt);
      else
        Path.lineTo(Pt);
    }
    P.setPen(QPen(Colors[K], 2));
    P.drawPath(Path);
  }
  P.setPen(QPen(QColor(180, 190, 210), 2));
  P.setBrush(Qt::NoBrush);
  P.drawRect(Plot);

  QFont F = ArialBold(44);
  P.setFont(F);
  P.setPen(QColor(230, 235, 255));
  P.drawText(QRect(0, Plot.bottom() + 8, Width, Height - Plot.bottom() - 8), Qt::AlignCenter,
             QStringLiteral("Quellix"));
  return Img;
}

}  // namespace quellix::Main
