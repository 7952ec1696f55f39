// The main window: a picture with the slogan beneath it, a strip at the
// bottom that shows either a note or a scrolling banner, and the menu from
// which every demonstration window and analysis dialog is opened modally.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <map>

#include "quellix/host/Controls.h"

namespace quellix::Main {

class TQuellix32 : public QMainWindow, public TComponentCore {
  Q_OBJECT
public:
  explicit TQuellix32(TComponentCore* AOwner = nullptr);
  ~TQuellix32() override;
  QObject* AsQObject() override { return this; }

  // Registers the window a menu leaf opens, by its class name.
  void SetWindow(const QString& ClassName, TForm* Window);
  TForm* Window(const QString& ClassName) const;

  // Components.
  QWidget* Panel3;
  QLabel* Image1;
  QLabel* Panel4;
  QWidget* Panel1;
  QLabel* Label1;
  QLabel* Panel2;
  QMenuBar* MainMenu1;
  TTimer* Timer1;

  QMenu* Demo1;
  QMenu* MeasurementLibrary1;
  QMenu* ScientificLibrary1;
  QMenu* FilterLibrary1;
  QMenu* CommunicationsLibrary1;
  QMenu* Beispiel1;
  QMenu* Produktinformation1;
  QMenu* Hilfe1;

  // Finds a menu item (leaf or submenu action) by its component name.
  QAction* MenuItem(const QString& Name) const;

  // Event handlers.
  void FormCreate();
  void Timer1Timer();
  void berdiesesDemo1Click();
  void Demo1Click();
  void Beispiel1Click();
  void Produktinformation1Click();
  void AudioLibrary1Click();
  void Handbuchaufrufen2Click();
  void Beenden1Click();

  // How a window is shown modally and how an external program is started;
  // replaceable so that tests and the gallery can run the menu headless.
  std::function<void(TForm* Window)> ShowModalWindow;
  std::function<bool(const QString& Program, const QStringList& Arguments)> StartProgram;

  // The texts of the window.
  static QString SloganText();
  static QString NoteText();
  static QString BannerText();
  static QString WindowCaption();
  static QStringList AudioNoticeLines();
  static QImage ProductPicture(int Width, int Height);

private:
  void BuildMenu();
  QAction* AddLeaf(QMenu* Menu, const QString& Name, const QString& Caption, const QString& WindowClass);
  void StopBanner();
  void ShowWindowOf(const QString& ClassName);
  std::map<QString, TForm*> FWindows;
};

}  // namespace quellix::Main
