#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "gui/app/help_window.h"
#include "gui/app/question_dialog.h"

namespace zentavour::testing {
namespace {

TEST(QuestionDialog, EndsOnlyThroughYesOrNoWithYesAsDefault) {
  QuestionDialog dialog(nullptr, "Close OS Files", "Save Changes to OS Files?");
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Close OS Files");
  EXPECT_EQ(dialog.findChild<QLabel*>("text")->text(), "Save Changes to OS Files?");
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 2);
  EXPECT_EQ(dialog.yesButton()->text(), "Yes");
  EXPECT_EQ(dialog.noButton()->text(), "No");
  EXPECT_TRUE(dialog.yesButton()->isDefault());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

  QTest::keyClick(&dialog, Qt::Key_Escape);
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());

  QTest::keyClick(&dialog, Qt::Key_Return);  // the default button
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  dialog.show();
  QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Every page of the help, every picture and icon: present, valid, and every link between the
// pages leads to a page that exists.
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
    QSvgRenderer renderer{QString(svg)};
    EXPECT_TRUE(renderer.isValid()) << svg;
  }
}

TEST(HelpWindow, OpensAtTheContentsPageFromWhereverItWas) {
  HelpWindow help;
  help.showContents();
  help.show();
  EXPECT_EQ(help.browser()->source(), HelpWindow::ContentsPage());
  EXPECT_TRUE(help.browser()->toPlainText().contains("Contents"));
  help.browser()->setSource(QUrl("qrc:/help/models.html"));
  EXPECT_TRUE(help.browser()->toPlainText().contains("SYSINFO.420"));
  help.showContents();
  EXPECT_EQ(help.browser()->source(), HelpWindow::ContentsPage());
}

}  // namespace
}  // namespace zentavour::testing
