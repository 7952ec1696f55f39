// Test access to the extra streamed list properties ("Range", "Floats",
// "Series") that a component declares through DefineProperties.
#pragma once

#include <QString>
#include <functional>

#include "quellix/host/Component.h"

namespace quellix::testsupport {

// Captures the reader, the writer and the has-data flag of one named
// extra property.
class TExtraPropertyFiler : public TFiler {
public:
  explicit TExtraPropertyFiler(QString Name) : FName(std::move(Name)) {}
  void DefineProperty(const QString& Name, const std::function<void(TReader&)>& ReadData,
                      const std::function<void(TWriter&)>& WriteData, bool HasData) override {
    if (Name != FName) return;
    Read = ReadData;
    Write = WriteData;
    Has = HasData;
  }
  std::function<void(TReader&)> Read;
  std::function<void(TWriter&)> Write;
  bool Has = false;

private:
  QString FName;
};

// The list text the component writes for the property.
inline QString WriteExtra(TComponentCore& C, const QString& Name) {
  TExtraPropertyFiler F(Name);
  C.DefineProperties(F);
  TWriter W;
  if (F.Write) F.Write(W);
  return W.Text();
}

// Reads Text back into the component as the property's list.
inline void ReadExtra(TComponentCore& C, const QString& Name, const QString& Text) {
  TExtraPropertyFiler F(Name);
  C.DefineProperties(F);
  TReader R(Text);
  if (F.Read) F.Read(R);
}

}  // namespace quellix::testsupport
