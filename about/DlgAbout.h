// The modal about box: the game's name and version, the maker's link, a line that cycles
// through the maker's other titles and a panel that explains the game's name.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>

#include "about/AboutBox.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class TShapeWidget;

// What the dialog takes from its surroundings; tests replace them.
struct TAboutServices {
  // Opens the maker's address with the desktop's browser; the argument is the link's text.
  std::function<void(const QString&)> OpenLink;
  // The value the game's random generator is seeded with when the dialog is created.
  std::function<uint32_t()> SeedSource;
  // Qt resource path (or file) of the logo; a missing logo leaves the picture empty.
  QString LogoPath;
  // The application's title, which the caption starts with.
  QString Title;
  // What the dialog's texts are in.
  language::TLanguage Language;

  static TAboutServices Default();
};

class TDlgAbout : public QDialog {
 public:
  // The dialog seeds `random` again and draws the title line's colours from it; the generator
  // outlives the dialog.
  TDlgAbout(QWidget* parent, TRandom& random, TAboutServices services = TAboutServices::Default());

  // Components, as the dialog is laid out.
  QFrame* Bevel1;
  QLabel* imgLogo;
  QLabel* Label1;
  QLabel* lblVersion;
  QPushButton* cmdWhatIs;
  QLabel* Label2;
  TShapeWidget* Shape1;
  QLabel* Label3;
  TShapeWidget* Shape2;
  QLabel* Label8;
  TShapeWidget* Shape3;
  QLabel* lblURL;
  QLabel* lblHomeOf;
  QLabel* Label5;
  QLabel* Label6;
  QFrame* pnlWhatIs;
  QLabel* Label9;
  QPushButton* cmdIKnow;
  QPushButton* cmdOK;
  QTimer* tmrFlash;

  // What the dialog shows, kept without Qt.
  about::TAboutBox Box;

  // Handlers.
  void FormShow();
  void cmdOKClick();
  void cmdWhatIsClick();
  void cmdIKnowClick();
  void lblURLMouseMove();
  void FormMouseMove();
  void lblURLClick();
  void tmrFlashTimer();

  // Shows the title line that the box holds now, in its colour.
  void ShowHomeOf();
  void SetLinkHot(bool hot);
  bool LinkHot() const { return Box.LinkHot(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void FormCreate();
  // Shows the panel and its button as the box has them.
  void ShowPanelState();
  // `english` in the dialog's language.
  QString Said(std::string_view english) const;
  // Gives `widget` the text `english` says in the dialog's language, in `font` or as much
  // smaller as a longer translation needs to fit where the English text does.
  void SetFittedText(QLabel* label, std::string_view english, const QFont& font);
  void SetFittedText(QPushButton* button, std::string_view english);

  TAboutServices Services;
  bool LinkPressed = false;
};
