#include "pcg_test_support.h"

#include <QTest>
#include <filesystem>

#include "core/samples/sample_pcg_files.h"
#include "gui/osfiles/close_os_files.h"

namespace zentavour::testing {

std::string PcgHarness::writeSamplePcg(int modelCode) {
  const SamplePcgFile sample = BuildSamplePcgFile(modelCode);
  return writePcg(sample.fileName, sample.bytes);
}

std::string PcgHarness::writePcg(const std::string& name, ByteView bytes) {
  const std::string path = app.dir.file(name);
  WriteFileBytes(path, bytes);
  return path;
}

void PcgHarness::openThroughMenu(const std::string& path) {
  app.prompts.files.push_back(QString::fromStdString(path));
  windows.openPcg();
}

void PcgHarness::closeOsSet(bool save) {
  app.prompts.answers.push_back(save);
  EXPECT_EQ(RunCloseOsFiles(app.state, &owner), CloseOsFilesResult::Closed);
}

void HoverRow(QListWidget* list, int row) {
  list->doItemsLayout();
  list->scrollToItem(list->item(row));  // a list lower than its names scrolls
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseMove(list->viewport(), rect.center());
}

QStringList ListTexts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

}  // namespace zentavour::testing
