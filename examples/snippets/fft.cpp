// The spectrum of a sampled tone: 1024 samples of a 50 Hz sine at
// 1000 samples per second, Hanning window, magnitudes of 512 bins.
#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <quellix/analysis/FFT.h>

using namespace quellix::FFT;

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  TFFT Fft;
  Fft.SetExponent(9);  // complex transform of 2^9 = 512 points
  Fft.SetLeakFunction(wnHanning);

  // A real signal of 2 x Size samples gives Size bins of 1000 / 1024 Hz.
  TVector* Signal = Fft.NewVector(2 * Fft.Size());
  for (int t = 0; t < Signal->Count(); ++t)
    (*Signal)[t] = static_cast<float>(std::sin(2 * std::numbers::pi * 50 * t / 1000.0));
  TComplexVector* Spectrum = Fft.NewComplexVector(Fft.Size());
  Fft.RealSpectrum(Signal, Spectrum, false);  // magnitudes in Re

  int Peak = 1;
  for (int k = 1; k < Spectrum->Count(); ++k)
    if ((*Spectrum->Re())[k] > (*Spectrum->Re())[Peak]) Peak = k;
  const double Hz = Peak * 1000.0 / Signal->Count();
  std::printf("strongest bin %d: %.1f Hz\n", Peak, Hz);  // bin 51: 49.8 Hz
  return std::abs(Hz - 50) < 1 ? 0 : 1;
}
