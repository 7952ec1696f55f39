// The components the Designer plugin offers: class name, header, group
// and how to create one.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace quellix::designer {

struct TWidgetEntry {
  QString ClassName;  // with its namespace, as uic writes it
  QString Header;     // as a program includes it
  QString Group;
  QString ToolTip;
  std::function<QWidget*(QWidget* Parent)> Create;
};

const std::vector<TWidgetEntry>& Widgets();

}  // namespace quellix::designer
