/// Component base shared by visual and non-visual components: owner that
/// frees its components, name, tag, designing/loading state, end-of-loading
/// hook, removal notification, and the extra streamed list properties. \file
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "quellix/host/NumericTypes.h"
#include "quellix/host/ChangeWatch.h"

/// The fixed identification a component publishes: Version, its own text,
/// and Copyright, the library's. Neither takes a new value: forms store
/// them, and reading one back changes nothing. Used in a public section.
#define QUELLIX_FIXED_IDENTIFICATION(VersionText)                                      \
  QString Version() const { return QStringLiteral(VersionText); }                    \
  void SetVersion(const QString&) {}                                                  \
  QString Copyright() const { return ::quellix::TComponentCore::LibraryCopyright(); } \
  void SetCopyright(const QString&) {}

namespace quellix {

/// Root of every component and of everything passed as an event's Sender.
class TObject {
public:
  virtual ~TObject() = default;
};

/// Host exception carrying a message text (German where the system words it).
class Exception : public std::runtime_error {
public:
  explicit Exception(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
  const QString& Message() const { return FMessage; }

private:
  QString FMessage;
};

class EConvertError : public Exception {
public:
  using Exception::Exception;
};
class ERangeError : public Exception {
public:
  using Exception::Exception;
};
class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
};

/// True when Bytes fit into half of the machine's physical memory. A larger
/// request may be granted on paper and then end the program when it is
/// filled, so components that allocate by a size they were given ask first.
bool MemoryCanHold(std::uint64_t Bytes);

// ---------------------------------------------------------------------------
// Extra streamed list properties ("Range", "Floats", "Series").

/// Writes one list value: nested lists of integers, floats and Booleans.
class TWriter {
public:
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(std::int64_t Value);
  void WriteFloat(Extended Value);
  void WriteBoolean(bool Value);
  /// The text written so far, e.g. "((65280, False, 20.0), -120.0, 120.0)".
  QString Text() const { return FText; }

private:
  void Separate();
  QString FText;
  bool FNeedComma = false;
};

/// Reads one list value back. Every read raises EStreamError on a mismatch.
class TReader {
public:
  explicit TReader(const QString& Text);
  void ReadListBegin();
  void ReadListEnd();
  bool EndOfList();
  std::int64_t ReadInteger();
  Extended ReadFloat();  ///< accepts an integer too
  bool ReadBoolean();
  bool AtEnd();

private:
  void SkipBlanks();
  void SkipComma();
  QString Token();
  QString FText;
  int FPos = 0;
};

/// Handed to DefineProperties: each component declares its extra properties.
class TFiler {
public:
  virtual ~TFiler() = default;
  virtual void DefineProperty(const QString& Name, const std::function<void(TReader&)>& ReadData,
                              const std::function<void(TWriter&)>& WriteData, bool HasData) = 0;
};

// ---------------------------------------------------------------------------

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csDesigning = 4,
  csDestroying = 8,
};

/// What every component has, whether it is a QObject or a QWidget.
/// The owner frees the components it owns when it is destroyed (last
/// inserted first). Owned components that are also Qt children are removed
/// from the owner before Qt would delete them twice.
class TComponentCore : public TObject {
public:
  explicit TComponentCore(TComponentCore* AOwner = nullptr);
  ~TComponentCore() override;
  TComponentCore(const TComponentCore&) = delete;
  TComponentCore& operator=(const TComponentCore&) = delete;

  TComponentCore* Owner() const { return FOwner; }
  QString Name() const { return FName; }
  void SetName(const QString& Value);
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) {
    const TChangeScope Changes;
    FTag = Value;
  }

  unsigned ComponentState() const { return FState; }
  bool IsLoading() const { return FState & csLoading; }
  bool IsDesigning() const { return FState & csDesigning; }
  bool IsDestroying() const { return FState & csDestroying; }
  void SetDesigning(bool Value, bool SetChildren = true);
  /// Enters the loading state (the reader calls it before assigning properties).
  void BeginLoading() { FState |= csLoading | csReading; }

  /// End of loading: clears the loading state. Descendants that defer work
  /// until the whole form is read override it and call the inherited one first.
  virtual void Loaded();
  /// Told when a component this one refers to (or one of its owned ones)
  /// is inserted or removed. Descendants clear their references on opRemove
  /// and call the inherited one.
  virtual void Notification(TComponentCore* AComponent, TOperation Operation);
  /// Asks AComponent to notify this one when it is removed, even when the
  /// two have different owners.
  void FreeNotification(TComponentCore* AComponent);
  void RemoveFreeNotification(TComponentCore* AComponent);

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponentCore* Components(int Index) const { return FComponents.at(Index); }
  TComponentCore* FindComponent(const QString& AName) const;
  void InsertComponent(TComponentCore* AComponent);
  void RemoveComponent(TComponentCore* AComponent);

  /// Extra streamed properties, written after the published ones.
  virtual void DefineProperties(TFiler& Filer);
  /// The Qt object that carries the published (Q_PROPERTY) properties.
  virtual QObject* AsQObject() = 0;
  const QObject* AsQObject() const { return const_cast<TComponentCore*>(this)->AsQObject(); }
  /// The class name without namespaces, e.g. "TStripChart".
  QString ClassName() const;

  /// Every library component's informational properties: fixed texts.
  static QString LibraryCopyright();

protected:
  /// Called at the start of a descendant destructor (optional): marks the
  /// component as being destroyed and tells everyone who refers to it, while
  /// the descendant is still whole.
  void Destroying();

private:
  void NotifyRemoval();
  TComponentCore* FOwner = nullptr;
  QString FName;
  Integer FTag = 0;
  unsigned FState = 0;
  bool FRemovalNotified = false;
  std::vector<TComponentCore*> FComponents;
  std::vector<TComponentCore*> FFreeNotifies;
};

/// Non-visual component.
class TComponent : public QObject, public TComponentCore {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName NOTIFY NameChanged STORED false)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag NOTIFY TagChanged)
  Q_CLASSINFO("default:Tag", "0")
public:
  explicit TComponent(TComponentCore* AOwner = nullptr);
  ~TComponent() override;
  QObject* AsQObject() override { return this; }

Q_SIGNALS:
  void NameChanged(const QString& Value);
  void TagChanged(int Value);

protected:
  bool event(QEvent* Event) override;
  void connectNotify(const QMetaMethod& Signal) override;
  void disconnectNotify(const QMetaMethod& Signal) override;
  // An event is wanted when its handler is assigned or its signal has a
  // receiver (work done only for the event checks this).
  template <class THandler, class TSignal>
  bool Wanted(const THandler& Handler, TSignal Signal) const {
    return Handler || isSignalConnected(QMetaMethod::fromSignal(Signal));
  }
};

/// Returns the component core of a QObject, or nullptr.
TComponentCore* ComponentOf(QObject* Object);

// ---------------------------------------------------------------------------

/// String list with an object associated with each item.
class TStringList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const QString& Strings(int Index) const { return FItems.at(Index).Text; }
  void SetStrings(int Index, const QString& S) { FItems.at(Index).Text = S; }
  TObject* Objects(int Index) const { return FItems.at(Index).Object; }
  void SetObjects(int Index, TObject* O) { FItems.at(Index).Object = O; }
  int Add(const QString& S) { return AddObject(S, nullptr); }
  int AddObject(const QString& S, TObject* O) {
    FItems.push_back({S, O});
    return Count() - 1;
  }
  void Insert(int Index, const QString& S) { FItems.insert(FItems.begin() + Index, {S, nullptr}); }
  void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
  void Clear() { FItems.clear(); }
  void Assign(const TStringList& Source) { FItems = Source.FItems; }
  int IndexOf(const QString& S) const;
  /// All items joined by line breaks, and the reverse.
  QString Text() const;
  void SetText(const QString& Value);
  QStringList ToQStringList() const;

private:
  struct Item {
    QString Text;
    TObject* Object;
  };
  std::vector<Item> FItems;
};

}  ///< namespace quellix
