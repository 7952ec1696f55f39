#include "quellix/host/Streaming.h"

#include "quellix/host/Controls.h"

#include <QHash>
#include <QMetaObject>
#include <QMetaProperty>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "quellix/host/NumberFormat.h"
#include "quellix/host/QtSurface.h"

namespace quellix {

namespace {

// ---------------------------------------------------------------------------
// Properties and their kinds

// Properties a stream carries start below the last of Qt's own classes in
// the chain (QObject, QWidget, QDialog, ...): their properties (objectName,
// geometry, modal) are not part of a component's published interface. Qt's
// classes are the ones outside any namespace whose name begins with 'Q'.
bool IsQtClass(const QMetaObject* M) {
  const char* N = M->className();
  return N[0] == 'Q' && !std::strstr(N, "::");
}

int FirstOwnProperty(const QMetaObject* M) {
  for (const QMetaObject* C = M; C; C = C->superClass())
    if (IsQtClass(C)) return C->propertyCount();
  return 0;
}

enum class TKind { Bool, Signed, Unsigned, Single, Double, String, StringList, Enum, Set, Object, Unsupported };

TKind KindOf(const QMetaProperty& P) {
  if (P.isEnumType()) return P.isFlagType() ? TKind::Set : TKind::Enum;
  const QMetaType T = P.metaType();
  if (T.flags() & QMetaType::PointerToQObject) return TKind::Object;
  switch (T.id()) {
    case QMetaType::Bool:
      return TKind::Bool;
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
      return TKind::Signed;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
      return TKind::Unsigned;
    case QMetaType::Float:
      return TKind::Single;
    case QMetaType::Double:
      return TKind::Double;
    case QMetaType::QString:
      return TKind::String;
    case QMetaType::QStringList:
      return TKind::StringList;
    default:
      return TKind::Unsupported;
  }
}

// The integer behind an enumeration or set value, whatever its width.
qint64 EnumInteger(const QVariant& V) {
  if (!V.isValid()) return 0;
  const void* D = V.constData();
  switch (V.metaType().sizeOf()) {
    case 1:
      return *static_cast<const qint8*>(D);
    case 2:
      return *static_cast<const qint16*>(D);
    case 8:
      return *static_cast<const qint64*>(D);
    default:
      return *static_cast<const qint32*>(D);
  }
}

QObject* ObjectValue(const QVariant& V) {
  return V.isValid() ? *static_cast<QObject* const*>(V.constData()) : nullptr;
}

// ---------------------------------------------------------------------------
// Value text

// A float in the shortest text that reads back to the same Single, so that
// 0.1f is written as "0.1" and not as its Double widening.
QString SingleText(float F) {
  if (!std::isfinite(F)) return FloatToStreamText(F);
  char Buf[32];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, F);
  QString S = QString::fromLatin1(Buf, static_cast<int>(R.ptr - Buf)).toUpper();
  if (!S.contains(QLatin1Char('.')) && !S.contains(QLatin1Char('E'))) S += QStringLiteral(".0");
  return S;
}

QString QuotedText(const QString& S) {
  QString R;
  bool InQuote = false;
  for (QChar C : S) {
    if (C.unicode() < 32 || C.unicode() == 127) {
      if (InQuote) R += QLatin1Char('\'');
      InQuote = false;
      R += QLatin1Char('#') + QString::number(C.unicode());
      continue;
    }
    if (!InQuote) R += QLatin1Char('\'');
    InQuote = true;
    R += C;
    if (C == QLatin1Char('\'')) R += C;
  }
  if (InQuote) R += QLatin1Char('\'');
  return R.isEmpty() ? QStringLiteral("''") : R;
}

// Text of every kind except Object.
QString ValueText(const QMetaProperty& P, TKind K, const QVariant& V) {
  switch (K) {
    case TKind::Bool:
      return V.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TKind::Signed:
      return QString::number(V.toLongLong());
    case TKind::Unsigned:
      return QString::number(V.toULongLong());
    case TKind::Single:
      return SingleText(V.toFloat());
    case TKind::Double:
      return FloatToStreamText(V.toDouble());
    case TKind::String:
      return QuotedText(V.toString());
    case TKind::StringList: {
      QStringList Parts;
      for (const QString& S : V.toStringList()) Parts << QuotedText(S);
      return QLatin1Char('(') + Parts.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    case TKind::Enum: {
      const QMetaEnum E = P.enumerator();
      const qint64 I = EnumInteger(V);
      const char* Key = E.valueToKey(static_cast<int>(I));
      return Key ? QString::fromLatin1(Key) : QString::number(I);
    }
    case TKind::Set: {
      const QMetaEnum E = P.enumerator();
      const int I = static_cast<int>(EnumInteger(V));
      QStringList Keys;
      // Single-bit keys only, in declaration order: a set lists its members.
      for (int J = 0; J < E.keyCount(); ++J) {
        const int Bit = E.value(J);
        if (Bit != 0 && (Bit & (Bit - 1)) == 0 && (I & Bit)) Keys << QString::fromLatin1(E.key(J));
      }
      return QLatin1Char('[') + Keys.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case TKind::Object:
    case TKind::Unsupported:
      break;
  }
  return QString();
}

// Reads values from the text after "Prop =".
class TValueScanner {
public:
  explicit TValueScanner(const QString& Text) : FText(Text) {}

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos].isSpace()) ++FPos;
  }
  bool AtEnd() {
    SkipBlanks();
    return FPos >= FText.size();
  }
  bool Take(QChar C) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == C) {
      ++FPos;
      return true;
    }
    return false;
  }
  QChar Peek() {
    SkipBlanks();
    return FPos < FText.size() ? FText[FPos] : QChar();
  }
  // 'quoted' parts with '' for a quote, joined with #code characters.
  bool String(QString& Out) {
    SkipBlanks();
    Out.clear();
    bool Any = false;
    while (FPos < FText.size()) {
      const QChar C = FText[FPos];
      if (C == QLatin1Char('\'')) {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size()) return false;
          if (FText[FPos] == QLatin1Char('\'')) {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == QLatin1Char('\'')) {
              Out += QLatin1Char('\'');
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          Out += FText[FPos++];
        }
      } else if (C == QLatin1Char('#')) {
        int End = ++FPos;
        while (End < FText.size() && FText[End].isDigit()) ++End;
        bool Ok = false;
        const uint Code = FText.mid(FPos, End - FPos).toUInt(&Ok);
        if (!Ok || Code > 0xFFFF) return false;
        Out += QChar(static_cast<char16_t>(Code));
        FPos = End;
      } else {
        break;
      }
      Any = true;
    }
    return Any;
  }
  // A bare word: identifier, number, nil, True.
  QString Word() {
    SkipBlanks();
    const int Start = FPos;
    while (FPos < FText.size()) {
      const QChar C = FText[FPos];
      if (C.isSpace() || C == QLatin1Char(',') || C == QLatin1Char(']') || C == QLatin1Char(')') ||
          C == QLatin1Char('[') || C == QLatin1Char('('))
        break;
      ++FPos;
    }
    return FText.mid(Start, FPos - Start);
  }

private:
  QString FText;
  int FPos = 0;
};

// Parses the text of every kind except Object into a value the property
// accepts. Returns false when the text does not fit.
bool ParseValue(const QMetaProperty& P, TKind K, const QString& Text, QVariant& Out) {
  TValueScanner S(Text);
  bool Ok = false;
  switch (K) {
    case TKind::Bool: {
      const QString W = S.Word();
      if (W.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        Out = true;
      else if (W.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        Out = false;
      else
        return false;
      break;
    }
    case TKind::Signed: {
      const qint64 I = S.Word().toLongLong(&Ok);
      const int Bits = 8 * P.metaType().sizeOf();
      if (!Ok || (Bits < 64 && (I < -(qint64(1) << (Bits - 1)) || I >= (qint64(1) << (Bits - 1))))) return false;
      Out = QVariant(I);
      break;
    }
    case TKind::Unsigned: {
      const quint64 I = S.Word().toULongLong(&Ok);
      const int Bits = 8 * P.metaType().sizeOf();
      if (!Ok || (Bits < 64 && I >= (quint64(1) << Bits))) return false;
      Out = QVariant(I);
      break;
    }
    case TKind::Single:
    case TKind::Double: {
      const QString W = S.Word();
      double D;
      if (W == QLatin1String("INF"))
        D = HUGE_VAL;
      else if (W == QLatin1String("-INF"))
        D = -HUGE_VAL;
      else if (W == QLatin1String("NAN"))
        D = std::nan("");
      else {
        D = W.toDouble(&Ok);  // always '.', whatever the decimal separator
        if (!Ok) return false;
      }
      Out = K == TKind::Single ? QVariant(static_cast<float>(D)) : QVariant(D);
      break;
    }
    case TKind::String: {
      QString V;
      if (!S.String(V)) return false;
      Out = V;
      break;
    }
    case TKind::StringList: {
      QStringList L;
      if (!S.Take(QLatin1Char('('))) return false;
      if (!S.Take(QLatin1Char(')'))) {
        do {
          QString V;
          if (!S.String(V)) return false;
          L << V;
        } while (S.Take(QLatin1Char(',')));
        if (!S.Take(QLatin1Char(')'))) return false;
      }
      Out = L;
      break;
    }
    case TKind::Enum: {
      // By key, or by the number of one of the enumeration's values: a
      // number that names none would reach the setter as a value its type
      // cannot hold.
      const QMetaEnum E = P.enumerator();
      const QString W = S.Word();
      int I = E.keyToValue(W.toLatin1().constData(), &Ok);
      if (!Ok) I = W.toInt(&Ok);
      if (!Ok || !E.valueToKey(I)) return false;
      Out = I;
      break;
    }
    case TKind::Set: {
      if (!S.Take(QLatin1Char('['))) return false;
      int Bits = 0;
      if (!S.Take(QLatin1Char(']'))) {
        do {
          const QString W = S.Word();
          const int I = P.enumerator().keyToValue(W.toLatin1().constData(), &Ok);
          if (!Ok) return false;
          Bits |= I;
        } while (S.Take(QLatin1Char(',')));
        if (!S.Take(QLatin1Char(']'))) return false;
      }
      Out = Bits;
      break;
    }
    case TKind::Object:
    case TKind::Unsupported:
      return false;
  }
  return S.AtEnd();
}

// A property's declared default, if it has one.
bool DeclaredDefault(const QObject* O, const QMetaProperty& P, QString& Out) {
  const QMetaObject* M = O->metaObject();
  const int I = M->indexOfClassInfo(QByteArray("default:") + P.name());
  if (I < 0) return false;
  Out = QString::fromUtf8(M->classInfo(I).value());
  return true;
}

// True when the value equals the declared default. Both go through the
// same text so that "20", "20.0" and 20.0f compare equal, and a default
// the property cannot read counts as no default. A string's default is its
// text as it is, without quotes.
bool IsDefault(const QObject* O, const QMetaProperty& P, TKind K, const QVariant& V) {
  QString Def;
  if (!DeclaredDefault(O, P, Def)) return false;
  if (K == TKind::Object) return Def.trimmed().compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0 && !ObjectValue(V);
  if (K == TKind::String) return Def == V.toString();  // the text itself, unquoted
  QVariant D;
  if (!ParseValue(P, K, Def, D)) return false;
  if (K == TKind::Enum || K == TKind::Set) return D.toLongLong() == EnumInteger(V);
  return ValueText(P, K, D) == ValueText(P, K, V);
}

// Finds a property by name, exact first, then without regard to case.
// Only the properties a stream carries count.
int FindProperty(const QObject* O, const QString& Name) {
  const QMetaObject* M = O->metaObject();
  const int First = FirstOwnProperty(M);
  int I = M->indexOfProperty(Name.toLatin1().constData());
  if (I >= First) return I;
  for (I = First; I < M->propertyCount(); ++I)
    if (Name.compare(QLatin1String(M->property(I).name()), Qt::CaseInsensitive) == 0) return I;
  return -1;
}

// Collects what DefineProperties declares.
class TDefinitions : public TFiler {
public:
  struct TDefinition {
    QString Name;
    std::function<void(TReader&)> Read;
    std::function<void(TWriter&)> Write;
    bool HasData;
  };
  void DefineProperty(const QString& Name, const std::function<void(TReader&)>& ReadData,
                      const std::function<void(TWriter&)>& WriteData, bool HasData) override {
    FItems.push_back({Name, ReadData, WriteData, HasData});
  }
  const std::vector<TDefinition>& Items() const { return FItems; }
  const TDefinition* Find(const QString& Name) const {
    for (const TDefinition& D : FItems)
      if (D.Name.compare(Name, Qt::CaseInsensitive) == 0) return &D;
    return nullptr;
  }

private:
  std::vector<TDefinition> FItems;
};

// ---------------------------------------------------------------------------
// Writing

constexpr int MaxSubObjectDepth = 8;

class TTextWriter {
public:
  QString Text;

  void WriteComponent(TComponentCore* C, int Level) {
    const QString Indent(2 * Level, QLatin1Char(' '));
    Text += Indent + QStringLiteral("object ") + C->Name() + QStringLiteral(": ") + StreamClassName(C) + QLatin1Char('\n');
    WriteProperties(C->AsQObject(), Indent + QStringLiteral("  "), QString(), 0);
    TDefinitions Defs;
    C->DefineProperties(Defs);
    for (const auto& D : Defs.Items()) {
      if (!D.HasData || !D.Write) continue;
      TWriter W;
      D.Write(W);
      Text += Indent + QStringLiteral("  ") + D.Name + QStringLiteral(" = ") + W.Text() + QLatin1Char('\n');
    }
    for (int I = 0; I < C->ComponentCount(); ++I)
      if (!C->Components(I)->Name().isEmpty()) WriteComponent(C->Components(I), Level + 1);
    Text += Indent + QStringLiteral("end\n");
  }

private:
  void WriteProperties(QObject* O, const QString& Indent, const QString& Prefix, int Depth) {
    const QMetaObject* M = O->metaObject();
    for (int I = FirstOwnProperty(M); I < M->propertyCount(); ++I) {
      const QMetaProperty P = M->property(I);
      if (!P.isStored() || !P.isReadable()) continue;
      // A colour is written in its integer form, system colours included.
      const QMetaProperty S = ColorTwin(M, P);
      const TKind K = KindOf(S);
      const QString Name = Prefix + QLatin1String(P.name());
      if (K == TKind::Unsupported)
        throw EStreamError(QStringLiteral("Eigenschaft %1: Typ %2 kann nicht gespeichert werden")
                               .arg(Name, QLatin1String(P.typeName())));
      const QVariant V = S.read(O);
      if (IsDefault(O, P, K, V)) continue;
      if (K != TKind::Object) {
        Line(Indent, Name, ValueText(P, K, V));
        continue;
      }
      QObject* Target = ObjectValue(V);
      if (!Target) {
        Line(Indent, Name, QStringLiteral("nil"));
      } else if (TComponentCore* Ref = ComponentOf(Target)) {
        // A component without a name cannot be found again: not written.
        if (!Ref->Name().isEmpty()) Line(Indent, Name, Ref->Name());
      } else if (Depth < MaxSubObjectDepth) {
        WriteProperties(Target, Indent, Name + QLatin1Char('.'), Depth + 1);
      }
    }
  }

  void Line(const QString& Indent, const QString& Name, const QString& Value) {
    Text += Indent + Name + QStringLiteral(" = ") + Value + QLatin1Char('\n');
  }
};

// ---------------------------------------------------------------------------
// Reading

// Blocks inside blocks; forms hold a few levels.
constexpr int kMaxObjectDepth = 64;

class TTextReader {
public:
  TTextReader(TComponentCore* Root, const QString& Text) : FRoot(Root) {
    QString T = Text;
    T.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    FLines = T.split(QLatin1Char('\n'));
  }

  void Read() {
    try {
      try {
        QString Name, Class;
        if (!NextLine() || !ObjectHeader(FLines[FLine].trimmed(), Name, Class)) FormatError("'object' erwartet");
        ++FLine;
        FRoot->SetName(Name);
        ReadBlock(FRoot, 0);
        if (NextLine()) FormatError("Text nach dem letzten 'end'");
        ResolveReferences();
      } catch (const std::bad_alloc&) {
        // A size in the text that the machine cannot hold is an error of
        // the text, not the end of the program.
        throw EStreamError(QStringLiteral("Zu wenig Speicher für den Wert in Zeile %1").arg(FLine + 1));
      } catch (const EOutOfMemory& E) {
        throw EStreamError(QStringLiteral("Zu wenig Speicher für den Wert in Zeile %1: %2").arg(FLine + 1).arg(E.Message()));
      }
    } catch (...) {
      // Leave the loading state without the end-of-loading work.
      for (TComponentCore* C : FRead) C->TComponentCore::Loaded();
      throw;
    }
    for (TComponentCore* C : FRead) C->Loaded();
  }

private:
  struct TReference {
    QObject* Object;
    QMetaProperty Property;
    QString Name;
    int Line;
  };

  // Moves to the next non-blank line; false at the end of the text.
  bool NextLine() {
    while (FLine < FLines.size() && FLines[FLine].trimmed().isEmpty()) ++FLine;
    return FLine < FLines.size();
  }

  [[noreturn]] void FormatError(const char* What) {
    throw EStreamError(
        QStringLiteral("Ungültiges Stream-Format in Zeile %1: %2").arg(FLine + 1).arg(QString::fromUtf8(What)));
  }

  static bool ObjectHeader(const QString& L, QString& Name, QString& Class) {
    if (!L.startsWith(QLatin1String("object "), Qt::CaseInsensitive)) return false;
    const int Colon = L.indexOf(QLatin1Char(':'));
    if (Colon < 0) return false;
    Name = L.mid(7, Colon - 7).trimmed();
    Class = L.mid(Colon + 1).trimmed();
    return !Name.isEmpty() && !Class.isEmpty() && !Name.contains(QLatin1Char(' ')) &&
           !Class.contains(QLatin1Char(' '));
  }

  // Reads the lines of one block, after its header, up to its "end".
  // Depth counts the blocks around it; nesting is bounded so that no text
  // can exhaust the stack.
  void ReadBlock(TComponentCore* C, int Depth) {
    C->BeginLoading();
    FRead.push_back(C);
    std::unique_ptr<TDefinitions> Defs;
    for (;;) {
      if (!NextLine()) FormatError("'end' fehlt");
      const QString L = FLines[FLine].trimmed();
      QString Name, Class;
      if (L.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0) {
        ++FLine;
        return;
      }
      if (ObjectHeader(L, Name, Class)) {
        if (Depth >= kMaxObjectDepth) FormatError("Objekte zu tief verschachtelt");
        ++FLine;
        ReadBlock(Child(C, Name, Class), Depth + 1);
        continue;
      }
      const int Eq = L.indexOf(QLatin1Char('='));
      if (Eq <= 0) FormatError("'=' erwartet");
      const QString Prop = L.left(Eq).trimmed();
      const QString Value = L.mid(Eq + 1).trimmed();
      if (!AssignProperty(C->AsQObject(), Prop, Prop, Value, 0)) {
        if (!Defs) {
          Defs = std::make_unique<TDefinitions>();
          C->DefineProperties(*Defs);
        }
        const TDefinitions::TDefinition* D = Defs->Find(Prop);
        if (!D || !D->Read) throw EStreamError(QStringLiteral("Eigenschaft %1 existiert nicht").arg(Prop));
        TReader R(Value);
        D->Read(R);
        if (!R.AtEnd()) FormatError("Listenende erwartet");
      }
      ++FLine;
    }
  }

  // The owned component of that name, or a new one of that class.
  TComponentCore* Child(TComponentCore* Owner, const QString& Name, const QString& Class) {
    if (TComponentCore* C = Owner->FindComponent(Name)) return C;
    TComponentFactory Create = FindComponentClass(Class);
    if (!Create) throw EStreamError(QStringLiteral("Klasse %1 nicht gefunden").arg(Class));
    TComponentCore* C = Create(Owner);
    if (C->Owner() != Owner) Owner->InsertComponent(C);
    C->SetName(Name);
    return C;
  }

  // Assigns "Path = Value" to O. Path may lead through sub-objects
  // ("Font.Size"). Returns false when O has no such property, so that the
  // extra list properties get their turn.
  bool AssignProperty(QObject* O, const QString& FullName, const QString& Path, const QString& Value, int Depth) {
    const int Dot = Path.indexOf(QLatin1Char('.'));
    const int Index = FindProperty(O, Dot < 0 ? Path : Path.left(Dot));
    if (Index < 0) {
      if (Depth == 0) return false;
      throw EStreamError(QStringLiteral("Eigenschaft %1 existiert nicht").arg(FullName));
    }
    const QMetaProperty P = ColorTwin(O->metaObject(), O->metaObject()->property(Index));
    const TKind K = KindOf(P);
    if (Dot >= 0) {
      QObject* Sub = K == TKind::Object ? ObjectValue(P.read(O)) : nullptr;
      if (!Sub || ComponentOf(Sub) || Depth >= MaxSubObjectDepth)
        throw EStreamError(QStringLiteral("Eigenschaft %1 existiert nicht").arg(FullName));
      return AssignProperty(Sub, FullName, Path.mid(Dot + 1), Value, Depth + 1);
    }
    if (!P.isWritable()) throw EStreamError(QStringLiteral("Eigenschaft %1 ist schreibgeschützt").arg(FullName));
    if (K == TKind::Object) {
      // Resolved once every component of the text exists.
      const QString Target = TValueScanner(Value).Word();
      if (Target.isEmpty() || Target != Value) InvalidValue(FullName, Value);
      FReferences.push_back({O, P, Target, FLine});
      return true;
    }
    QVariant V;
    if (K == TKind::Unsupported || !ParseValue(P, K, Value, V) || !WithinBounds(O, P, V) || !P.write(O, V))
      InvalidValue(FullName, Value);
    return true;
  }

  // A control's position and size stay where a screen can show them.
  static bool WithinBounds(QObject* O, const QMetaProperty& P, const QVariant& V) {
    if (!qobject_cast<TControl*>(O)) return true;
    const char* Name = P.name();
    const int I = V.toInt();
    if (!std::strcmp(Name, "Left") || !std::strcmp(Name, "Top"))
      return I >= -kMaxControlPosition && I <= kMaxControlPosition;
    if (!std::strcmp(Name, "Width") || !std::strcmp(Name, "Height")) return I >= 0 && I <= kMaxControlSize;
    return true;
  }

  [[noreturn]] void InvalidValue(const QString& Name, const QString& Value) {
    throw EStreamError(
        QStringLiteral("Ungültiger Eigenschaftswert in Zeile %1: %2 = %3").arg(FLine + 1).arg(Name, Value));
  }

  TComponentCore* FindByName(TComponentCore* C, const QString& Name) {
    if (C->Name().compare(Name, Qt::CaseInsensitive) == 0) return C;
    for (int I = 0; I < C->ComponentCount(); ++I)
      if (TComponentCore* F = FindByName(C->Components(I), Name)) return F;
    return nullptr;
  }

  void ResolveReferences() {
    for (const TReference& R : FReferences) {
      QObject* Target = nullptr;
      if (R.Name.compare(QLatin1String("nil"), Qt::CaseInsensitive) != 0) {
        // Root itself first, then what it owns, nearest level first.
        TComponentCore* C = FRoot->Name().compare(R.Name, Qt::CaseInsensitive) == 0 ? FRoot : nullptr;
        for (int I = 0; !C && I < FRoot->ComponentCount(); ++I)
          if (FRoot->Components(I)->Name().compare(R.Name, Qt::CaseInsensitive) == 0) C = FRoot->Components(I);
        for (int I = 0; !C && I < FRoot->ComponentCount(); ++I) C = FindByName(FRoot->Components(I), R.Name);
        if (!C || R.Name.isEmpty()) {
          FLine = R.Line;
          throw EStreamError(QStringLiteral("Ungültige Komponentenreferenz in Zeile %1: %2 = %3")
                                 .arg(R.Line + 1)
                                 .arg(QLatin1String(R.Property.name()), R.Name));
        }
        Target = C->AsQObject();
      }
      // A pointer of the property's own class; a component of another
      // class does not fit.
      void* Ptr = Target ? R.Property.metaType().metaObject()->cast(Target) : nullptr;
      if (Target && !Ptr) {
        FLine = R.Line;
        InvalidValue(QLatin1String(R.Property.name()), R.Name);
      }
      R.Property.write(R.Object, QVariant(R.Property.metaType(), &Ptr));
    }
  }

  TComponentCore* FRoot;
  QStringList FLines;
  int FLine = 0;
  std::vector<TComponentCore*> FRead;
  std::vector<TReference> FReferences;
};

}  // namespace

QWidget* OwnerWidget(TComponentCore* Owner) {
  return Owner ? qobject_cast<QWidget*>(Owner->AsQObject()) : nullptr;
}

TComponentFactory FindComponentClass(const QString& ClassName) {
  // The host's classes need no registration call of their own.
  static const bool HostRegistered = (RegisterHostClasses(), true);
  (void)HostRegistered;
  return FindRegisteredClass(ClassName);
}

void RegisterHostClasses() {
  RegisterClass<TPaintBox>();
  RegisterClass<TTimer>();
}

QString WriteComponentText(TComponentCore* Root) {
  TTextWriter W;
  W.WriteComponent(Root, 0);
  return W.Text;
}

void ReadComponentText(TComponentCore* Root, const QString& Text) { TTextReader(Root, Text).Read(); }

}  // namespace quellix
