#include <gtest/gtest.h>

#include <QDialog>
#include <QFrame>
#include <QObject>
#include <QStringList>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "quellix/host/Controls.h"
#include "quellix/host/Streaming.h"

using namespace quellix;

namespace streamtest {
Q_NAMESPACE

enum TGrdVisible { grdNone, grdHor, grdVer, grdBoth };
Q_ENUM_NS(TGrdVisible)

// What Loaded() saw, in call order.
struct TLoadRecord {
  QString Name;
  QString PartnerName;     // the reference, as resolved when Loaded ran
  QString PartnerCaption;  // a property of the referenced component
  int FloatCount;
  bool LoadingBefore;      // still in the loading state when Loaded ran
};
std::vector<TLoadRecord> LoadLog;

// A sub-object that is not a component, like a font.
class TTestFont : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName)
  Q_PROPERTY(int Size READ Size WRITE SetSize)
  Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
  Q_CLASSINFO("default:Name", "Arial")
  Q_CLASSINFO("default:Size", "10")
  Q_CLASSINFO("default:Style", "[]")
public:
  enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
  Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
  Q_FLAG(TFontStyles)

  QString Name() const { return FName; }
  void SetName(const QString& V) { FName = V; }
  int Size() const { return FSize; }
  void SetSize(int V) { FSize = V; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles V) { FStyle = V; }
  void Assign(const TTestFont& F) {
    FName = F.FName;
    FSize = F.FSize;
    FStyle = F.FStyle;
  }

private:
  QString FName = QStringLiteral("Arial");
  int FSize = 10;
  TFontStyles FStyle;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TTestFont::TFontStyles)

// An instrument-like component with every kind of streamed property.
class TTestGauge : public TComponent {
  Q_OBJECT
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
  Q_PROPERTY(float Gain READ Gain WRITE SetGain)
  Q_PROPERTY(int Threshold READ Threshold WRITE SetThreshold)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QStringList Labels READ Labels WRITE SetLabels)
  Q_PROPERTY(streamtest::TGrdVisible Grid READ Grid WRITE SetGrid)
  Q_PROPERTY(TOptions Options READ Options WRITE SetOptions)
  Q_PROPERTY(streamtest::TTestFont* Font READ Font WRITE SetFont)
  Q_PROPERTY(streamtest::TTestGauge* Partner READ Partner WRITE SetPartner)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion STORED false)
  Q_PROPERTY(int Capacity READ Capacity WRITE SetCapacity)
  Q_CLASSINFO("default:Capacity", "0")
  Q_CLASSINFO("default:ValueMax", "100")
  Q_CLASSINFO("default:Gain", "1")
  Q_CLASSINFO("default:Threshold", "0")  // the constructor sets 5
  Q_CLASSINFO("default:Color", "-2147483633")
  Q_CLASSINFO("default:Active", "True")
  Q_CLASSINFO("default:Labels", "()")
  Q_CLASSINFO("default:Grid", "grdBoth")
  Q_CLASSINFO("default:Options", "[opTicks]")
  Q_CLASSINFO("default:Partner", "nil")
public:
  enum TOption { opTicks = 1, opLabels = 2, opNeedle = 4 };
  Q_DECLARE_FLAGS(TOptions, TOption)
  Q_FLAG(TOptions)

  explicit TTestGauge(TComponentCore* AOwner = nullptr) : TComponent(AOwner), FFont(new TTestFont) {}

  double ValueMax() const { return FValueMax; }
  void SetValueMax(double V) { FValueMax = V; }
  float Gain() const { return FGain; }
  void SetGain(float V) { FGain = V; }
  int Threshold() const { return FThreshold; }
  void SetThreshold(int V) { FThreshold = V; }
  // Allocates by the size it is given, as a data buffer does: a size the
  // machine cannot hold fails as an allocation does.
  int Capacity() const { return static_cast<int>(FStore.size()); }
  void SetCapacity(int V) {
    if (V > 1000000) throw std::bad_alloc();
    FStore.assign(V, 0);
  }
  int Color() const { return FColor; }
  void SetColor(int V) { FColor = V; }
  bool Active() const { return FActive; }
  void SetActive(bool V) { FActive = V; }
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& V) {
    FCaption = V;
    CaptionSetWhileLoading = IsLoading();
  }
  QStringList Labels() const { return FLabels; }
  void SetLabels(const QStringList& V) { FLabels = V; }
  TGrdVisible Grid() const { return FGrid; }
  void SetGrid(TGrdVisible V) { FGrid = V; }
  TOptions Options() const { return FOptions; }
  void SetOptions(TOptions V) { FOptions = V; }
  TTestFont* Font() const { return FFont.get(); }
  void SetFont(TTestFont* V) { FFont->Assign(*V); }
  TTestGauge* Partner() const { return FPartner; }
  void SetPartner(TTestGauge* V) { FPartner = V; }
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}

  std::vector<double> Floats;
  bool CaptionSetWhileLoading = false;

  void DefineProperties(TFiler& Filer) override {
    TComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Floats",
        [this](TReader& R) {
          Floats.clear();
          R.ReadListBegin();
          while (!R.EndOfList()) Floats.push_back(static_cast<double>(R.ReadFloat()));
          R.ReadListEnd();
        },
        [this](TWriter& W) {
          W.WriteListBegin();
          for (double F : Floats) W.WriteFloat(F);
          W.WriteListEnd();
        },
        !Floats.empty());
  }

  void Loaded() override {
    const bool WasLoading = IsLoading();
    TComponent::Loaded();
    LoadLog.push_back({Name(), FPartner ? FPartner->Name() : QString(), FPartner ? FPartner->Caption() : QString(),
                       static_cast<int>(Floats.size()), WasLoading});
  }

private:
  std::vector<char> FStore;
  double FValueMax = 100;
  float FGain = 1;
  int FThreshold = 5;
  int FColor = -2147483633;
  bool FActive = true;
  QString FCaption;
  QStringList FLabels;
  TGrdVisible FGrid = grdBoth;
  TOptions FOptions = opTicks;
  std::unique_ptr<TTestFont> FFont;
  TTestGauge* FPartner = nullptr;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TTestGauge::TOptions)

// A descendant that declares another default for an inherited property.
class TTestWideGauge : public TTestGauge {
  Q_OBJECT
  Q_CLASSINFO("default:ValueMax", "200")
public:
  explicit TTestWideGauge(TComponentCore* AOwner = nullptr) : TTestGauge(AOwner) { SetValueMax(200); }
};

class TTestForm : public TComponent {
  Q_OBJECT
public:
  using TComponent::TComponent;
  void Loaded() override {
    TComponent::Loaded();
    LoadLog.push_back({Name(), {}, {}, 0, false});
  }
};

// A windowed control on a widget form: Qt's own properties (geometry,
// frameShape, windowTitle) are not the component's and stay out.
class TTestPanel : public QFrame, public TComponentCore {
  Q_OBJECT
  Q_PROPERTY(int Bevel READ Bevel WRITE SetBevel)
  Q_CLASSINFO("default:Bevel", "1")
public:
  explicit TTestPanel(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : QFrame(AParent), TComponentCore(AOwner) {}
  ~TTestPanel() override { Destroying(); }
  QObject* AsQObject() override { return this; }
  int Bevel() const { return FBevel; }
  void SetBevel(int V) { FBevel = V; }

private:
  int FBevel = 1;
};

class TTestWidgetForm : public QDialog, public TComponentCore {
  Q_OBJECT
public:
  TTestWidgetForm() : TComponentCore(nullptr) {}
  ~TTestWidgetForm() override { Destroying(); }
  QObject* AsQObject() override { return this; }
};

}  // namespace streamtest

using namespace streamtest;

namespace {

const char* const DemoText =
    "object Form1: TTestForm\n"
    "  Tag = 7\n"
    "  object Gauge1: TTestGauge\n"
    "    ValueMax = 120.0\n"
    "    Gain = 0.1\n"
    "    Threshold = 5\n"
    "    Caption = 'It''s'#13#10'hot'\n"
    "    Labels = ('lo', 'hi')\n"
    "    Grid = grdHor\n"
    "    Options = [opTicks, opNeedle]\n"
    "    Font.Name = 'Courier New'\n"
    "    Font.Style = [fsBold, fsUnderline]\n"
    "    Partner = Gauge2\n"
    "    Floats = (1.5, -2.0, 0.25)\n"
    "  end\n"
    "  object Gauge2: TTestGauge\n"
    "    Threshold = 5\n"
    "    Color = 65280\n"
    "    Active = False\n"
    "    Caption = 'Druck'\n"
    "  end\n"
    "end\n";

// Form1 with the components DemoText describes.
std::unique_ptr<TTestForm> DemoForm() {
  auto Form = std::make_unique<TTestForm>();
  Form->SetName("Form1");
  Form->SetTag(7);
  auto* G1 = new TTestGauge(Form.get());
  G1->SetName("Gauge1");
  auto* G2 = new TTestGauge(Form.get());
  G2->SetName("Gauge2");
  G1->SetValueMax(120);
  G1->SetGain(0.1f);
  G1->SetCaption("It's\r\nhot");
  G1->SetLabels({"lo", "hi"});
  G1->SetGrid(grdHor);
  G1->SetOptions(TTestGauge::opTicks | TTestGauge::opNeedle);
  G1->Font()->SetName("Courier New");
  G1->Font()->SetStyle(TTestFont::fsBold | TTestFont::fsUnderline);
  G1->SetPartner(G2);
  G1->Floats = {1.5, -2.0, 0.25};
  G2->SetColor(65280);
  G2->SetActive(false);
  G2->SetCaption("Druck");
  return Form;
}

// The written text as a std::string, so that a failure shows it readably.
std::string Written(TComponentCore* Root) { return WriteComponentText(Root).toStdString(); }

class Streaming : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterClass<TTestGauge>();
    RegisterClass<TTestWideGauge>();
    RegisterClass<TTestPanel>();
    LoadLog.clear();
  }
};

}  // namespace

TEST_F(Streaming, WritesOnlyValuesThatDifferFromTheirDefaults) {
  auto Form = DemoForm();
  EXPECT_EQ(Written(Form.get()), DemoText);
}

TEST_F(Streaming, RedeclaredDefaultOfDescendantCounts) {
  TTestForm Form;
  Form.SetName("F");
  auto* Wide = new TTestWideGauge(&Form);
  Wide->SetName("Wide");
  auto* Plain = new TTestGauge(&Form);
  Plain->SetName("Plain");
  Plain->SetValueMax(200);
  new TTestGauge(&Form);  // unnamed: an owner's private part, not written
  EXPECT_EQ(Written(&Form), std::string("object F: TTestForm\n"
                                               "  object Wide: TTestWideGauge\n"
                                               "    Threshold = 5\n"
                                               "    Caption = ''\n"
                                               "  end\n"
                                               "  object Plain: TTestGauge\n"
                                               "    ValueMax = 200.0\n"
                                               "    Threshold = 5\n"
                                               "    Caption = ''\n"
                                               "  end\n"
                                               "end\n"));
}

TEST_F(Streaming, RoundTripIntoFreshForm) {
  TTestForm Form;
  ReadComponentText(&Form, QString::fromUtf8(DemoText));
  ASSERT_EQ(Form.ComponentCount(), 2);
  auto* G1 = dynamic_cast<TTestGauge*>(Form.FindComponent("Gauge1"));
  auto* G2 = dynamic_cast<TTestGauge*>(Form.FindComponent("Gauge2"));
  ASSERT_TRUE(G1 && G2);
  EXPECT_EQ(Form.Name(), QString("Form1"));
  EXPECT_EQ(Form.Tag(), 7);
  EXPECT_EQ(G1->ValueMax(), 120.0);
  EXPECT_EQ(G1->Gain(), 0.1f);
  EXPECT_EQ(G1->Caption(), QString("It's\r\nhot"));
  EXPECT_EQ(G1->Labels(), QStringList({"lo", "hi"}));
  EXPECT_EQ(G1->Grid(), grdHor);
  EXPECT_EQ(G1->Options(), TTestGauge::opTicks | TTestGauge::opNeedle);
  EXPECT_EQ(G1->Font()->Name(), QString("Courier New"));
  EXPECT_EQ(G1->Font()->Size(), 10);
  EXPECT_EQ(G1->Font()->Style(), TTestFont::fsBold | TTestFont::fsUnderline);
  EXPECT_EQ(G1->Partner(), G2);  // named before Gauge2 was read
  EXPECT_EQ(G1->Floats, (std::vector<double>{1.5, -2.0, 0.25}));
  EXPECT_EQ(G2->Color(), 65280);
  EXPECT_FALSE(G2->Active());
  EXPECT_EQ(G2->Threshold(), 5);
  EXPECT_TRUE(G1->CaptionSetWhileLoading);
  EXPECT_FALSE(G1->IsLoading());
  // Loaded runs last, in text order, after the reference and every
  // property of every component were in place.
  ASSERT_EQ(LoadLog.size(), 3u);
  EXPECT_EQ(LoadLog[0].Name, QString("Form1"));
  EXPECT_EQ(LoadLog[1].Name, QString("Gauge1"));
  EXPECT_EQ(LoadLog[1].PartnerName, QString("Gauge2"));
  EXPECT_EQ(LoadLog[1].PartnerCaption, QString("Druck"));
  EXPECT_EQ(LoadLog[1].FloatCount, 3);
  EXPECT_TRUE(LoadLog[1].LoadingBefore);
  EXPECT_EQ(LoadLog[2].Name, QString("Gauge2"));
  EXPECT_EQ(Written(&Form), DemoText);
}

TEST_F(Streaming, ReadingMatchesExistingComponentsByName) {
  TTestForm Form;
  auto* Existing = new TTestWideGauge(&Form);
  Existing->SetName("gauge1");
  ReadComponentText(&Form, "object Form1: TTestForm\n"
                           "  object Gauge1: TTestGauge\n"
                           "    partner = nil\n"
                           "    Caption = 'x'\n"
                           "    Grid = 2\n"
                           "  end\n"
                           "end\n");
  ASSERT_EQ(Form.ComponentCount(), 1);
  EXPECT_EQ(Existing->Caption(), QString("x"));
  EXPECT_EQ(Existing->Grid(), grdVer);  // an enumeration value by its number
  EXPECT_EQ(Existing->Partner(), nullptr);
}

TEST_F(Streaming, WidgetsKeepQtPropertiesOutAndLandOnTheirForm) {
  const std::string Text =
      "object Dialog1: TTestWidgetForm\n"
      "  object Panel1: TTestPanel\n"
      "    Bevel = 3\n"
      "  end\n"
      "end\n";
  TTestWidgetForm Form;
  ReadComponentText(&Form, QString::fromStdString(Text));
  auto* Panel = dynamic_cast<TTestPanel*>(Form.FindComponent("Panel1"));
  ASSERT_NE(Panel, nullptr);
  EXPECT_EQ(Panel->parentWidget(), &Form);
  EXPECT_EQ(Panel->Bevel(), 3);
  Panel->setFrameShape(QFrame::Box);
  Form.setModal(true);
  EXPECT_EQ(Written(&Form), Text);
}

TEST_F(Streaming, ReadErrors) {
  struct Row {
    const char* What;
    const char* Body;  // lines inside Gauge1
    const char* Message;
  } Rows[] = {
      {"unknown class", "  end\n  object X: TNoSuchClass\n", "Klasse TNoSuchClass nicht gefunden"},
      {"unknown property", "    Colour = 1\n", "Eigenschaft Colour existiert nicht"},
      {"unknown sub-object property", "    Font.Weight = 1\n", "Eigenschaft Font.Weight existiert nicht"},
      {"not a sub-object", "    Caption.Size = 1\n", "Eigenschaft Caption.Size existiert nicht"},
      {"enum key unknown", "    Grid = grdDiagonal\n", "Ungültiger Eigenschaftswert in Zeile 3: Grid = grdDiagonal"},
      {"enum number of no value", "    Grid = 7\n", "Ungültiger Eigenschaftswert in Zeile 3: Grid = 7"},
      {"enum number below the values", "    Grid = -1\n", "Ungültiger Eigenschaftswert in Zeile 3: Grid = -1"},
      {"Boolean text", "    Active = Yes\n", "Ungültiger Eigenschaftswert in Zeile 3: Active = Yes"},
      {"integer beyond its width", "    Color = 4294967296\n",
       "Ungültiger Eigenschaftswert in Zeile 3: Color = 4294967296"},
      {"float with a decimal comma", "    ValueMax = 1,5\n", "Ungültiger Eigenschaftswert in Zeile 3: ValueMax = 1,5"},
      {"unterminated string", "    Caption = 'abc\n", "Ungültiger Eigenschaftswert in Zeile 3: Caption = 'abc"},
      {"text after a string", "    Caption = 'a' b\n", "Ungültiger Eigenschaftswert in Zeile 3: Caption = 'a' b"},
      {"set member unknown", "    Options = [opTicks, opBlink]\n",
       "Ungültiger Eigenschaftswert in Zeile 3: Options = [opTicks, opBlink]"},
      {"reference to nothing", "    Partner = Gauge9\n", "Ungültige Komponentenreferenz in Zeile 3: Partner = Gauge9"},
      {"reference of the wrong class", "    Partner = Form1\n", "Ungültiger Eigenschaftswert in Zeile 3: Partner = Form1"},
      {"list not closed", "    Floats = (1.0, 2.0\n", "Ungültiges Stream-Format: Listenende erwartet"},
      {"list with text after it", "    Floats = (1.0) 2.0\n", "Ungültiges Stream-Format in Zeile 3: Listenende erwartet"},
      {"line without '='", "    Caption\n", "Ungültiges Stream-Format in Zeile 3: '=' erwartet"},
  };
  for (const Row& R : Rows) {
    TTestForm Form;
    const QString Text = QString("object Form1: TTestForm\n  object Gauge1: TTestGauge\n") + R.Body + "  end\nend\n";
    try {
      ReadComponentText(&Form, Text);
      ADD_FAILURE() << R.What << ": no error";
    } catch (const EStreamError& E) {
      EXPECT_EQ(E.Message(), QString::fromUtf8(R.Message)) << R.What;
    }
    // No component stays in the loading state, and none was told it loaded.
    EXPECT_FALSE(Form.IsLoading()) << R.What;
    for (int I = 0; I < Form.ComponentCount(); ++I) EXPECT_FALSE(Form.Components(I)->IsLoading()) << R.What;
    EXPECT_TRUE(LoadLog.empty()) << R.What;
  }
}

TEST_F(Streaming, StructureErrors) {
  const char* Texts[] = {
      "",
      "Tag = 1\n",
      "object Form1: TTestForm\n  Tag = 1\n",                    // no end
      "object Form1: TTestForm\nend\nobject Form2: TTestForm\nend\n",  // text after the root
  };
  for (const char* T : Texts) {
    TTestForm Form;
    EXPECT_THROW(ReadComponentText(&Form, T), EStreamError) << T;
  }
}

// Text from outside may ask for anything; the reader refuses what no
// screen shows and no machine holds, with its own error, and the program
// goes on.
TEST_F(Streaming, HostileTextIsRefusedWithAStreamError) {
  QString Deep = "object Form1: TTestWidgetForm\n";
  for (int I = 0; I < 30000; ++I) Deep += QString("object T%1: TTimer\n").arg(I);
  struct Row {
    const char* What;
    QString Text;
    const char* Message;
  } Rows[] = {
      {"a control far higher than any screen",
       "object Form1: TTestWidgetForm\n  object B: TPaintBox\n    Width = 100\n    Height = 16000000\n  end\nend\n",
       "Ungültiger Eigenschaftswert in Zeile 4: Height = 16000000"},
      {"a position at the integer limit",
       "object Form1: TTestWidgetForm\n  object B: TPaintBox\n    Left = 2147483647\n  end\nend\n",
       "Ungültiger Eigenschaftswert in Zeile 3: Left = 2147483647"},
      {"a negative width", "object Form1: TTestWidgetForm\n  object B: TPaintBox\n    Width = -5\n  end\nend\n",
       "Ungültiger Eigenschaftswert in Zeile 3: Width = -5"},
      {"blocks nested without end", Deep, "Ungültiges Stream-Format in Zeile 66: Objekte zu tief verschachtelt"},
      {"a size the machine cannot hold",
       "object Form1: TTestWidgetForm\n  object G: TTestGauge\n    Capacity = 2000000000\n  end\nend\n",
       "Zu wenig Speicher für den Wert in Zeile 3"},
  };
  for (const Row& R : Rows) {
    TTestWidgetForm Form;
    try {
      ReadComponentText(&Form, R.Text);
      ADD_FAILURE() << R.What << ": no error";
    } catch (const EStreamError& E) {
      EXPECT_EQ(E.Message(), QString::fromUtf8(R.Message)) << R.What;
    }
    for (int I = 0; I < Form.ComponentCount(); ++I) {
      EXPECT_FALSE(Form.Components(I)->IsLoading()) << R.What;
      if (auto* C = dynamic_cast<TControl*>(Form.Components(I))) {
        EXPECT_LE(C->Height(), kMaxControlSize) << R.What;
        EXPECT_LE(C->Left(), kMaxControlPosition) << R.What;
      }
    }
  }
}

// Code that sets a position or size beyond what a screen shows gets the
// nearest one inside, and the control stays drawable.
TEST_F(Streaming, CodeSetBoundsStayInsideTheLimits) {
  TTestWidgetForm Form;
  TPaintBox Box(&Form, &Form);
  Box.SetBounds(2147483600, -2147483647 - 1, 100, 16000000);
  EXPECT_EQ(Box.Left(), kMaxControlPosition);
  EXPECT_EQ(Box.Top(), -kMaxControlPosition);
  EXPECT_EQ(Box.Width(), 100);
  EXPECT_EQ(Box.Height(), kMaxControlSize);
  Box.Canvas().FillRect(Rect(0, 0, 100, 100));
  Box.SetWidth(-3);
  EXPECT_EQ(Box.Width(), 0);
}

#include "test_streaming.moc"
