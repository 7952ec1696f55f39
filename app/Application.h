// Start-up of the demonstration program: creates the main window and then
// every demonstration window and analysis dialog, once, hidden, in a fixed
// order, and tells the main window which window each menu leaf opens.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/app/MainWindow.h"

namespace quellix::app {

// One window the program creates at start-up.
struct TWindowSpec {
  QString ClassName;
  QString Caption;
  // Builds the window; when empty a plain demonstration window with the
  // caption and a close button stands in.
  std::function<TForm*()> Create;
};

// The 26 windows after the main window, in their creation order.
const std::vector<TWindowSpec>& WindowSpecs();

class TDemoApplication {
public:
  TDemoApplication();
  ~TDemoApplication();
  TDemoApplication(const TDemoApplication&) = delete;
  TDemoApplication& operator=(const TDemoApplication&) = delete;

  // Creates all windows; the first becomes the main window.
  void CreateForms();
  Main::TQuellix32* MainForm() const { return FMainForm.get(); }
  // Class names in the order the windows were created, main window first.
  const QStringList& CreationOrder() const { return FCreationOrder; }
  const std::vector<TForm*>& Forms() const { return FFormList; }
  TForm* FormByClass(const QString& ClassName) const;

private:
  std::unique_ptr<Main::TQuellix32> FMainForm;
  std::vector<std::unique_ptr<TForm>> FForms;
  std::vector<TForm*> FFormList;
  QStringList FCreationOrder;
};

}  // namespace quellix::app
