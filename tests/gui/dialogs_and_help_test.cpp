#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

#include "gui/common/qt_prompts.h"
#include "gui/common/question_dialog.h"
#include "gui_test_support.h"

namespace zentavour::testing {
namespace {

TEST(QuestionDialog, EndsOnlyThroughYesOrNoWithYesAsDefault) {
  QuestionDialog dialog(nullptr, "Close OS Files", "Save Changes to OS Files?");
  dialog.show();
  EXPECT_EQ(dialog.findChild<QLabel*>("text")->text(), "Save Changes to OS Files?");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&dialog, Qt::Key_Return);  // the default button
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.show();
  QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  // Access keys, as the platform's own questions have them.
  EXPECT_EQ(dialog.yesButton()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Y));
  EXPECT_EQ(dialog.noButton()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_N));
}

// The real chooser shows our label as it is and lists the files of that exact name in either
// letter case, and nothing else.
TEST(QtPrompts, AChooserShowsTheExactLabelAndMatchesEitherCase) {
  TempDir dir;
  for (const char* name : {"SYSINFO.260", "xSYSINFO.420", "SYSINFO.420", "sysinfo.420"}) {
    QFile(QString::fromStdString(dir.file(name))).open(QIODevice::WriteOnly);
  }
  const FileChooser chooser = OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo);
  QStringList listed;
  OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), QStringList{chooser.filterLabel});
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 2; }, 3000));
    for (int row = 0; row < rows(); ++row)
      listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
    dialog->reject();
  });
  QtPrompts prompts;
  EXPECT_FALSE(prompts.openFile(nullptr, chooser, QString::fromStdString(dir.file("SYSINFO.420"))));
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"SYSINFO.420", "sysinfo.420"}));
}

// Every link between the help pages leads to a page that exists; every picture is valid.
TEST(Resources, HelpPagesLinkOnlyToExistingPagesAndPicturesLoad) {
  QStringList pages;
  for (QDirIterator it(":/help", {"*.html"}); it.hasNext();) pages << it.next();
  ASSERT_GE(pages.size(), 5);
  const QRegularExpression link(R"(href="([^"#:]+)(#[^"]*)?")");
  for (const QString& page : pages) {
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    for (auto match = link.globalMatch(html); match.hasNext();) {
      const QString target = match.next().captured(1);
      EXPECT_TRUE(QFile::exists(":/help/" + target))
          << page.toStdString() << " links to " << target.toStdString();
    }
  }
  int pictures = 0;
  for (const char* folder : {":/icons", ":/pictures", ":/pcg"}) {
    for (QDirIterator it(folder, {"*.svg"}); it.hasNext(); ++pictures) {
      const QString svg = it.next();
      EXPECT_TRUE(QSvgRenderer(svg).isValid()) << svg.toStdString();
    }
  }
  EXPECT_GE(pictures, 7);
}

}  // namespace
}  // namespace zentavour::testing
