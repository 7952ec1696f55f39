/// TDataEvent: a non-visual sink that turns a measure source's pushes into
/// ordinary component events, so that application code receives data blocks
/// and state changes without writing a sink of its own. It takes any source. \file
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "quellix/host/Component.h"
#include "quellix/measure/MeasureSource.h"

namespace quellix::dataevent {

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureLink;
using MeasIntf::TMeasureSource;
using MeasIntf::TMeasureSourceState;
using MeasIntf::TNotifyData;
using MeasIntf::TNotifyState;

class TDataEvent : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_CLASSINFO("default:Version", "V2.50")
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_CLASSINFO("default:Copyright", "Copyright (c) Quellix-Entwicklergruppe. Alle Rechte vorbehalten.")
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
Q_SIGNALS:
  // Events as signals.
  void data(quellix::TObject* Link, quellix::MeasIntf::TDescArraySingle& Data);
  void changedState(quellix::TObject* Link, quellix::MeasIntf::TMeasureSourceState State);
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);

public:
  explicit TDataEvent(TComponentCore* AOwner = nullptr);
  /// Frees the link first, which detaches it from its source.
  ~TDataEvent() override;

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}  ///< fixed text
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}  ///< fixed text

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);

  /// The link that carries the events; it is their first argument.
  TMeasureLink* Link() const { return FLink.get(); }

  /// Called with (the link, the source's block by reference) for each block.
  TNotifyData OnData;
  /// Called with (the link, the new state) for each state change.
  TNotifyState OnChangedState;

private:
  QString FVersion;
  QString FCopyright;
  std::unique_ptr<TMeasureLink> FLink;
};

}  ///< namespace quellix::dataevent
