// The modal about box: the game's name and version, the maker's link, a line that cycles
// through the maker's other titles and a panel that explains the game's name.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

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

  static TAboutServices Default();
};

class TDlgAbout : public QDialog {
 public:
  static constexpr int ClientWidth = 427;
  static constexpr int ClientHeight = 286;
  static constexpr int FlashInterval = 4000;  // ms between title lines

  static const std::array<QString, 3> HomeOfLines;
  static const std::array<QColor, 6> HomeOfColors;

  explicit TDlgAbout(QWidget* parent = nullptr,
                     TAboutServices services = TAboutServices::Default());

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

  bool LinkHot = false;
  int tmrFlashTag = 0;  // index of the title line now shown

  // Handlers.
  void FormShow();
  void cmdOKClick();
  void cmdWhatIsClick();
  void cmdIKnowClick();
  void lblURLMouseMove();
  void FormMouseMove();
  void lblURLClick();
  void tmrFlashTimer();

  void ShowNextHomeOf();
  void SetLinkHot(bool hot);

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void FormCreate();

  TAboutServices Services;
  bool LinkPressed = false;
};
