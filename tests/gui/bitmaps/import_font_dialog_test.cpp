#include "gui/bitmaps/import_font_dialog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"
#include "gui/bitmaps/bitmap_gui_support.h"
#include "render/font_renderer.h"

namespace zentavour::testing {
namespace {

QFont DejaVu(int pixels) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  return font;
}

class ImportFontTest : public ::testing::Test {
 protected:
  ImportFontTest() { dialog.show(); }

  GuiHarness app;
  GlyphWorkSet glyphs{};
  FontImportSettings settings;
  int rows = 19;
  ImportFontDialog dialog{[this](const GlyphWorkSet& font) { glyphs = font; }, settings, rows,
                          app.prompts, nullptr};
};

// The CLI renders a font as the window does; the large slot of this model holds whole records,
// so the saved glyphs are the rendered ones.
TEST_F(ImportFontTest, AChosenFontBecomesGlyphsFromTheRowBelowItsLeadingAsInTheCli) {
  ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
  const SampleSetPaths set = app.writeSet(WorkstationModel::Orvane);
  app.prompts.fonts.push_back(DejaVu(20));
  dialog.selectFontButton()->click();

  // DejaVu Sans at 20 pixels: cell 24 rows, internal leading 4, no external leading.
  EXPECT_EQ(settings.adjustment, 4);
  EXPECT_EQ(dialog.adjustmentBox()->text(), "4");
  const QFontMetrics metrics(MonochromeFont(DejaVu(20)));
  for (int k = 0; k < kGlyphCount; ++k) {
    const int advance = metrics.horizontalAdvance(QChar(33 + k));
    ASSERT_EQ(glyphs[static_cast<std::size_t>(k)].width(), advance <= 31 ? advance : 0) << k;
    EXPECT_EQ(dialog.preview(k)->pixmap().size(), QSize(std::min(2 * advance, 48), 2 * rows));
  }
  // Real ink: "A" has pixels.
  EXPECT_GT(std::count_if(glyphs[32].bytes.begin() + 1, glyphs[32].bytes.end(),
                          [](std::uint8_t byte) { return byte != 0; }),
            10);

  const std::string dir = std::filesystem::path(set.ext).parent_path().string();
  const CliResult cli = RunCli({"font", "render", "--model", "orvane", "--dir", dir, "--slot",
                                "large", "--family", "DejaVu Sans", "--size", "20"});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_NE(cli.out.find("(vertical adjustment 4)"), std::string::npos) << cli.out;
  const auto saved =
      LoadGlyphWorkSet(ReadFileBytes(set.ext), WorkstationModel::Orvane, FontSlot::Large);
  ASSERT_TRUE(saved);
  EXPECT_TRUE(*saved == glyphs);
}

TEST_F(ImportFontTest, PlusMinusAndTheBoxMoveTheTopRowAndEveryChangeIsAPass) {
  app.prompts.fonts.push_back(DejaVu(12));
  dialog.selectFontButton()->click();
  const int leading = settings.adjustment;

  // Which rows an adjustment takes is the core's; the CLI test above checks the one it passes.
  dialog.plusButton()->click();
  EXPECT_EQ(dialog.adjustmentBox()->text(), QString::number(leading + 1));
  dialog.minusButton()->click();
  dialog.minusButton()->click();
  EXPECT_EQ(settings.adjustment, leading - 1);
  EXPECT_EQ(dialog.passes(), 4);

  // A typed value counts when the box loses the focus. Enter lands on the default button, which
  // does nothing: the value is not applied yet, and the dialog stays.
  Activate(&dialog);
  dialog.adjustmentBox()->setFocus();
  dialog.adjustmentBox()->setText("-3");
  QTest::keyClick(dialog.adjustmentBox(), Qt::Key_Return);
  EXPECT_EQ(dialog.passes(), 4);
  EXPECT_TRUE(dialog.isVisible());
  dialog.refreshButton()->setFocus();  // as clicking Refresh takes the focus
  EXPECT_EQ(settings.adjustment, -3);
  EXPECT_EQ(dialog.passes(), 5);
}

// DejaVu Sans given a line gap of a quarter em, as "DejaVu Gaps": at 12 pixels 2 rows of internal
// and 3 of external leading, both skipped by default.
TEST_F(ImportFontTest, TheDefaultAdjustmentSkipsTheExternalLeadingButNeverLessThanNone) {
  QFile file(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray dejaVu = file.readAll();
  // DejaVu Sans with another line gap (hhea, in 2048ths of the size) under another family name.
  const auto withLineGap = [&](char gapHigh, const char(&name)[5]) {
    QByteArray ttf = dejaVu;
    const auto u16 = [&](int at) { return uchar(ttf[at]) << 8 | uchar(ttf[at + 1]); };
    const auto u32 = [&](int at) { return u16(at) << 16 | u16(at + 2); };
    const char utf16[] = {'\0', name[0], '\0', name[1], '\0', name[2], '\0', name[3]};
    const QByteArray wide(utf16, 8);
    for (int table = 0; table < u16(4); ++table) {
      const int record = 12 + 16 * table, at = u32(record + 8), size = u32(record + 12);
      if (ttf.mid(record, 4) == "hhea") ttf[at + 8] = gapHigh;
      if (ttf.mid(record, 4) == "name")
        ttf.replace(
            at, size,
            ttf.mid(at, size).replace("Sans", name).replace(QByteArray("\0S\0a\0n\0s", 8), wide));
    }
    EXPECT_GE(QFontDatabase::addApplicationFontFromData(ttf), 0);
    QFont font(QStringLiteral("DejaVu ") + QLatin1String(name));
    font.setPixelSize(12);
    return font;
  };
  const QFont gaps = withLineGap(0x02, "Gaps");         // a gap of 512: 3 rows of leading at 12 px
  const QFont tight = withLineGap(char(0xFF), "Tght");  // a gap of -256: lines closer than the font
  ASSERT_EQ(QFontMetrics(gaps).leading(), 3);
  ASSERT_LT(QFontMetrics(tight).leading(), 0);
  for (const auto& [font, expected] : {std::pair{gaps, 2 + 3}, std::pair{tight, 2}}) {
    app.prompts.fonts.push_back(font);
    dialog.selectFontButton()->click();
    EXPECT_EQ(settings.adjustment, expected) << font.family().toStdString();
  }
}

}  // namespace
}  // namespace zentavour::testing
