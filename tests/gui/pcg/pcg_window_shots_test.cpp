#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "gui/pcg/bank_list.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/program_edit_dialog.h"
#include "gui/pcg/transfer_gm_dialog.h"
#include "pcg_test_support.h"

namespace zentavour::testing {
namespace {

// Renders every PCG window as the user sees it. With ZENTAVOUR_SHOT_DIR set the pictures are
// saved there for a look by eye; the checks catch a window that comes out empty or cramped.
class PcgWindowShots : public ::testing::Test {
 protected:
  QImage shoot(QWidget* widget, const QString& name) {
    widget->show();
    QApplication::processEvents();
    const QImage image = widget->grab().toImage();
    if (const char* dir = std::getenv("ZENTAVOUR_SHOT_DIR")) {
      image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name + ".png"));
    }
    return image;
  }

  // Every widget lies wholly inside its window, and the list shows all 128 names.
  static void ExpectTidy(QWidget* window) {
    const QRect inside = window->rect();
    for (QWidget* child : window->findChildren<QWidget*>()) {
      if (!child->isVisibleTo(window) || child->isWindow()) continue;
      const QRect rect(child->mapTo(window, QPoint(0, 0)), child->size());
      EXPECT_TRUE(inside.contains(rect)) << child->objectName().toStdString();
    }
    for (BankList* list : window->findChildren<BankList*>()) {
      if (list->count() == 0) continue;
      const QRect last = list->visualItemRect(list->item(list->count() - 1));
      EXPECT_TRUE(list->viewport()->rect().contains(last)) << "the last name is hidden";
    }
  }

  PcgHarness pcg;
};

TEST_F(PcgWindowShots, EveryWindowRendersWhole) {
  pcg.loadOsSet(WorkstationModel::Orvane);
  for (int code : {1, 2, 3, 5}) {
    pcg.openThroughMenu(pcg.writeSamplePcg(code));
    PcgFileDialog* browser = pcg.windows.browser();
    ASSERT_NE(browser, nullptr);
    QTest::mouseClick(browser->programBankButton(0), Qt::LeftButton);
    HoverRow(browser->list(), 20 + code);
    const QImage image = shoot(browser, QString("pcg_file_code%1").arg(code));
    EXPECT_GE(image.width(), 500);
    ExpectTidy(browser);
    if (code == 1) {
      browser->list()->setCurrentRow(21);
      QTest::keyClick(browser->list(), Qt::Key_Return);
      ASSERT_NE(pcg.windows.programEdit(), nullptr);
      shoot(pcg.windows.programEdit(), "program_edit");
      ExpectTidy(pcg.windows.programEdit());
      pcg.windows.programEdit()->close();
    }
    pcg.windows.closePcg();
  }

  for (WorkstationModel model : {WorkstationModel::Orvane, WorkstationModel::OrvaneMi,
                                 WorkstationModel::Ossik, WorkstationModel::OrvaneSalone}) {
    if (pcg.app.state.osFiles().isOpen()) pcg.closeOsSet(false);
    pcg.loadOsSet(model);
    pcg.windows.showGmBanks();
    GmBanksDialog* viewer = pcg.windows.gmBanks();
    ASSERT_NE(viewer, nullptr);
    HoverRow(viewer->list(), 10 + ModelCode(model));
    shoot(viewer, QString("gm_banks_model%1").arg(ModelCode(model)));
    ExpectTidy(viewer);
    viewer->close();
    QApplication::processEvents();
  }
}

TEST_F(PcgWindowShots, TransferDialog) {
  pcg.loadOsSet(WorkstationModel::Orvane);
  pcg.openThroughMenu(pcg.writeSamplePcg(1));
  OnNextModal<TransferGmDialog>([this](TransferGmDialog* dialog) {
    shoot(dialog, "transfer_gm");
    ExpectTidy(dialog);
    dialog->reject();
  });
  QTest::mouseClick(pcg.windows.browser()->transferButton(), Qt::LeftButton);
}

}  // namespace
}  // namespace zentavour::testing
