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
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 2);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

  QTest::keyClick(&dialog, Qt::Key_Escape);
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());

  QTest::keyClick(&dialog, Qt::Key_Return);  // the default button
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.show();
  QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Runs a real chooser, notes the folder it opened in (or, once two names show there, the names
// it lists) and answers `answer` (cancels when it is empty).
QStringList RunChooser(QtPrompts& prompts, const FileChooser& chooser, const QString& initial,
                       const QString& answer, QString* folder = nullptr) {
  QStringList seen;
  OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), QStringList{chooser.filterLabel});
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
    if (folder) {
      *folder = dialog->directory().absolutePath();
    } else if (QTest::qWaitFor([&] { return rows() >= 2; }, 3000)) {
      for (int row = 0; row < rows(); ++row)
        seen << view->model()->index(row, 0, view->rootIndex()).data().toString();
      seen.sort();
    }
    if (answer.isEmpty()) return dialog->reject();
    dialog->selectFile(answer);
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::optional<QString> chosen = chooser.mustExist
                                            ? prompts.openFile(nullptr, chooser, initial)
                                            : prompts.saveFile(nullptr, chooser, initial);
  EXPECT_EQ(chosen.value_or(QString()), answer);
  return seen;
}

TEST(QtPrompts, ChoosersShowTheExactLabelMatchEitherCaseAndOpenWhereTheLastFileWas) {
  TempDir dir;
  const auto touch = [&](const char* name) {
    const QString path = QString::fromStdString(dir.file(name));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile(path).open(QIODevice::WriteOnly);
    return path;
  };
  for (const char* other :
       {"pcg/c.txt", "pcg/d.PCGX", "os/SYSINFO.260", "os/xSYSINFO.420", "os/SYSINFO.420"}) {
    touch(other);
  }
  const QString pcg = touch("pcg/b.pcg"), upper = touch("pcg/a.PCG");
  const QString sysinfo = touch("os/sysinfo.420");
  const QString pcgFolder = QFileInfo(pcg).absolutePath();
  const QString osFolder = QFileInfo(sysinfo).absolutePath();
  const FileChooser orvaneSysinfo = OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo);
  QtPrompts prompts;

  EXPECT_EQ(RunChooser(prompts, PcgFileChooser(), pcg, pcg), (QStringList{"a.PCG", "b.pcg"}));
  // Another chooser with no path of its own opens where the PCG file was chosen.
  QString folder;
  RunChooser(prompts, orvaneSysinfo, {}, sysinfo, &folder);
  EXPECT_EQ(folder, pcgFolder);
  EXPECT_EQ(RunChooser(prompts, orvaneSysinfo, {}, {}),
            (QStringList{"SYSINFO.420", "sysinfo.420"}));
  // Cancelling chose nothing: the next chooser still opens in the SYSINFO file's folder; a
  // path the caller holds is offered in its own folder.
  RunChooser(prompts, FontFileSaveChooser(), {}, {}, &folder);
  EXPECT_EQ(folder, osFolder);
  RunChooser(prompts, BitmapFileChooser(), upper, {}, &folder);
  EXPECT_EQ(folder, pcgFolder);
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
  for (const char* svg : {":/icons/zentavour.svg", ":/icons/set_open.svg", ":/icons/no_set.svg",
                          ":/pictures/title.svg"}) {
    EXPECT_TRUE(QSvgRenderer(QString(svg)).isValid()) << svg;
  }
}

}  // namespace
}  // namespace zentavour::testing
