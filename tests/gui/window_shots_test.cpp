#include <gtest/gtest.h>

#include <QImage>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QRadioButton>
#include <cstdlib>

#include "gui/app/about_dialog.h"
#include "gui/app/help_window.h"
#include "gui/app/main_window.h"
#include "gui/osfiles/load_os_files_dialog.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui_test_support.h"

namespace zentavour::testing {
namespace {

// Renders each window as the user first sees it. The pictures go to ZENTAVOUR_SHOT_DIR when it
// is set, for a look by eye; the checks catch a window that renders empty or squashed.
class WindowShots : public ::testing::Test {
 protected:
  QImage shoot(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QImage image = widget.grab().toImage();
    if (const char* dir = std::getenv("ZENTAVOUR_SHOT_DIR")) {
      image.save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
    return image;
  }

  static int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
      for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
  }

  GuiHarness app;
};

TEST_F(WindowShots, EveryWindowRendersAtAboutItsSize) {
  MainWindow window(app.state);
  window.createOsDataPanel();
  const QImage main = shoot(window, "main_window");
  EXPECT_GT(DistinctColours(main), 20);

  const QImage panelClosed = shoot(*window.osDataPanelWindow(), "panel_no_set");
  // About 111 x 158 dialog units.
  EXPECT_GE(panelClosed.width(), 160);
  EXPECT_LE(panelClosed.width(), 260);
  EXPECT_GE(panelClosed.height(), 230);
  EXPECT_LE(panelClosed.height(), 360);
  for (WorkstationModel model : {WorkstationModel::Orvane, WorkstationModel::OrvaneMi,
                                 WorkstationModel::Ossik, WorkstationModel::OrvaneSalone}) {
    window.osDataPanel()->showState(model);
    const QImage open =
        shoot(*window.osDataPanelWindow(), QString("panel_model%1").arg(ModelCode(model)));
    EXPECT_NE(open, panelClosed);
  }

  AboutDialog about(&window);
  const QImage aboutImage = shoot(about, "about");
  EXPECT_GE(aboutImage.width(), 600);
  EXPECT_GT(DistinctColours(aboutImage), 50);  // the title picture is drawn
  about.close();

  LoadOsFilesDialog load(app.state, &window);
  for (WorkstationModel model : {WorkstationModel::Orvane, WorkstationModel::OrvaneMi,
                                 WorkstationModel::OrvaneSalone, WorkstationModel::Ossik}) {
    load.radioButton(model)->click();
    const QImage image = shoot(load, QString("load_os_files_model%1").arg(ModelCode(model)));
    EXPECT_GE(image.width(), 450);
  }
  load.reject();

  HelpWindow help(&window);
  help.showContents();
  EXPECT_GT(DistinctColours(shoot(help, "help_contents")), 10);
}

}  // namespace
}  // namespace zentavour::testing
