#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

#include "gui/common/question_dialog.h"

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
