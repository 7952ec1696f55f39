#include "quellix/filters/IIRFilter.h"

#include <cmath>
#include <numbers>

namespace quellix::IIRFilt {

namespace {

using THistory = std::array<std::array<Single, TIIRFilter::HistoryDepth>, TIIRFilter::MaxSections + 1>;

inline Double S(Double X) { return static_cast<Single>(X); }

// Cascade of N second-order sections, each
//   v = g*(u[0] + Sign*u[1] + u[2])            (Single)
//   y[0] = v - c1*y[1] - c2*y[2]               (Single)
// with Sign = 2 for the low-pass and -2 for the high-pass; u are the values
// of the stage before, y those of the section's own stage. The history is
// held in registers for the block and written back at its end.
template <int N, int Sign>
void RunSecondOrder(THistory& H, const std::array<TIirSection, TIIRFilter::MaxSections>& C, Single* Data,
                    Integer Count) {
  Double G[N], C1[N], C2[N];
  for (int s = 0; s < N; ++s) {
    G[s] = C[s].g;
    C1[s] = C[s].c1;
    C2[s] = C[s].c2;
  }
  Double P1[N + 1], P2[N + 1];  // one and two samples ago, per stage
  for (int k = 0; k <= N; ++k) {
    P1[k] = H[k][0];
    P2[k] = H[k][1];
  }
  for (Integer i = 0; i < Count; ++i) {
    Double U0 = Data[i];
    for (int s = 0; s < N; ++s) {
      const Double V = S(G[s] * (U0 + Double(Sign) * P1[s] + P2[s]));
      const Double Y0 = S(V - C1[s] * P1[s + 1] - C2[s] * P2[s + 1]);
      P2[s] = P1[s];
      P1[s] = U0;
      U0 = Y0;
    }
    P2[N] = P1[N];
    P1[N] = U0;
    Data[i] = static_cast<Single>(U0);
  }
  for (int k = 0; k <= N; ++k) {
    H[k][0] = static_cast<Single>(P1[k]);
    H[k][1] = static_cast<Single>(P2[k]);
  }
}

// The second-order kernel keeps two past values per stage; the band-pass
// looks four back. So that a change of FilterOutput continues on the true
// history, the values three and four samples old are brought up to date
// too: they are the one and two samples old of two samples before the end.
template <int N, int Sign>
void RunLowHigh(THistory& H, const std::array<TIirSection, TIIRFilter::MaxSections>& C, Single* Data,
                Integer Count) {
  Single Old1[N + 1], Old2[N + 1];
  if (Count >= 2) {
    RunSecondOrder<N, Sign>(H, C, Data, Count - 2);
    for (int k = 0; k <= N; ++k) {
      Old1[k] = H[k][0];
      Old2[k] = H[k][1];
    }
    RunSecondOrder<N, Sign>(H, C, Data + Count - 2, 2);
  } else {
    for (int k = 0; k <= N; ++k) {
      Old1[k] = H[k][1];
      Old2[k] = H[k][2];
    }
    RunSecondOrder<N, Sign>(H, C, Data, Count);
  }
  for (int k = 0; k <= N; ++k) {
    H[k][2] = Old1[k];
    H[k][3] = Old2[k];
  }
}

// Cascade of N fourth-order band-pass sections, each
//   v = g*(u[0] - 2*u[2] + u[4])                               (Single)
//   y[0] = v - c1*y[1] - c2*y[2] - c3*y[3] - c4*y[4]           (Single)
template <int N>
void RunBandPass(THistory& H, const std::array<TIirSection, TIIRFilter::MaxSections>& C, Single* Data,
                 Integer Count) {
  Double G[N], C1[N], C2[N], C3[N], C4[N];
  for (int s = 0; s < N; ++s) {
    G[s] = C[s].g;
    C1[s] = C[s].c1;
    C2[s] = C[s].c2;
    C3[s] = C[s].c3;
    C4[s] = C[s].c4;
  }
  Double P[N + 1][4];
  for (int k = 0; k <= N; ++k)
    for (int j = 0; j < 4; ++j) P[k][j] = H[k][j];
  for (Integer i = 0; i < Count; ++i) {
    Double U0 = Data[i];
    for (int s = 0; s < N; ++s) {
      const Double* U = P[s];
      const Double* Y = P[s + 1];
      const Double V = S(G[s] * (U0 - 2.0 * U[1] + U[3]));
      const Double Y0 = S(V - C1[s] * Y[0] - C2[s] * Y[1] - C3[s] * Y[2] - C4[s] * Y[3]);
      P[s][3] = P[s][2];
      P[s][2] = P[s][1];
      P[s][1] = P[s][0];
      P[s][0] = U0;
      U0 = Y0;
    }
    P[N][3] = P[N][2];
    P[N][2] = P[N][1];
    P[N][1] = P[N][0];
    P[N][0] = U0;
    Data[i] = static_cast<Single>(U0);
  }
  for (int k = 0; k <= N; ++k)
    for (int j = 0; j < 4; ++j) H[k][j] = static_cast<Single>(P[k][j]);
}

template <int N>
void Run(THistory& H, const std::array<TIirSection, TIIRFilter::MaxSections>& C, TIirFilterOutput Output,
         Single* Data, Integer Count) {
  switch (Output) {
    case iirLowPass: RunLowHigh<N, 2>(H, C, Data, Count); break;
    case iirHighPass: RunLowHigh<N, -2>(H, C, Data, Count); break;
    case iirBandPass: RunBandPass<N>(H, C, Data, Count); break;
  }
}

bool ValidOutput(std::int64_t Value) { return Value >= iirLowPass && Value <= iirHighPass; }

}  // namespace

TIIRFilter::TIIRFilter(TComponentCore* AOwner)
    : TFilterBase(AOwner, QStringLiteral("V2.1")) {
  Reset();
  Design();
}

// Bilinear transform with pre-warping of the Butterworth prototype of order
// 2n, whose left-half-plane poles lie at the angles
//   phi_s = (2(n+s) - 1)*pi / (4n),  s = 1 .. n.
// With T = tan(pi*F/Fs) and C = cos(phi_s), each low-pass/high-pass section:
//   d = 1/(T^2 + 1 - 2TC),  c1 = 2(T^2 - 1)d,  c2 = (T^2 + 1 + 2TC)d,
//   g = T^2 d (low-pass) or d (high-pass).
// The band-pass maps each pole pair through the low-pass to band-pass
// transform between T1 and T2 into one fourth-order section.
// Tangents, cosines and the marked intermediate values are rounded to Single.
void TIIRFilter::Design() {
  const Extended Pi = std::numbers::pi_v<long double>;
  auto Tan = [](Extended X) -> Extended { return static_cast<Single>(std::sin(X) / std::cos(X)); };
  const int n = FSections;
  const Extended T1 = Tan(Pi * FCutoffFrequency / FSampleFrequency);
  FCoefficients = {};
  if (FFilterOutput == iirBandPass) {
    const Extended T2 = Tan(Pi * FCutoffHighFrequency / FSampleFrequency);
    const Extended B = static_cast<Single>(T2 - T1);
    const Extended P = static_cast<Single>(B * B + 2 * T1 * T2);
    const Extended Q = static_cast<Single>(T2 * T2 * T1 * T1);
    for (int s = 1; s <= n; ++s) {
      const Extended Cs = static_cast<Single>(std::cos((2 * (n + s) - 1) * Pi / (4 * n)));
      const Extended e = static_cast<Single>(-2 * B * Cs);
      const Extended f = static_cast<Single>(e * T1 * T2);
      const Extended a0 = static_cast<Single>(1 + e + P + f + Q);
      TIirSection& Sec = FCoefficients[s - 1];
      Sec.g = static_cast<Single>(B * B / a0);
      Sec.c1 = static_cast<Single>((-4 - 2 * e + 2 * f + 4 * Q) / a0);
      Sec.c2 = static_cast<Single>((6 - 2 * P + 6 * Q) / a0);
      Sec.c3 = static_cast<Single>((2 * e - 4 - 2 * f + 4 * Q) / a0);
      Sec.c4 = static_cast<Single>((1 - e + P - f + Q) / a0);
    }
  } else {
    const Extended T1Sq = T1 * T1;
    for (int s = 1; s <= n; ++s) {
      const Extended Cs = static_cast<Single>(std::cos((2 * (n + s) - 1) * Pi / (4 * n)));
      const Extended b = 2 * T1 * Cs;
      const Extended d = static_cast<Single>(1 / (T1Sq + 1 - b));
      TIirSection& Sec = FCoefficients[s - 1];
      Sec.c1 = static_cast<Single>(2 * (T1Sq - 1) * d);
      Sec.c2 = static_cast<Single>((T1Sq + 1 + b) * d);
      Sec.g = static_cast<Single>(FFilterOutput == iirLowPass ? T1Sq * d : d);
    }
  }
}

void TIIRFilter::SetCutoffHighFrequency(Single Value) {
  const TChangeScope Changes;
  if (!AcceptsFrequency(Value) || Value == FCutoffHighFrequency) return;
  FCutoffHighFrequency = Value;
  Design();
}

// Odd orders are rounded down to the next even one.
void TIIRFilter::SetOrder(Integer Value) {
  const TChangeScope Changes;
  if (Value == FOrder || Value < 2 || Value > 10) return;
  FOrder = Value / 2 * 2;
  FSections = FOrder / 2;
  Design();
}

// Redesigns also when the value is unchanged; values outside the
// enumeration are ignored.
void TIIRFilter::SetFilterOutput(TIirFilterOutput Value) {
  const TChangeScope Changes;
  if (!ValidOutput(Value)) return;
  FFilterOutput = Value;
  Design();
}

void TIIRFilter::Reset() {
  for (auto& Stage : FHistory) Stage.fill(0);
}

void TIIRFilter::Filter(Single* Data, Integer Count) {
  if (!Data || Count < 1) return;
  ForEachFiniteRun(Data, Count, [this](Single* D, Integer N) {
    switch (FSections) {
      case 1: Run<1>(FHistory, FCoefficients, FFilterOutput, D, N); break;
      case 2: Run<2>(FHistory, FCoefficients, FFilterOutput, D, N); break;
      case 3: Run<3>(FHistory, FCoefficients, FFilterOutput, D, N); break;
      case 4: Run<4>(FHistory, FCoefficients, FFilterOutput, D, N); break;
      case 5: Run<5>(FHistory, FCoefficients, FFilterOutput, D, N); break;
    }
  });
}

// "Floats" = (SampleFrequency, CutoffFrequency, CutoffHighFrequency, Order,
// FilterOutput). The frequencies are taken over without the setters'
// checks; an order outside 2 .. 10, an unknown output type or a frequency
// that is not a finite number cannot be run and is refused as a stream
// error, leaving the filter as it was.
void TIIRFilter::DefineProperties(TFiler& Filer) {
  TFilterBase::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Floats"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        const Single Fs = static_cast<Single>(Reader.ReadFloat());
        const Single F1 = static_cast<Single>(Reader.ReadFloat());
        const Single F2 = static_cast<Single>(Reader.ReadFloat());
        const std::int64_t Ord = Reader.ReadInteger();
        const std::int64_t Output = Reader.ReadInteger();
        Reader.ReadListEnd();
        if (Ord < 2 || Ord > 10 || !ValidOutput(Output))
          throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: Floats"));
        CheckStreamedFloats({Fs, F1, F2});
        FSampleFrequency = Fs;
        FCutoffFrequency = F1;
        FCutoffHighFrequency = F2;
        FOrder = static_cast<Integer>(Ord / 2 * 2);
        FSections = FOrder / 2;
        FFilterOutput = static_cast<TIirFilterOutput>(Output);
        Design();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        Writer.WriteFloat(FSampleFrequency);
        Writer.WriteFloat(FCutoffFrequency);
        Writer.WriteFloat(FCutoffHighFrequency);
        Writer.WriteInteger(FOrder);
        Writer.WriteInteger(FFilterOutput);
        Writer.WriteListEnd();
      },
      true);
}

}  // namespace quellix::IIRFilt
