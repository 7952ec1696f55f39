#include "quellix/app/AudioWindow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "quellix/measure/WaveInput.h"

namespace quellix::AudioIn_Unit {

using namespace audioin;

TAudio_Demo::TAudio_Demo(TComponentCore* AOwner) : TDemoWindow(QStringLiteral("TAudio_Demo"), tr("Audio Library"), AOwner) {
  SetTitle(QStringLiteral("Audio Library"));
  SetExplanation(tr(
      "TAudioIn liefert die Abtastwerte des Audio-Eingangs als Messdaten. THistograph (AutoConfig) stellt jeden "
      "Block beider Kanäle sofort dar, TDataEvent reicht denselben Block an die Anwendung weiter.\n"
      "Ohne Soundkarte zeichnet „Play“ den eingebauten Testsignal-Generator (Sinus 440 Hz) auf."));

  auto* Layout = new QVBoxLayout(ClientArea());
  Layout->setContentsMargins(0, 0, 0, 0);

  Histograph1 = new Histo::THistograph(this, ClientArea());
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetAutoConfig(true);
  // Two channels: left blue, right red; the colours are kept when the
  // source sets the number of series.
  Histograph1->SetSeriesNumber(2);
  Histograph1->SetSeriesCurrent(1);
  Histograph1->SetSeriesColor(clBlue);
  Histograph1->SetSeriesCurrent(2);
  Histograph1->SetSeriesColor(clRed);
  Histograph1->SetSeriesCurrent(1);
  // Four value intervals over the source's −1 … +1, five time intervals
  // over one block; the source's description sets the numbers.
  Histograph1->SetViewYMin(-1);
  Histograph1->SetViewYMax(1);
  Histograph1->SetViewYGap(0.5f);
  Histograph1->SetViewXDecimals(4);
  Histograph1->SetGridVisible(HistoInt::grdBoth);
  Histograph1->SetGridColor(clSilver);
  Histograph1->SetBkColor(clWhite);
  Histograph1->SetTitleTop(tr("Audio-Eingang, linker (blau) und rechter (rot) Kanal"));
  Histograph1->SetTitleBottom(tr("Zeit [s]"));
  Layout->addWidget(Histograph1, 1);

  DataEvent1 = new dataevent::TDataEvent(this);
  DataEvent1->SetName(QStringLiteral("DataEvent1"));
  DataEvent1->OnData = [this](TObject* Sender, TDescArraySingle& Data) { DataEvent1Data(Sender, Data); };

  AudioIn1 = new TAudioIn(this);
  AudioIn1->SetName(QStringLiteral("AudioIn1"));
  // The histograph first: every block is drawn before the data event sees it.
  Histograph1->SetMeasureSource(AudioIn1);
  DataEvent1->SetMeasureSource(AudioIn1);

  auto* Row = new QHBoxLayout();
  Play = new QPushButton(QStringLiteral("&Play"), ClientArea());
  Play->setObjectName(QStringLiteral("Play"));
  Stop = new QPushButton(QStringLiteral("&Stop"), ClientArea());
  Stop->setObjectName(QStringLiteral("Stop"));
  Stop->setEnabled(false);
  SourceLabel = new QLabel(ClientArea());
  SourceLabel->setObjectName(QStringLiteral("SourceLabel"));
  SourceLabel->setText(tr("Eingang: ") + InputName());
  Row->addWidget(Play);
  Row->addWidget(Stop);
  Row->addSpacing(12);
  Row->addWidget(SourceLabel, 1);
  Layout->addLayout(Row);
  ErrorLabel = new QLabel(ClientArea());
  ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
  ErrorLabel->setStyleSheet(QStringLiteral("color: red"));
  ErrorLabel->setWordWrap(true);
  ErrorLabel->hide();
  Layout->addWidget(ErrorLabel);
  AudioIn1->OnError = [this](TObject* Sender, const QString& Message) { AudioIn1Error(Sender, Message); };

  connect(Play, &QPushButton::clicked, this, [this] { PlayClick(); });
  connect(Stop, &QPushButton::clicked, this, [this] { StopClick(); });
  OnCloseButton = [this] { BitBtn1Click(); };
  // Escape or the title bar close the window too; a recording must not go
  // on behind a hidden window.
  OnHide = [this](TObject*) {
    if (Stop->isEnabled()) StopClick();
  };
}

TAudio_Demo::~TAudio_Demo() {
  // The source hands its last buffers to the sinks when it goes; by then
  // this window's handlers must no longer run.
  OnHide = nullptr;
  DataEvent1->OnData = nullptr;
  AudioIn1->OnError = nullptr;
  delete AudioIn1;
  AudioIn1 = nullptr;
}

QString TAudio_Demo::InputName() {
  QString Name;
  WaveIn::GetDevName(0, Name);
  return Name;
}

void TAudio_Demo::ShowError(const Exception& E) { MessageDlg(E.Message(), mtError, mbOK); }

void TAudio_Demo::PlayClick() {
  FStarted = true;
  // Without any input the window goes; the start below then reports why.
  if (WaveIn::GetNumDevs() == 0) Close();
  ErrorLabel->clear();
  ErrorLabel->hide();
  try {
    const QString Name = InputName();
    SourceLabel->setText(tr("Eingang: ") + Name);
    AudioIn1->SetDevice(Name);
    AudioIn1->SetClockFrequency(taf_22050);
    AudioIn1->SetMode(tam_Stereo);
    AudioIn1->Start();
  } catch (const Exception& E) {
    // Not recording: the buttons stay as they are.
    ShowError(E);
    return;
  }
  Play->setEnabled(false);
  Stop->setEnabled(true);
}

void TAudio_Demo::StopClick() {
  Stop->setEnabled(false);
  try {
    AudioIn1->Stop();
  } catch (const Exception& E) {
    ShowError(E);
  }
  // Recording has ended either way, so it can be started again.
  Play->setEnabled(true);
}

void TAudio_Demo::BitBtn1Click() {
  if (FStarted) StopClick();
}

void TAudio_Demo::AudioIn1Error(TObject*, const QString& Message) {
  ErrorLabel->setText(Message);
  ErrorLabel->show();
  if (Stop->isEnabled() && !AudioIn1->Recording()) {
    Stop->setEnabled(false);
    Play->setEnabled(true);
  }
}

void TAudio_Demo::DataEvent1Data(TObject*, TDescArraySingle&) {
  // Lets the window handle its pending messages (buttons, repaints) once
  // per block, so that it stays responsive while blocks keep coming.
  // Processing messages may hand the next block to the sinks within this
  // call; that block does not process messages again, so a backlog of
  // blocks nests one level deep instead of once per block.
  if (FProcessingMessages) return;
  FProcessingMessages = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FProcessingMessages};
  ProcessMessages();
}

}  // namespace quellix::AudioIn_Unit
