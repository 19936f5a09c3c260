#include "gui/common/qt_prompts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTest>

#include "gui/gui_test_support.h"

namespace zentavour::testing {
namespace {

// What a real chooser showed: its filters, the folder it opened in and the names listed there.
struct Seen {
  QStringList filters, listed;
  QString folder;
};

// Runs the chooser, answering `answer` (cancelling when it is empty) once `listed` names show.
Seen RunChooser(QtPrompts& prompts, const FileChooser& chooser, const QString& initial,
                const QString& answer, int listed = 0) {
  Seen seen;
  OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
    seen.filters = dialog->nameFilters();
    seen.folder = dialog->directory().absolutePath();
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= listed; }, 3000));
    for (int row = 0; row < rows(); ++row) {
      seen.listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
    }
    seen.listed.sort();
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
  for (const char* other : {"pcg/c.txt", "pcg/d.PCGX", "os/SYSINFO.260", "os/xSYSINFO.420"}) {
    touch(other);
  }
  touch("pcg/a.PCG");
  const QString pcg = touch("pcg/b.pcg");
  touch("os/SYSINFO.420");
  const QString sysinfo = touch("os/sysinfo.420");
  const QString pcgFolder = QFileInfo(pcg).absolutePath();
  const QString osFolder = QFileInfo(sysinfo).absolutePath();
  QtPrompts prompts;

  Seen seen = RunChooser(prompts, PcgFileChooser(), pcg, pcg, 2);
  EXPECT_EQ(seen.filters, QStringList{"PCG File (*.PCG)"});
  EXPECT_EQ(seen.listed, (QStringList{"a.PCG", "b.pcg"}));
  // Another chooser with no path of its own opens where the PCG file was chosen.
  seen = RunChooser(prompts, OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo), {},
                    sysinfo);
  EXPECT_EQ(seen.folder, pcgFolder);
  seen =
      RunChooser(prompts, OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo), {}, {}, 2);
  EXPECT_EQ(seen.filters, QStringList{"SYSINFO File (SYSINFO.420)"});
  EXPECT_EQ(seen.listed, (QStringList{"SYSINFO.420", "sysinfo.420"}));
  // Cancelling chose nothing: the next chooser still opens in the SYSINFO file's folder, and
  // a path the caller holds is offered in its own folder.
  EXPECT_EQ(RunChooser(prompts, FontFileSaveChooser(), {}, {}).folder, osFolder);
  EXPECT_EQ(RunChooser(prompts, BitmapFileChooser(), pcgFolder + "/logo.bmp", {}).folder,
            pcgFolder);
}

}  // namespace
}  // namespace zentavour::testing
