#include "quellix/app/MeasureLibraryWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

// The description is built into the program, so the window finds it
// wherever the program runs. The resource sits in a static library: this
// call keeps the linker from dropping it. Qt wants it outside any namespace.
static void InitInfoResources() { Q_INIT_RESOURCE(info_windows); }

namespace quellix::MSLib_Unit {

namespace {

// ---------------------------------------------------------------- RTF reader

// Windows code page 1252, bytes 0x80 … 0x9F; the rest of the page is
// Latin-1. Unassigned bytes become the replacement character.
QChar FromCp1252(unsigned char Byte) {
  static const char16_t High[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  if (Byte >= 0x80 && Byte <= 0x9F) return QChar(High[Byte - 0x80]);
  return QChar(char16_t(Byte));
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

bool IsLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// Destinations whose contents are not text of the document.
bool IsSkippedDestination(const QByteArray& Word) {
  static const char* const Names[] = {"fonttbl",  "stylesheet", "info",    "pict",    "header",  "headerl",
                                      "headerr",  "headerf",    "footer",  "footerl", "footerr", "footerf",
                                      "object",   "filetbl",    "listtable", "listoverridetable", "revtbl",
                                      "rsidtbl",  "generator",  "xmlnstbl", "themedata", "latentstyles",
                                      "datastore", "colorschememapping", "footnote", "field", "fldinst"};
  for (const char* N : Names)
    if (Word == N) return true;
  return false;
}

// What a group carries: the character and paragraph formatting in force
// and whether its text belongs to the document.
struct TRtfState {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int HalfPoints = 24;  // \fs, in half points; RTF's default is 12 pt
  int ColorIndex = 0;   // \cf; 0 is the automatic colour
  Qt::Alignment Align = Qt::AlignLeft;
  int SpaceBefore = 0;  // \sb, \sa in twips
  int SpaceAfter = 0;
  int LeftIndent = 0;   // \li in twips
  int UnicodeSkip = 1;  // \uc: fallback characters after each \u
  bool Skip = false;
  bool ColorTable = false;

  bool SameCharFormat(const TRtfState& O) const {
    return Bold == O.Bold && Italic == O.Italic && Underline == O.Underline && HalfPoints == O.HalfPoints &&
           ColorIndex == O.ColorIndex;
  }
};

class TRtfReader {
public:
  TRtfReader(const QByteArray& Data, QTextDocument& Doc) : FData(Data), FCursor(&Doc) {}

  void Run(qsizetype Start) {
    FPos = Start;
    while (FPos < FData.size()) {
      const char C = FData[FPos++];
      switch (C) {
        case '{':
          FStack.push_back(FState);
          FPendingSkip = 0;
          break;
        case '}':
          // A surplus closing brace is ignored rather than ending the text.
          if (!FStack.empty()) {
            FlushColor();
            FState = FStack.back();
            FStack.pop_back();
          }
          FPendingSkip = 0;
          break;
        case '\\':
          ControlSequence();
          break;
        case '\r':
        case '\n':
          break;
        default:
          Text(FromCp1252(static_cast<unsigned char>(C)));
          break;
      }
    }
    EndParagraph(false);
  }

private:
  // One text character; in the colour table ';' ends an entry.
  void Text(QChar Ch) {
    if (FPendingSkip > 0) {
      --FPendingSkip;
      return;
    }
    if (FState.ColorTable) {
      if (Ch == QLatin1Char(';')) EndColor();
      return;
    }
    if (FState.Skip) return;
    if (!FRun.isEmpty() && !FRunState.SameCharFormat(FState)) FlushRun();
    if (FRun.isEmpty()) FRunState = FState;
    FRun += Ch;
  }

  void ControlSequence() {
    if (FPos >= FData.size()) return;  // a backslash at the very end
    const char C = FData[FPos];
    if (!IsLetter(C)) {
      ++FPos;
      ControlSymbol(C);
      return;
    }
    const qsizetype Begin = FPos;
    while (FPos < FData.size() && IsLetter(FData[FPos]) && FPos - Begin < 32) ++FPos;
    const QByteArray Word = FData.mid(Begin, FPos - Begin);
    // Skip letters beyond the 32 a control word may have.
    while (FPos < FData.size() && IsLetter(FData[FPos])) ++FPos;
    bool HasParam = false;
    bool Negative = false;
    long long Param = 0;
    if (FPos < FData.size() && FData[FPos] == '-' && FPos + 1 < FData.size() && IsDigit(FData[FPos + 1])) {
      Negative = true;
      ++FPos;
    }
    while (FPos < FData.size() && IsDigit(FData[FPos])) {
      HasParam = true;
      // Clamped so that absurd numbers cannot overflow.
      Param = std::min<long long>(Param * 10 + (FData[FPos] - '0'), 1'000'000'000LL);
      ++FPos;
    }
    if (Negative) Param = -Param;
    // A space delimits the control word and belongs to it.
    if (FPos < FData.size() && FData[FPos] == ' ') ++FPos;
    ControlWord(Word, HasParam, int(Param));
  }

  void ControlSymbol(char C) {
    switch (C) {
      case '\\':
      case '{':
      case '}':
        Text(QLatin1Char(C));
        break;
      case '~':
        Text(QChar(0x00A0));
        break;
      case '_':
        Text(QChar(0x2011));
        break;
      case '*':
        FState.Skip = true;
        break;
      case '\'': {
        const int Hi = FPos < FData.size() ? HexDigit(FData[FPos]) : -1;
        const int Lo = FPos + 1 < FData.size() ? HexDigit(FData[FPos + 1]) : -1;
        if (Hi < 0 || Lo < 0) break;  // not a hexadecimal pair: dropped
        FPos += 2;
        Text(FromCp1252(static_cast<unsigned char>(Hi * 16 + Lo)));
        break;
      }
      case '\r':
      case '\n':
        EndParagraph(true);
        break;
      default:
        break;  // optional hyphen and unknown symbols
    }
  }

  void ControlWord(const QByteArray& W, bool HasParam, int P) {
    const bool On = !HasParam || P != 0;
    if (W == "par") {
      EndParagraph(true);
    } else if (W == "pard") {
      FState.Align = Qt::AlignLeft;
      FState.SpaceBefore = FState.SpaceAfter = FState.LeftIndent = 0;
    } else if (W == "plain") {
      FState.Bold = FState.Italic = FState.Underline = false;
      FState.HalfPoints = 24;
      FState.ColorIndex = 0;
    } else if (W == "b") {
      FState.Bold = On;
    } else if (W == "i") {
      FState.Italic = On;
    } else if (W == "ul") {
      FState.Underline = On;
    } else if (W == "ulnone") {
      FState.Underline = false;
    } else if (W == "fs") {
      if (HasParam && P > 0) FState.HalfPoints = std::clamp(P, 2, 400);
    } else if (W == "cf") {
      FState.ColorIndex = HasParam ? std::max(P, 0) : 0;
    } else if (W == "ql") {
      FState.Align = Qt::AlignLeft;
    } else if (W == "qc") {
      FState.Align = Qt::AlignHCenter;
    } else if (W == "qr") {
      FState.Align = Qt::AlignRight;
    } else if (W == "qj") {
      FState.Align = Qt::AlignJustify;
    } else if (W == "sb") {
      FState.SpaceBefore = std::clamp(P, 0, 2000);
    } else if (W == "sa") {
      FState.SpaceAfter = std::clamp(P, 0, 2000);
    } else if (W == "li") {
      FState.LeftIndent = std::clamp(P, 0, 20000);
    } else if (W == "line") {
      Text(QChar::LineSeparator);
    } else if (W == "tab") {
      Text(QLatin1Char('\t'));
    } else if (W == "bullet") {
      Text(QChar(0x2022));
    } else if (W == "endash") {
      Text(QChar(0x2013));
    } else if (W == "emdash") {
      Text(QChar(0x2014));
    } else if (W == "lquote") {
      Text(QChar(0x2018));
    } else if (W == "rquote") {
      Text(QChar(0x2019));
    } else if (W == "ldblquote") {
      Text(QChar(0x201C));
    } else if (W == "rdblquote") {
      Text(QChar(0x201D));
    } else if (W == "uc") {
      if (HasParam) FState.UnicodeSkip = std::clamp(P, 0, 8);
    } else if (W == "u") {
      if (!HasParam) return;
      int Code = P < 0 ? P + 65536 : P;
      // A lone surrogate or a value beyond 16 bits is no character.
      const bool Valid = Code >= 0 && Code <= 0xFFFF && !QChar::isSurrogate(char16_t(Code));
      FPendingSkip = 0;
      if (Valid) Text(QChar(char16_t(Code)));
      FPendingSkip = FState.UnicodeSkip;
    } else if (W == "colortbl") {
      FState.ColorTable = true;
      FRed = FGreen = FBlue = -1;
    } else if (W == "red") {
      FRed = std::clamp(P, 0, 255);
    } else if (W == "green") {
      FGreen = std::clamp(P, 0, 255);
    } else if (W == "blue") {
      FBlue = std::clamp(P, 0, 255);
    } else if (IsSkippedDestination(W)) {
      FState.Skip = true;
    }
    // Every other control word is ignored.
  }

  // The colour table: "\red255\green0\blue0;" gives one entry; an entry
  // without components (usually the first) is the automatic colour.
  void EndColor() {
    if (FRed < 0 && FGreen < 0 && FBlue < 0)
      FColors.push_back(QColor());
    else
      FColors.push_back(QColor(std::max(FRed, 0), std::max(FGreen, 0), std::max(FBlue, 0)));
    FRed = FGreen = FBlue = -1;
  }
  // A table cut off before its last ';' still keeps that last colour.
  void FlushColor() {
    if (FState.ColorTable && (FRed >= 0 || FGreen >= 0 || FBlue >= 0)) EndColor();
  }

  void FlushRun() {
    if (FRun.isEmpty()) return;
    QTextCharFormat F;
    F.setFontWeight(FRunState.Bold ? QFont::Bold : QFont::Normal);
    F.setFontItalic(FRunState.Italic);
    F.setFontUnderline(FRunState.Underline);
    F.setFontPointSize(FRunState.HalfPoints / 2.0);
    const int Index = FRunState.ColorIndex;
    if (Index > 0 && Index < int(FColors.size()) && FColors[size_t(Index)].isValid())
      F.setForeground(FColors[size_t(Index)]);
    FCursor.insertText(FRun, F);
    FRun.clear();
  }

  // Ends the current paragraph with the paragraph format in force; a new
  // one follows unless the text is at its end.
  // At the end of the text the last run is written even when the text
  // breaks off inside a skipped group.
  void EndParagraph(bool StartNext) {
    if (StartNext && (FState.Skip || FState.ColorTable)) return;
    FlushRun();
    QTextBlockFormat B;
    B.setAlignment(FState.Align);
    B.setTopMargin(FState.SpaceBefore / 20.0);  // twips to points
    B.setBottomMargin(FState.SpaceAfter / 20.0);
    B.setLeftMargin(FState.LeftIndent / 15.0);  // twips to pixels at 96 dpi
    FCursor.setBlockFormat(B);
    if (StartNext) FCursor.insertBlock();
  }

  const QByteArray& FData;
  QTextCursor FCursor;
  qsizetype FPos = 0;
  TRtfState FState;
  std::vector<TRtfState> FStack;
  TRtfState FRunState;
  QString FRun;
  int FPendingSkip = 0;
  std::vector<QColor> FColors;
  int FRed = -1, FGreen = -1, FBlue = -1;
};

}  // namespace

bool ReadRtf(const QByteArray& Rtf, QTextDocument& Doc, QString* Error) {
  Doc.clear();
  qsizetype Start = 0;
  while (Start < Rtf.size() && (Rtf[Start] == ' ' || Rtf[Start] == '\t' || Rtf[Start] == '\r' || Rtf[Start] == '\n'))
    ++Start;
  if (!Rtf.mid(Start, 5).startsWith("{\\rtf")) {
    if (Error) *Error = QString::fromUtf8("Der Inhalt ist kein RTF-Text (er beginnt nicht mit „{\\rtf“).");
    return false;
  }
  TRtfReader Reader(Rtf, Doc);
  Reader.Run(Start);
  if (Error) Error->clear();
  return true;
}

// ---------------------------------------------------------------- picture

QImage DrawFlowPicture(int Width, int Height) {
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Image.fill(Qt::transparent);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing);
  QFont F = P.font();
  F.setPixelSize(11);
  P.setFont(F);

  const QColor SourceFill(214, 228, 248), SinkFill(226, 242, 222), Line(40, 60, 110);
  auto Box = [&](const QRectF& R, const QColor& Fill, const QString& Text) {
    P.setPen(QPen(Line, 1.2));
    P.setBrush(Fill);
    P.drawRoundedRect(R, 6, 6);
    P.setPen(Qt::black);
    P.drawText(R, Qt::AlignCenter, Text);
  };

  const qreal W = Width, H = Height;
  const QRectF Source(W * 0.2, 4, W * 0.6, H * 0.16);
  Box(Source, SourceFill, QStringLiteral("TAudioIn\n(Quelle)"));

  const QStringList Sinks = {QStringLiteral("THisto-\ngraph"), QStringLiteral("TStrip-\nChart"),
                             QStringLiteral("TData-\nEvent")};
  const qreal SinkW = (W - 16) / 3.0, SinkTop = H * 0.66, SinkH = H * 0.2;
  for (int I = 0; I < 3; ++I) {
    const QRectF Sink(4 + I * (SinkW + 4), SinkTop, SinkW, SinkH);
    // Each sink owns one link; the link holds the source.
    const QPointF From(Source.center().x(), Source.bottom());
    const QPointF To(Sink.center().x(), Sink.top());
    QPainterPath Path(From);
    Path.cubicTo(From + QPointF(0, H * 0.22), To - QPointF(0, H * 0.22), To);
    P.setPen(QPen(Line, 1.5));
    P.setBrush(Qt::NoBrush);
    P.drawPath(Path);
    // Arrow head: data flows from the source to the sink.
    P.setBrush(Line);
    P.drawPolygon(QPolygonF({To, To + QPointF(-4, -8), To + QPointF(4, -8)}));
    Box(Sink, SinkFill, Sinks[I]);
  }
  // The link's name on a plate over the middle of the curves.
  const QRectF Plate(W * 0.22, H * 0.42, W * 0.56, H * 0.1);
  P.setPen(QPen(Line, 1));
  P.setBrush(QColor(255, 250, 230));
  P.drawRoundedRect(Plate, 4, 4);
  P.setPen(Line);
  P.drawText(Plate, Qt::AlignCenter, QStringLiteral("TMeasureLink"));
  P.drawText(QRectF(0, H * 0.87, W, H * 0.13), Qt::AlignCenter, QString::fromUtf8("ein Block an alle Senken"));
  return Image;
}

// ---------------------------------------------------------------- window

TMeasureSource_Demo::TMeasureSource_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TMeasureSource_Demo"), tr("MeasureSource Library"), AOwner) {
  InitInfoResources();
  resize(760, 540);
  SetExplanation(tr(
      "Eine Messquelle schiebt jeden Datenblock über die Verbindungen (TMeasureLink) an alle angeschlossenen "
      "Senken; eine Senke wird mit ihrer Eigenschaft MeasureSource angeschlossen.\nDer Text links beschreibt "
      "die Bibliothek; PgUp und PgDown blättern darin."));

  auto* Row = new QHBoxLayout(ClientArea());
  Row->setContentsMargins(0, 0, 0, 0);

  RichEdit1 = new QTextBrowser(ClientArea());
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setOpenLinks(false);
  RichEdit1->setFrameShape(QFrame::StyledPanel);
  Row->addWidget(RichEdit1, 1);

  auto* SideWidget = new QWidget(ClientArea());
  SideWidget->setFixedWidth(224);
  auto* Side = new QVBoxLayout(SideWidget);
  Side->setContentsMargins(6, 0, 0, 0);
  // The window's title moves beside the viewer, so that the text fills
  // the whole left side.
  QLabel* Title = TitleLabel();
  layout()->removeWidget(Title);
  Title->setParent(SideWidget);
  Title->setText(tr("TMeasureSource\nTMeasureLink · TAudioIn\nTDataEvent · Senken"));
  QFont TitleFont = Title->font();
  TitleFont.setPixelSize(15);
  TitleFont.setBold(true);
  Title->setFont(TitleFont);
  Title->setStyleSheet(QStringLiteral("color: %1;").arg(ToQColor(clBlue).name()));
  Title->setAlignment(Qt::AlignCenter);
  Side->addWidget(Title);
  Side->addSpacing(10);

  FlowPicture = new QLabel(SideWidget);
  FlowPicture->setObjectName(QStringLiteral("FlowPicture"));
  FlowPicture->setPixmap(QPixmap::fromImage(DrawFlowPicture(210, 200)));
  FlowPicture->setAlignment(Qt::AlignCenter);
  Side->addWidget(FlowPicture);
  Side->addStretch(1);

  HintLabel = new QLabel(tr("Blättern mit PgUp - PgDown"), SideWidget);
  HintLabel->setObjectName(QStringLiteral("HintLabel"));
  QFont HintFont = HintLabel->font();
  HintFont.setBold(true);
  HintLabel->setFont(HintFont);
  HintLabel->setStyleSheet(QStringLiteral("color: %1;").arg(ToQColor(clRed).name()));
  HintLabel->setAlignment(Qt::AlignCenter);
  Side->addWidget(HintLabel);
  Row->addWidget(SideWidget);

  // The viewer has the keyboard when the window opens, so the keys page
  // the text at once.
  OnShow = [this](TObject*) { RichEdit1->setFocus(); };

  LoadFile(DefaultFileName());
}

QString TMeasureSource_Demo::DefaultFileName() { return QStringLiteral(":/quellix/info/MSLib.RTF"); }

bool TMeasureSource_Demo::LoadFile(const QString& FileName) {
  // Far larger than any description; refuses to read a wrong file whole.
  constexpr qint64 MaxSize = 16 * 1024 * 1024;
  const QString Shown = QFileInfo(FileName).fileName();
  QString Reason;
  QFile File(FileName);
  QByteArray Data;
  if (!File.exists())
    Reason = tr("Die Datei wurde nicht gefunden.");
  else if (!File.open(QIODevice::ReadOnly))
    Reason = tr("Die Datei kann nicht gelesen werden.");
  else if (File.size() > MaxSize)
    Reason = tr("Die Datei ist zu groß für eine Beschreibung.");
  else
    Data = File.readAll();

  QTextDocument* Doc = RichEdit1->document();
  if (Reason.isEmpty() && ReadRtf(Data, *Doc, &Reason)) {
    FLoadError.clear();
    RichEdit1->moveCursor(QTextCursor::Start);
    return true;
  }

  FLoadError = tr("Die Beschreibung „%1“ konnte nicht geladen werden. %2").arg(Shown, Reason);
  Doc->clear();
  QTextCursor C(Doc);
  QTextCharFormat F;
  F.setFontWeight(QFont::Bold);
  F.setForeground(ToQColor(clMaroon));
  C.insertText(FLoadError, F);
  return false;
}

void TMeasureSource_Demo::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_PageDown || Event->key() == Qt::Key_PageUp) {
    RichEdit1->verticalScrollBar()->triggerAction(Event->key() == Qt::Key_PageDown
                                                      ? QAbstractSlider::SliderPageStepAdd
                                                      : QAbstractSlider::SliderPageStepSub);
    Event->accept();
    return;
  }
  TDemoWindow::keyPressEvent(Event);
}

}  // namespace quellix::MSLib_Unit
