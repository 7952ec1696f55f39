/// TRotateLabel: a caption drawn at an angle. It draws its caption with a
/// font turned by Angle, sizes itself to the turned text's bounding box (as
/// far as Align allows) and places the text so that it stays inside that
/// box. The background is not filled by the label: the text is drawn
/// transparently over the parent's colour. \file
#pragma once

#include <QString>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

namespace quellix::RLabel {
Q_NAMESPACE

/// Horizontal alignment of a label's text. Kept for the label's published
/// interface; the rotated drawing does not use it.
enum TAlignment : Byte { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

/// Angle in degrees reduced into -180..180: 270 gives -90, -270 gives 90,
/// 540 gives 180, -180 stays -180.
Integer NormalizeAngle(Integer Angle);

/// Where a caption of extent (tw along the text, th across it) goes when
/// turned by Angle degrees: the bounding box (bw, bh) and the start point
/// of the text inside it.
struct TRotatedTextPlace {
  Integer BoxWidth = 0;
  Integer BoxHeight = 0;
  TPoint Origin;
};
TRotatedTextPlace RotatedTextPlace(Integer Angle, Integer TextWidth, Integer TextHeight);

class TRotateLabel : public TGraphicControl {
  Q_OBJECT
  Q_PROPERTY(int Angle READ Angle WRITE SetAngle NOTIFY AngleChanged)
  // The constructor starts at 45, so 45 is the value a stream leaves out;
  // any other angle (0 too) is written and comes back.
  Q_CLASSINFO("default:Angle", "45")
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged)
  Q_PROPERTY(int Align READ AlignInt WRITE SetAlignInt NOTIFY AlignChanged)
  Q_CLASSINFO("default:Align", "0")
  Q_PROPERTY(quellix::RLabel::TAlignment Alignment READ Alignment WRITE SetAlignment NOTIFY AlignmentChanged)
  Q_CLASSINFO("default:Alignment", "taLeftJustify")
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize NOTIFY AutoSizeChanged)
  Q_CLASSINFO("default:AutoSize", "true")

Q_SIGNALS:
  // Property change signals.
  void AngleChanged(int Value);
  void CopyrightChanged(const QString& Value);
  void VersionChanged(const QString& Value);
  void CaptionChanged(const QString& Value);
  void AlignChanged(int Value);
  void AlignmentChanged(quellix::RLabel::TAlignment Value);
  void AutoSizeChanged(bool Value);

public:
  explicit TRotateLabel(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  QUELLIX_FIXED_IDENTIFICATION("V2.0")

  /// A new caption resizes the label at once.
  void SetCaption(const QString& Value);

  Integer Angle() const { return FAngle; }
  /// Stores the angle reduced into -180..180 and repaints.
  void SetAngle(Integer Value);
  int AlignInt() const { return Align(); }
  void SetAlignInt(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  /// The turned font, the text's place and the size the label takes, for
  /// the current caption, font and angle.
  TRotatedTextPlace TextPlace();
  /// Gives the control the size of the turned text (what Align leaves free).
  void AdjustBounds();

  void Paint() override;
  // The label sizes itself to its text: that size is its natural one.
  QSize sizeHint() const override { return size(); }
  QSize minimumSizeHint() const override { return size(); }

private:
  // The control's font turned by Angle.
  TFont RotatedFont() const;
  void ApplySize(const TRotatedTextPlace& Place);

  Integer FAngle = 45;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
};

}  ///< namespace quellix::RLabel
