#include "quellix/app/DemoWindow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quellix::app {

TDemoWindow::TDemoWindow(const QString& ClassName, const QString& Caption, TComponentCore* AOwner)
    : TForm(AOwner), FClassName(ClassName) {
  SetName(ClassName.mid(1));  // TDial_Demo -> Dial_Demo
  SetCaption(Caption);
  setModal(true);
  resize(640, 480);

  auto* Layout = new QVBoxLayout(this);
  FTitle = new QLabel(Caption, this);
  QFont TitleFont = FTitle->font();
  TitleFont.setPixelSize(20);
  TitleFont.setBold(true);
  FTitle->setFont(TitleFont);
  FTitle->setAlignment(Qt::AlignCenter);
  Layout->addWidget(FTitle);

  FClient = new QWidget(this);
  FClient->setMinimumSize(560, 300);
  Layout->addWidget(FClient, 1);

  auto* Bottom = new QHBoxLayout();
  FExplanation = new QGroupBox(tr("Erläuterung"), this);
  auto* ExplanationLayout = new QVBoxLayout(FExplanation);
  FExplanationText = new QLabel(FExplanation);
  FExplanationText->setWordWrap(true);
  ExplanationLayout->addWidget(FExplanationText);
  Bottom->addWidget(FExplanation, 1);

  FCloseButton = new QPushButton(tr("S&chließen"), this);
  FCloseButton->setObjectName(QStringLiteral("BitBtn1"));
  Bottom->addWidget(FCloseButton, 0, Qt::AlignBottom);
  Layout->addLayout(Bottom);

  connect(FCloseButton, &QPushButton::clicked, this, [this] {
    if (OnCloseButton) OnCloseButton();
    SetModalResult(mrOk);
  });
}

// The window's minimum size does not reckon with the lines a wrapped
// explanation takes at the window's width: before it is shown the window
// grows to hold them, so that no part is drawn over another.
void TDemoWindow::showEvent(QShowEvent* Event) {
  if (QLayout* L = layout()) {
    L->activate();
    const int Need = L->totalHeightForWidth(width());
    if (Need > height()) resize(width(), Need);
  }
  TForm::showEvent(Event);
}

void TDemoWindow::SetTitle(const QString& Title) { FTitle->setText(Title); }

void TDemoWindow::SetExplanation(const QString& Text) { FExplanationText->setText(Text); }

}  // namespace quellix::app
