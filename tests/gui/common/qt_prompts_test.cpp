#include "gui/common/qt_prompts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTest>

#include "gui/gui_test_support.h"

namespace zentavour::testing {
namespace {

QString Touch(const TempDir& dir, const std::string& name) {
  const std::filesystem::path path = dir.path() / name;
  std::filesystem::create_directories(path.parent_path());
  QFile(QString::fromStdString(path.string())).open(QIODevice::WriteOnly);
  return QString::fromStdString(path.string());
}

// Runs one real chooser: notes its filters, the folder it opened in and what it lists there,
// then answers `answer` (cancels when empty).
struct Seen {
  QStringList filters, listed;
  QString folder;
};
Seen RunChooser(QtPrompts& prompts, const FileChooser& chooser, const QString& initial,
                const QString& answer, int listedAtLeast = 0) {
  Seen seen;
  OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
    seen.filters = dialog->nameFilters();
    seen.folder = dialog->directory().absolutePath();
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QAbstractItemModel* model = view->model();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return model->rowCount(view->rootIndex()) >= listedAtLeast; }, 3000));
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
      seen.listed << model->index(row, 0, view->rootIndex()).data().toString();
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

TEST(QtPrompts, ChooserShowsTheExactLabelAndListsItsPatternInEitherCase) {
  struct Case {
    FileChooser chooser;
    QStringList listed;
    std::vector<std::string> hidden;
  };
  const Case cases[] = {
      {PcgFileChooser(), {"a.PCG", "b.pcg"}, {"c.txt", "d.PCGX"}},
      {OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo),
       {"SYSINFO.420", "sysinfo.420"},
       {"SYSINFO.260", "xSYSINFO.420"}},
      {BitmapFileChooser(), {"logo.BMP", "logo.bmp"}, {"logo.png"}},
      {FontFileOpenChooser(), {"font.GLX", "font.glx"}, {"font.glx.bak"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chooser.filterLabel.toStdString());
    TempDir dir;
    for (const std::string& name : c.hidden) Touch(dir, name);
    QString lowerCase;
    for (const QString& name : c.listed) lowerCase = Touch(dir, name.toStdString());
    QtPrompts prompts;
    const Seen seen = RunChooser(prompts, c.chooser, lowerCase, lowerCase, 2);
    EXPECT_EQ(seen.filters, QStringList{c.chooser.filterLabel});
    EXPECT_EQ(seen.listed, c.listed);
  }
}

TEST(QtPrompts, EveryChooserStartsInTheFolderOfTheLastFileChosen) {
  TempDir dir;
  const QString pcg = Touch(dir, "pcg/banks.PCG");
  const QString font = Touch(dir, "fonts/large.glx");
  const QString pcgFolder = QFileInfo(pcg).absolutePath();
  const QString fontFolder = QFileInfo(font).absolutePath();
  QtPrompts prompts;
  RunChooser(prompts, PcgFileChooser(), {}, pcg);
  // Another kind of chooser, with no path of its own, opens where the PCG file was.
  EXPECT_EQ(RunChooser(prompts, FontFileOpenChooser(), {}, font).folder, pcgFolder);
  // Cancelling chooses nothing: the folder stays the font file's, for opening and saving.
  EXPECT_EQ(RunChooser(prompts, BitmapFileChooser(), {}, {}).folder, fontFolder);
  EXPECT_EQ(RunChooser(prompts, FontFileSaveChooser(), {}, {}).folder, fontFolder);
  // A path the caller remembers is offered in its own folder.
  EXPECT_EQ(RunChooser(prompts, OsFileChooser(WorkstationModel::Orvane, OsFileRole::Sysinfo),
                       pcgFolder + "/SYSINFO.420", {})
                .folder,
            pcgFolder);
}

}  // namespace
}  // namespace zentavour::testing
