#include "quellix/filters/FIRFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "quellix/host/NumberFormat.h"

namespace quellix::Firfilt {

namespace {

// Filter works through long blocks in chunks of this many samples, so that
// its work area has a fixed size and the loop never allocates.
constexpr Integer ChunkSize = 4096;

QString RangeMessage() { return QStringLiteral("Die Anzahl der Koeffizienten muß zwischen 1 und 512 betragen"); }

using V4f = float __attribute__((vector_size(16)));
using V4d = double __attribute__((vector_size(32)));

// Out[i] = sum over k = 0 .. N-1 of C[k]*In[i-k], accumulated from k = 0 up
// and rounded to Single after each step: acc = Single(In[i-k]*C[k] + acc).
// In holds the input widened to Double; In[-N+1 .. -1] are the samples
// before the block. Each output is its own chain of roundings, so the
// outputs run side by side in groups of four lanes, eight groups at a time
// to cover the latency of the chain. Every lane does exactly the arithmetic
// of the scalar loop, so all paths give the same result. Built once for
// AVX and once for the baseline; the loader picks the one the CPU runs.
template <int Groups>
inline void ConvolveGroups(const Double* In, const Single* C, Integer N, Single* Out) {
  V4f A[Groups] = {};
  for (Integer k = 0; k < N; ++k) {
    const Double Ck = C[k];
    const Double* P = In - k;
    for (int g = 0; g < Groups; ++g) {
      V4d X;
      std::memcpy(&X, P + 4 * g, sizeof X);
      A[g] = __builtin_convertvector(X * Ck + __builtin_convertvector(A[g], V4d), V4f);
    }
  }
  std::memcpy(Out, A, sizeof A);
}

__attribute__((target_clones("avx", "default")))
void Convolve(const Double* In, const Single* C, Integer N, Single* Out, Integer Count) {
  Integer i = 0;
  for (; i + 32 <= Count; i += 32) ConvolveGroups<8>(In + i, C, N, Out + i);
  for (; i + 4 <= Count; i += 4) ConvolveGroups<1>(In + i, C, N, Out + i);
  for (; i < Count; ++i) {
    Single Acc = 0;
    for (Integer k = 0; k < N; ++k) Acc = static_cast<Single>(In[i - k] * C[k] + Acc);
    Out[i] = Acc;
  }
}

}  // namespace

TFIRFilter::TFIRFilter(TComponentCore* AOwner)
    : TFilterBase(AOwner, QStringLiteral("V2.10")) {
  // The identity filter.
  FCount = 1;
  FList.Add(QStringLiteral("1"));
  FCoefficients[0] = 1.0f;
  FWork.resize(MaxCoefficients + ChunkSize);
}

void TFIRFilter::Reset() {
  FHistory.fill(0);
  FPosition = 0;
}

void TFIRFilter::SetCoefficientNumber(Integer Value) {
  const TChangeScope Changes;
  if (Value == FCount || Value < 1 || Value > MaxCoefficients) return;
  if (Value > FCount) {
    for (Integer k = FCount; k < Value; ++k) {
      FList.Add(QStringLiteral("0"));
      FCoefficients[k] = 0;
    }
  } else {
    while (FList.Count() > Value) FList.Delete(FList.Count() - 1);
  }
  FCount = Value;
  Reset();
}

void TFIRFilter::TakeOver(const QStringList& Lines, const Single* Values, Integer Count, bool KeepHistory) {
  if (Count != FCount) {
    if (KeepHistory)
      ReLayHistory(Count);
    else
      Reset();
  }
  FCount = Count;
  FList.Clear();
  for (Integer k = 0; k < Count; ++k) {
    FCoefficients[k] = Values[k];
    FList.Add(Lines.at(k));
  }
}

void TFIRFilter::ReLayHistory(Integer Count) {
  // The sample of age a (0 the newest) lies at Slot(FPosition, a); in the
  // new ring the newest goes to the last place, so that the next sample
  // starts the ring over at place 1.
  const Integer Kept = std::min(FCount, Count);
  std::array<Single, MaxCoefficients> Ring{};
  for (Integer Age = 0; Age < Kept; ++Age) Ring[Kept - 1 - Age] = FHistory[Slot(FPosition, Age) - 1];
  FHistory = Ring;
  FPosition = Kept;
}

void TFIRFilter::SetCoefficientList(const TStringList& Value) { SetCoefficientStrings(Value.ToQStringList()); }

void TFIRFilter::SetCoefficientStrings(const QStringList& Value) {
  const TChangeScope Changes;
  const auto Count = Value.size();
  if (Count < 1 || Count > MaxCoefficients) throw ERangeError(RangeMessage());
  // The lines are converted one after the other; at a line that is not a
  // number the lines before it become the coefficient set and the
  // conversion error goes on to the caller.
  std::array<Single, MaxCoefficients> Values{};
  Integer Taken = 0;
  try {
    for (; Taken < Count; ++Taken) {
      const Single V = static_cast<Single>(StrToFloat(Value.at(Taken)));
      // A number beyond the Single range is no coefficient either.
      if (!std::isfinite(V))
        throw EConvertError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(Value.at(Taken)));
      Values[Taken] = V;
    }
  } catch (const EConvertError&) {
    if (Taken > 0) TakeOver(Value, Values.data(), Taken, false);
    throw;
  }
  TakeOver(Value, Values.data(), static_cast<Integer>(Count), false);
}

void TFIRFilter::SetCoefficients(Integer Count, const Single* Values) {
  if (Count < 1 || Count > MaxCoefficients) throw ERangeError(RangeMessage());
  if (!std::all_of(Values, Values + Count, [](Single V) { return std::isfinite(V); })) return;
  QStringList Lines;
  Lines.reserve(Count);
  for (Integer k = 0; k < Count; ++k) Lines << FloatToStr(Values[k]);
  TakeOver(Lines, Values, Count, true);
}

Integer TFIRFilter::Advance(Integer P, std::int64_t Steps) const {
  if (Steps <= 0) return P;
  const Integer First = P + 1 > FCount ? 1 : P + 1;
  return static_cast<Integer>((First - 1 + (Steps - 1)) % FCount) + 1;
}

Integer TFIRFilter::Slot(Integer P, Integer Age) const {
  const Integer N = FCount;
  return ((P - 1 - Age) % N + N) % N + 1;
}

// Ring position p := p + 1 (1 after N); h[p] := x; then
// acc := Single(h[j]*c[k] + acc) for k = 1 .. N with j running back from p.
Single TFIRFilter::FilterSample(Single X) {
  if (!std::isfinite(X)) return X;
  const Integer N = FCount;
  if (++FPosition > N) FPosition = 1;
  FHistory[FPosition - 1] = X;
  Single Acc = 0;
  Integer j = FPosition;
  for (Integer k = 0; k < N; ++k) {
    Acc = static_cast<Single>(FHistory[j - 1] * static_cast<Double>(FCoefficients[k]) + Acc);
    if (--j < 1) j = N;
  }
  return Acc;
}

// Same result as FilterSample on every sample (of a run of finite ones), but on a straight copy of
// the input behind the N most recent samples of the ring, so that the
// convolution can run on consecutive memory. The ring is rewritten at the
// end as FilterSample would have left it.
void TFIRFilter::Filter(Single* Data, Integer Count) {
  if (!Data || Count < 1) return;
  ForEachFiniteRun(Data, Count, [this](Single* D, Integer N) { FilterFinite(D, N); });
}

void TFIRFilter::FilterFinite(Single* Data, Integer Count) {
  const Integer N = FCount;
  const Integer First = Advance(FPosition, 1);
  for (Integer Age = 1; Age <= N; ++Age) FWork[N - Age] = FHistory[Slot(First, Age) - 1];
  for (Integer Done = 0; Done < Count;) {
    const Integer Len = std::min(ChunkSize, Count - Done);
    std::copy(Data + Done, Data + Done + Len, FWork.begin() + N);  // widened to Double
    Convolve(FWork.data() + N, FCoefficients.data(), N, Data + Done, Len);
    std::copy(FWork.begin() + Len, FWork.begin() + Len + N, FWork.begin());
    Done += Len;
  }
  const Integer Last = Advance(FPosition, Count);
  for (Integer Age = 0; Age < N; ++Age) FHistory[Slot(Last, Age) - 1] = static_cast<Single>(FWork[N - 1 - Age]);
  FPosition = Last;
}

// "Floats" = (SampleFrequency, CutoffFrequency, (c[1], ..., c[N])). The
// values are collected first and handed to SetCoefficients, so a list of
// no or more than 512 values raises the range error and leaves the
// coefficients as they were.
void TFIRFilter::DefineProperties(TFiler& Filer) {
  TFilterBase::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Floats"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        const Single Fs = static_cast<Single>(Reader.ReadFloat());
        const Single Fc = static_cast<Single>(Reader.ReadFloat());
        std::array<Single, MaxCoefficients> Values{};
        Integer Count = 0;
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
          const Single V = static_cast<Single>(Reader.ReadFloat());
          if (Count < MaxCoefficients) Values[Count] = V;
          if (Count <= MaxCoefficients) ++Count;
        }
        Reader.ReadListEnd();
        Reader.ReadListEnd();
        CheckStreamedFloats({Fs, Fc});
        for (Integer k = 0; k < std::min(Count, MaxCoefficients); ++k) CheckStreamedFloats({Values[k]});
        FSampleFrequency = Fs;
        FCutoffFrequency = Fc;
        SetCoefficients(Count, Values.data());
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        Writer.WriteFloat(FSampleFrequency);
        Writer.WriteFloat(FCutoffFrequency);
        Writer.WriteListBegin();
        for (Integer k = 0; k < FCount; ++k) Writer.WriteFloat(FCoefficients[k]);
        Writer.WriteListEnd();
        Writer.WriteListEnd();
      },
      true);
}

}  // namespace quellix::Firfilt
