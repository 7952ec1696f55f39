// The histograph's export: its series as CSV and its picture.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/ChartExport.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

QString SeriesCsv(const THistographInt& H) {
  QString Out;
  QTextStream O(&Out);
  H.WriteSeriesCsv(O);
  O.flush();
  return Out;
}

}  // namespace

TEST(HistoExport, SeriesCsvHasEveryPointWithItsXAsDrawn) {
  THistographInt H;
  H.SetSeriesNumber(5);
  H.SetViewXNominalMin(0);
  H.SetViewXNominalMax(10);
  const Single Yt[] = {1.5f, -2.25f, 0.1f};
  const Single Xy[] = {0.5f, 7, 2, -1};
  const Single One[] = {4};
  H.SetData(Yt, 3, 1);
  H.SetSeriesCurrent(3);
  H.SetSeriesStyle(dtDataXY);
  H.SetDataXY(Xy, 2, 3);
  H.SetData(One, 1, 5);
  EXPECT_EQ(SeriesCsv(H),
            "series,kind,index,x,y\n"
            "1,data,1,0,1.5\n"
            "1,data,2,5,-2.25\n"
            "1,data,3,10,0.100000001\n"
            "3,xy,1,0.5,7\n"
            "3,xy,2,2,-1\n"
            "5,data,1,0,4\n");
}

TEST(HistoExport, PictureAndContextMenu) {
  QTemporaryDir Dir;
  THistographInt H;
  H.SetBounds(0, 0, 300, 200);
  const Single Yt[] = {1, 3, 2};
  H.SetData(Yt, 3, 1);
  ASSERT_TRUE(H.SavePicture(Dir.filePath("h.png")));
  EXPECT_EQ(QImage(Dir.filePath("h.png")).size(), QSize(300, 200));
  ASSERT_TRUE(H.SavePicture(Dir.filePath("h.svg")));
  EXPECT_GT(QFileInfo(Dir.filePath("h.svg")).size(), 100);

  SetSaveFileQuery([&](QWidget*, const QString&, const QString&) { return Dir.filePath("menu.csv"); });
  std::unique_ptr<QMenu> Menu(H.NewExportMenu());
  Menu->actions().at(1)->trigger();
  SetSaveFileQuery(nullptr);
  QFile F(Dir.filePath("menu.csv"));
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(F.readAll()), SeriesCsv(H));
}
