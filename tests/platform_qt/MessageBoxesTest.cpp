#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/qt/CatalogueTranslator.h"
#include "platform/qt/QtMessageBoxes.h"

namespace {

class MessageBoxes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) App = new QApplication(Argc, Argv);
  }
  static void TearDownTestSuite() {
    delete App;
    App = nullptr;
  }

  // Clicks `button` on the modal box as soon as it is up; returns how many boxes were seen.
  static void ClickWhenShown(QMessageBox::StandardButton button, int* seen) {
    QTimer::singleShot(10, [button, seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return ClickWhenShown(button, seen);
      ++*seen;
      box->button(button)->click();
    });
  }

  platform::QtMessageBoxes Boxes{"Zeltoria"};

 private:
  static inline int Argc = 1;
  static inline char Name[] = "boxes";
  static inline char* Argv[] = {Name, nullptr};
  static inline QApplication* App = nullptr;
};

TEST_F(MessageBoxes, EachKindHasItsIconButtonsAndTheApplicationTitle) {
  using Kind = platform::QtMessageBoxes::Kind;
  const auto error = Boxes.MakeBox(Kind::Error, "Sorry! <b>no</b> file");
  EXPECT_EQ(error->windowTitle(), "Zeltoria");
  EXPECT_EQ(error->icon(), QMessageBox::Critical);
  EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(error->text(), "Sorry! <b>no</b> file");
  EXPECT_EQ(error->textFormat(), Qt::PlainText);  // a path is never read as markup

  const auto warning = Boxes.MakeBox(Kind::WarningYesNo, "Continue anyway?");
  EXPECT_EQ(warning->icon(), QMessageBox::Warning);
  EXPECT_EQ(warning->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(warning->escapeButton(), warning->button(QMessageBox::No));
  EXPECT_EQ(warning->windowTitle(), "Zeltoria");

  const auto plain = Boxes.MakeBox(Kind::Plain, "Unable to locate installation folder");
  EXPECT_EQ(plain->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(plain->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(plain->windowTitle(), "Zeltoria");
}

// Qt's standard buttons speak the game's language from its own catalogue.
TEST_F(MessageBoxes, TheStandardButtonsAreInTheGamesLanguage) {
  for (const auto& catalogue : language::ShippedCatalogues()) {
    const language::TLanguage words(catalogue);
    platform::TCatalogueTranslator translator(words);
    QCoreApplication::installTranslator(&translator);
    const auto box = Boxes.MakeBox(platform::QtMessageBoxes::Kind::WarningYesNo, "?");
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().toStdString(), words.Tr("&Yes"));
    EXPECT_EQ(box->button(QMessageBox::No)->text().toStdString(), words.Tr("&No"));
    QCoreApplication::removeTranslator(&translator);
  }
  const auto english = Boxes.MakeBox(platform::QtMessageBoxes::Kind::Error, "!");
  EXPECT_EQ(english->button(QMessageBox::Ok)->text(), "OK");
}

TEST_F(MessageBoxes, TheWarningAnswersYesOnlyForYes) {
  int seen = 0;
  ClickWhenShown(QMessageBox::Yes, &seen);
  EXPECT_TRUE(Boxes.AskWarningYesNo("Continue anyway?"));
  ClickWhenShown(QMessageBox::No, &seen);
  EXPECT_FALSE(Boxes.AskWarningYesNo("Continue anyway?"));
  ClickWhenShown(QMessageBox::Ok, &seen);
  Boxes.ShowError("error");
  ClickWhenShown(QMessageBox::Ok, &seen);
  Boxes.ShowMessage("plain");
  EXPECT_EQ(seen, 4);
}

}  // namespace
