#include "quellix/host/Component.h"

#include <unistd.h>

#include <QMetaObject>
#include <algorithm>

#include "quellix/host/NumberFormat.h"

namespace quellix {

bool MemoryCanHold(std::uint64_t Bytes) {
  const long Pages = sysconf(_SC_PHYS_PAGES);
  const long PageSize = sysconf(_SC_PAGE_SIZE);
  if (Pages <= 0 || PageSize <= 0) return true;  // unknown: let the allocation decide
  return Bytes <= static_cast<std::uint64_t>(Pages) / 2 * static_cast<std::uint64_t>(PageSize);
}

// ---------------------------------------------------------------------------
// TWriter

void TWriter::Separate() {
  if (FNeedComma) FText += QStringLiteral(", ");
}

void TWriter::WriteListBegin() {
  Separate();
  FText += QLatin1Char('(');
  FNeedComma = false;
}

void TWriter::WriteListEnd() {
  FText += QLatin1Char(')');
  FNeedComma = true;
}

void TWriter::WriteInteger(std::int64_t Value) {
  Separate();
  FText += QString::number(Value);
  FNeedComma = true;
}

void TWriter::WriteFloat(Extended Value) {
  Separate();
  FText += FloatToStreamText(Value);
  FNeedComma = true;
}

void TWriter::WriteBoolean(bool Value) {
  Separate();
  FText += Value ? QStringLiteral("True") : QStringLiteral("False");
  FNeedComma = true;
}

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(const QString& Text) : FText(Text) {}

void TReader::SkipBlanks() {
  while (FPos < FText.size() && FText[FPos].isSpace()) ++FPos;
}

void TReader::SkipComma() {
  SkipBlanks();
  if (FPos < FText.size() && FText[FPos] == QLatin1Char(',')) ++FPos;
  SkipBlanks();
}

bool TReader::AtEnd() {
  SkipBlanks();
  return FPos >= FText.size();
}

void TReader::ReadListBegin() {
  SkipBlanks();
  if (FPos >= FText.size() || FText[FPos] != QLatin1Char('('))
    throw EStreamError(QStringLiteral("Ungültiges Stream-Format: Liste erwartet"));
  ++FPos;
  SkipBlanks();
}

bool TReader::EndOfList() {
  SkipBlanks();
  return FPos >= FText.size() || FText[FPos] == QLatin1Char(')');
}

void TReader::ReadListEnd() {
  SkipBlanks();
  if (FPos >= FText.size() || FText[FPos] != QLatin1Char(')'))
    throw EStreamError(QStringLiteral("Ungültiges Stream-Format: Listenende erwartet"));
  ++FPos;
  SkipComma();
}

QString TReader::Token() {
  SkipBlanks();
  int Start = FPos;
  while (FPos < FText.size()) {
    QChar C = FText[FPos];
    if (C == QLatin1Char(',') || C == QLatin1Char(')') || C == QLatin1Char('(') || C.isSpace()) break;
    ++FPos;
  }
  QString T = FText.mid(Start, FPos - Start);
  if (T.isEmpty()) throw EStreamError(QStringLiteral("Ungültiges Stream-Format: Wert erwartet"));
  SkipComma();
  return T;
}

std::int64_t TReader::ReadInteger() {
  int Save = FPos;
  QString T = Token();
  bool Ok = false;
  std::int64_t V = T.toLongLong(&Ok);
  if (!Ok) {
    FPos = Save;
    throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: %1").arg(T));
  }
  return V;
}

Extended TReader::ReadFloat() {
  int Save = FPos;
  QString T = Token();
  bool Ok = false;
  double V = T.toDouble(&Ok);  // stream text always uses '.'
  if (!Ok) {
    FPos = Save;
    throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: %1").arg(T));
  }
  return V;
}

bool TReader::ReadBoolean() {
  int Save = FPos;
  QString T = Token();
  if (T.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (T.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  FPos = Save;
  throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: %1").arg(T));
}

// ---------------------------------------------------------------------------
// TComponentCore

TComponentCore::TComponentCore(TComponentCore* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

void TComponentCore::NotifyRemoval() {
  if (FRemovalNotified) return;
  FRemovalNotified = true;
  FState |= csDestroying;
  ForgetNotifySignals(this);
  // Everyone who asked to hear about this component's removal.
  auto Notifies = FFreeNotifies;
  FFreeNotifies.clear();
  for (TComponentCore* C : Notifies) {
    C->RemoveFreeNotification(this);
    C->Notification(this, opRemove);
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponentCore::Destroying() { NotifyRemoval(); }

TComponentCore::~TComponentCore() {
  NotifyRemoval();
  // Free the owned components, the last inserted first.
  while (!FComponents.empty()) {
    TComponentCore* C = FComponents.back();
    delete C;  // its destructor removes it from FComponents
    if (!FComponents.empty() && FComponents.back() == C) FComponents.pop_back();
  }
}

void TComponentCore::SetName(const QString& Value) {
  const TChangeScope Changes;
  FName = Value;
  if (QObject* O = AsQObject()) O->setObjectName(Value);
}

void TComponentCore::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FState |= csDesigning;
  else
    FState &= ~csDesigning;
  if (SetChildren)
    for (TComponentCore* C : FComponents) C->SetDesigning(Value, true);
}

void TComponentCore::Loaded() { FState &= ~(csLoading | csReading); }

void TComponentCore::Notification(TComponentCore* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) {
    auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (It != FFreeNotifies.end()) FFreeNotifies.erase(It);
  }
  // An owner passes the news on to everything it owns.
  auto Owned = FComponents;
  for (TComponentCore* C : Owned)
    if (C != AComponent) C->Notification(AComponent, Operation);
}

void TComponentCore::FreeNotification(TComponentCore* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& Theirs = AComponent->FFreeNotifies;
  if (std::find(Theirs.begin(), Theirs.end(), this) == Theirs.end()) Theirs.push_back(this);
}

void TComponentCore::RemoveFreeNotification(TComponentCore* AComponent) {
  auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (It != FFreeNotifies.end()) FFreeNotifies.erase(It);
  if (AComponent) {
    auto& Theirs = AComponent->FFreeNotifies;
    auto It2 = std::find(Theirs.begin(), Theirs.end(), this);
    if (It2 != Theirs.end()) Theirs.erase(It2);
  }
}

TComponentCore* TComponentCore::FindComponent(const QString& AName) const {
  if (AName.isEmpty()) return nullptr;
  for (TComponentCore* C : FComponents)
    if (C->FName.compare(AName, Qt::CaseInsensitive) == 0) return C;
  return nullptr;
}

void TComponentCore::InsertComponent(TComponentCore* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, opInsert);
}

void TComponentCore::RemoveComponent(TComponentCore* AComponent) {
  auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (It == FComponents.end()) return;
  FComponents.erase(It);
  AComponent->FOwner = nullptr;
  Notification(AComponent, opRemove);
}

void TComponentCore::DefineProperties(TFiler&) {}

QString TComponentCore::ClassName() const {
  const QObject* O = AsQObject();
  if (!O) return QString();
  QString N = QString::fromLatin1(O->metaObject()->className());
  int P = N.lastIndexOf(QLatin1String("::"));
  return P >= 0 ? N.mid(P + 2) : N;
}

QString TComponentCore::LibraryCopyright() {
  return QStringLiteral("Copyright (c) Quellix-Entwicklergruppe. Alle Rechte vorbehalten.");
}

// ---------------------------------------------------------------------------

TComponent::TComponent(TComponentCore* AOwner) : QObject(nullptr), TComponentCore(AOwner) {}

TComponent::~TComponent() { Destroying(); }

// Queued work (a sound-card buffer, a deferred call) may change properties.
bool TComponent::event(QEvent* Event) {
  const TChangeScope Changes;
  return QObject::event(Event);
}

void TComponent::connectNotify(const QMetaMethod& Signal) {
  WatchNotifySignal(this, Signal, [this](const QMetaMethod& M) { return isSignalConnected(M); });
}

void TComponent::disconnectNotify(const QMetaMethod& Signal) { UnwatchNotifySignal(this, Signal); }

TComponentCore* ComponentOf(QObject* Object) { return dynamic_cast<TComponentCore*>(Object); }

// ---------------------------------------------------------------------------
// TStringList

int TStringList::IndexOf(const QString& S) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I].Text.compare(S, Qt::CaseInsensitive) == 0) return I;
  return -1;
}

QString TStringList::Text() const {
  QString R;
  for (const auto& I : FItems) R += I.Text + QLatin1Char('\n');
  return R;
}

void TStringList::SetText(const QString& Value) {
  FItems.clear();
  QString V = Value;
  V.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  V.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList L = V.split(QLatin1Char('\n'));
  if (!L.isEmpty() && L.last().isEmpty()) L.removeLast();
  for (const QString& S : L) Add(S);
}

QStringList TStringList::ToQStringList() const {
  QStringList R;
  for (const auto& I : FItems) R << I.Text;
  return R;
}

}  // namespace quellix
