// quellix-soak SECONDS: the demonstration program with every window open
// at once and every animation started (timers, the audio window's
// recording from the test signal, the histographs' figures), for SECONDS.
// Samples the resident memory every 10 s and prints it, then
//   FIGURE soak.rss_growth <MB> MB ratio <growth/1MB> vs 1MB
// The growth is the last sample less the one taken once start-up has
// settled (after a quarter of the run, at most after 60 s).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "quellix/app/Application.h"

namespace {

double ResidentMB() {
  QFile F(QStringLiteral("/proc/self/statm"));
  if (!F.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> Fields = F.readAll().split(' ');
  if (Fields.size() < 2) return 0;
  return Fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  const int Seconds = argc > 1 ? std::max(20, atoi(argv[1])) : 3600;
  quellix::app::TDemoApplication Demo;
  Demo.CreateForms();
  Demo.MainForm()->show();
  // Every window shown beside the others (not modally): their OnShow
  // handlers start their timers; the buttons that start an animation are
  // pressed.
  const QStringList StartButtons = {QStringLiteral("&Play"), QStringLiteral("&Start"),
                                    QStringLiteral("&Neue Figur")};
  for (quellix::TForm* Form : Demo.Forms()) {
    if (static_cast<QWidget*>(Form) == static_cast<QWidget*>(Demo.MainForm())) continue;
    Form->show();
    for (QPushButton* B : Form->findChildren<QPushButton*>())
      if (StartButtons.contains(B->text())) B->click();
  }

  const int Settle = std::min(60, Seconds / 4);
  std::vector<double> Samples;
  double Baseline = -1;
  QElapsedTimer Clock;
  Clock.start();
  QTimer Sampler;
  QObject::connect(&Sampler, &QTimer::timeout, [&] {
    const double Rss = ResidentMB();
    const qint64 Elapsed = Clock.elapsed() / 1000;
    Samples.push_back(Rss);
    std::printf("soak %5llds rss %.1f MB\n", static_cast<long long>(Elapsed), Rss);
    std::fflush(stdout);
    if (Baseline < 0 && Elapsed >= Settle) Baseline = Rss;
    if (Elapsed >= Seconds) App.quit();
  });
  Sampler.start(10000);
  App.exec();
  if (Baseline < 0 || Samples.empty()) {
    std::printf("soak: ended before a baseline was taken\n");
    return 1;
  }
  const double Growth = Samples.back() - Baseline;
  std::printf("FIGURE soak.rss_growth %.2f MB ratio %.2f vs 1MB\n", Growth, Growth / 1.0);
  return Growth > 1.0 ? 2 : 0;
}
