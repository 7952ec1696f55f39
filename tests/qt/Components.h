// Every component of the library, created by name: the tables of the Qt
// surface tests run over all of them.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"

namespace quellix::test {

struct TComponentMaker {
  QString Name;
  bool Visual;
  std::function<TComponentCore*()> Make;
};

const std::vector<TComponentMaker>& AllComponents();

}  // namespace quellix::test
