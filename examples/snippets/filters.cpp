// A 4th-order Butterworth low-pass at 100 Hz keeps a 20 Hz tone and
// removes a 400 Hz one (1000 samples per second).
#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include <quellix/filters/IIRFilter.h>

using namespace quellix;

// Peak of the second half, after the filter has settled.
float Peak(const std::vector<float>& X) {
  float P = 0;
  for (std::size_t i = X.size() / 2; i < X.size(); ++i) P = std::max(P, std::abs(X[i]));
  return P;
}

std::vector<float> Tone(double Hz) {
  std::vector<float> X(2000);
  for (std::size_t t = 0; t < X.size(); ++t) X[t] = static_cast<float>(std::sin(2 * std::numbers::pi * Hz * t / 1000));
  return X;
}

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  IIRFilt::TIIRFilter Lowpass;
  Lowpass.SetSampleFrequency(1000);
  Lowpass.SetCutoffFrequency(100);
  Lowpass.SetOrder(4);

  std::vector<float> Low = Tone(20), High = Tone(400);
  Lowpass.Filter(Low.data(), static_cast<Integer>(Low.size()));  // in place
  Lowpass.Reset();  // the history would carry over into the next signal
  Lowpass.Filter(High.data(), static_cast<Integer>(High.size()));
  std::printf("20 Hz keeps %.3f of its amplitude, 400 Hz keeps %.4f\n", Peak(Low), Peak(High));
  return Peak(Low) > 0.95f && Peak(High) < 0.01f ? 0 : 1;
}
