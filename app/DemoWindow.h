// The frame every demonstration window shares: a modal window created once
// at start-up and shown from the main menu, with a title label, room for
// the components, a group box with a few lines of explanation and a close
// button that ends the modal run.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "quellix/host/Controls.h"

namespace quellix::app {

class TDemoWindow : public TForm {
  Q_OBJECT
public:
  // ClassName is the window's class name as the launcher knows it.
  TDemoWindow(const QString& ClassName, const QString& Caption, TComponentCore* AOwner = nullptr);
  QString WindowClassName() const { return FClassName; }

  QLabel* TitleLabel() const { return FTitle; }
  QGroupBox* ExplanationBox() const { return FExplanation; }
  QPushButton* CloseButton() const { return FCloseButton; }
  // The area between the title and the explanation where components go.
  QWidget* ClientArea() const { return FClient; }

  void SetTitle(const QString& Title);
  void SetExplanation(const QString& Text);

  // Called when the close button is pressed, before the window closes.
  std::function<void()> OnCloseButton;

protected:
  void showEvent(QShowEvent* Event) override;

private:
  QString FClassName;
  QLabel* FTitle;
  QWidget* FClient;
  QGroupBox* FExplanation;
  QLabel* FExplanationText;
  QPushButton* FCloseButton;
};

}  // namespace quellix::app
