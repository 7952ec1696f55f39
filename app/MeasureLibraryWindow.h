// The measure-source library window: a rich-text viewer on the left shows
// the library's description from "MSLib.RTF", a three-line blue title names
// the components, and a red hint tells how to page through the text.
//
// Qt reads no RTF, so this unit carries a small reader for the part of RTF
// that the description uses (groups, paragraphs, bold, italic, font size,
// colours from a colour table, escaped and code-page characters, Unicode
// characters). Anything else is skipped, and no input makes it fail: bad
// or cut-off text gives whatever could be read up to that point.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QTextBrowser>
#include <QTextDocument>

#include "quellix/app/DemoWindow.h"

namespace quellix::MSLib_Unit {

// Reads RTF text into Doc, which is cleared first. Returns false, with a
// German message in Error, only when Rtf does not start with the "{\rtf"
// header; everything after the header is read as well as it goes.
bool ReadRtf(const QByteArray& Rtf, QTextDocument& Doc, QString* Error = nullptr);

class TMeasureSource_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TMeasureSource_Demo(TComponentCore* AOwner = nullptr);

  // Where the window finds its text: the copy built into the program.
  static QString DefaultFileName();

  // Loads an RTF file into the viewer. When the file cannot be read or is no
  // RTF text, the viewer shows a German message naming the file and the
  // reason, and the result is false.
  bool LoadFile(const QString& FileName);
  // The German message of the last failed load; empty after a good one.
  QString LoadError() const { return FLoadError; }

  // The viewer; the window's title label (TitleLabel()) is the three-line
  // blue title and stands beside it, above the diagram and the hint.
  QTextBrowser* RichEdit1;
  QLabel* FlowPicture;  // a source feeding sinks through links
  QLabel* HintLabel;    // "Blättern mit PgUp - PgDown", in red

protected:
  // PgUp and PgDown page the viewer wherever the focus is in the window.
  void keyPressEvent(QKeyEvent* Event) override;

private:
  QString FLoadError;
};

// The diagram beside the text: a source feeding three sinks through links.
QImage DrawFlowPicture(int Width, int Height);

}  // namespace quellix::MSLib_Unit
