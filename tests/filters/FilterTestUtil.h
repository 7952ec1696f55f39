// Helpers shared by the filter tests: a filer that writes and reads the
// extra "Floats" property, and test signals.
#pragma once

#include <QMap>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/NumberFormat.h"

namespace filtertest {

// Collects the text of every extra property when writing; feeds stored
// texts back by name when reading.
class TTextFiler : public quellix::TFiler {
public:
  explicit TTextFiler(bool Reading) : FReading(Reading) {}
  QMap<QString, QString> Texts;

  void DefineProperty(const QString& Name, const std::function<void(quellix::TReader&)>& ReadData,
                      const std::function<void(quellix::TWriter&)>& WriteData, bool HasData) override {
    if (FReading) {
      auto It = Texts.find(Name);
      if (It == Texts.end()) return;
      quellix::TReader Reader(*It);
      ReadData(Reader);
    } else if (HasData) {
      quellix::TWriter Writer;
      WriteData(Writer);
      Texts[Name] = Writer.Text();
    }
  }

private:
  bool FReading;
};

inline QString WriteFloats(quellix::TComponentCore& C) {
  TTextFiler Filer(false);
  C.DefineProperties(Filer);
  return Filer.Texts.value(QStringLiteral("Floats"));
}

inline void ReadFloats(quellix::TComponentCore& C, const QString& Text) {
  TTextFiler Filer(true);
  Filer.Texts[QStringLiteral("Floats")] = Text;
  C.DefineProperties(Filer);
}

// Deterministic noise in [-1, 1).
inline std::vector<float> Noise(int Count, std::uint32_t Seed = 1) {
  quellix::SetRandSeed(Seed);
  std::vector<float> V(Count);
  for (float& X : V) X = static_cast<float>(2 * quellix::Random() - 1);
  return V;
}

// Filters Signal in one call and in pieces of the given lengths (the rest
// in a last piece) with two fresh filters; returns both outputs.
template <class TFilterClass, class Setup>
std::pair<std::vector<float>, std::vector<float>> WholeAndSplit(const std::vector<float>& Signal,
                                                                std::vector<int> Pieces, Setup Configure) {
  TFilterClass A(nullptr), B(nullptr);
  Configure(A);
  Configure(B);
  std::vector<float> Whole = Signal, Split = Signal;
  A.Filter(Whole.data(), static_cast<int>(Whole.size()));
  int Done = 0;
  for (int P : Pieces) {
    B.Filter(Split.data() + Done, P);
    Done += P;
  }
  B.Filter(Split.data() + Done, static_cast<int>(Split.size()) - Done);
  return {Whole, Split};
}

}  // namespace filtertest
