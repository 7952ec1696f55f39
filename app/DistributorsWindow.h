// The distributors and developer window: a page control with one tab for
// each of the two distributors and one for the developer group, each with
// name, postal address, telephone, fax, online contact and a picture of
// the building. All names and numbers are placeholders of this program.
#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <QTabWidget>
#include <vector>

#include "quellix/app/DemoWindow.h"

namespace quellix::Hersteller_Unit {

enum TBuilding { bdWarehouse, bdShop, bdOffice };

// One tab of the page control.
struct TContact {
  QString TabCaption;
  QString Role;  // "Vertrieb" or "Entwicklung"
  QString Name;
  QString Street;
  QString PostalCode;
  QString City;
  QString Telephone;
  QString Fax;
  QString EMail;
  QString Web;
  TBuilding Building;
};

// The three contacts in tab order: two distributors, then the developer.
const std::vector<TContact>& Contacts();

// A building icon: a warehouse, a shop with a sign, or an office block.
QImage DrawBuildingPicture(TBuilding Building, int Width, int Height);

class THersteller_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit THersteller_Demo(TComponentCore* AOwner = nullptr);

  QTabWidget* PageControl1;
  // The value labels of each tab, by field name ("Name", "Telefon", …).
  QLabel* Field(int Tab, const QString& FieldName) const;

private:
  QWidget* MakeSheet(const TContact& C);
};

}  // namespace quellix::Hersteller_Unit
