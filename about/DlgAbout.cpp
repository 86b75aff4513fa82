#include "about/DlgAbout.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "about/ShapeWidget.h"
#include "platform/ResourceFacts.h"
#include "platform/qt/AppCursors.h"

namespace {

// The faces the dialog was drawn with, as Linux has them.
const QString Sans = QStringLiteral("Liberation Sans");
const QString Serif = QStringLiteral("Liberation Serif");

QFont Face(const QString& family, int pixelHeight, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QColor Rgb(uint32_t rgb) {
  return QColor::fromRgb(rgb);
}

void SetTextColor(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                  Qt::Alignment horizontal, bool wordWrap = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(place);
  label->setAlignment(horizontal | Qt::AlignTop);
  label->setWordWrap(wordWrap);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect place) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  return button;
}

// The smallest a translation is drawn; below it a text would be unreadable rather than long.
constexpr int SmallestPixelSize = 7;

// The room `text` takes in `font`: wrapped into `width` or on one line.
QSize TextRoom(const QFont& font, const QString& text, int width, bool wrap) {
  const QFontMetrics metrics(font);
  if (!wrap) return {metrics.horizontalAdvance(text), metrics.height()};
  return metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).size();
}

// `font` at its own size, or the largest smaller one at which `text` fits `box`, which is as
// large at least as the English text needs: the dialog was laid out for English, and a longer
// translation is drawn smaller rather than clipped.
QFont Fitted(QFont font, const QString& text, const QString& english, QSize box, bool wrap) {
  box = box.expandedTo(TextRoom(font, english, box.width(), wrap));
  for (int size = font.pixelSize(); size > SmallestPixelSize; --size) {
    font.setPixelSize(size);
    const QSize room = TextRoom(font, text, box.width(), wrap);
    if (room.width() <= box.width() && room.height() <= box.height()) break;
  }
  return font;
}

TShapeWidget* MakeShape(QWidget* parent, const char* name, QRect place, QColor fill) {
  auto* shape = new TShapeWidget(parent, fill);
  shape->setObjectName(QString::fromLatin1(name));
  shape->setGeometry(place);
  return shape;
}

}  // namespace

TAboutServices TAboutServices::Default() {
  TAboutServices services;
  services.OpenLink = [](const QString& link) {
    QDesktopServices::openUrl(QUrl::fromUserInput(link));
  };
  services.SeedSource = ClockSeed;
  services.LogoPath = QString::fromLatin1(resources::QtPrefix) + QLatin1String(resources::LogoFile);
  return services;
}

TDlgAbout::TDlgAbout(QWidget* parent, TRandom& random, TAboutServices services)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Box(random),
      Services(std::move(services)) {
  setObjectName(QStringLiteral("DlgAbout"));
  setFixedSize(about::ClientWidth, about::ClientHeight);
  setFont(Face(Sans, 12));
  SetTextColor(this, Qt::black);
  setMouseTracking(true);
  CreateComponents();
  FormCreate();
}

QString TDlgAbout::Said(std::string_view english) const {
  return Text(Services.Language.Tr(english));
}

void TDlgAbout::SetFittedText(QLabel* label, std::string_view english, const QFont& font) {
  const QString text = Said(english);
  label->setFont(Fitted(font, text, Text(english), label->size(), label->wordWrap()));
  label->setText(text);
}

void TDlgAbout::SetFittedText(QPushButton* button, std::string_view english) {
  const QString text = Said(english);
  // The button's frame keeps a few pixels each side.
  const QSize room(button->width() - 8, button->height());
  button->setFont(Fitted(font(), text, Text(english), room, false));
  button->setText(text);
}

void TDlgAbout::CreateComponents() {
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Bevel1->setGeometry(7, 8, 413, 237);

  imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setGeometry(17, 18, 98, 98);
  imgLogo->setAlignment(Qt::AlignCenter);
  imgLogo->setScaledContents(true);
  imgLogo->setMouseTracking(true);
  const QPixmap logo(Services.LogoPath);
  if (!logo.isNull()) imgLogo->setPixmap(logo);

  Label1 =
      MakeLabel(this, "Label1", Text(about::GameName), {126, 27, 278, 63}, Qt::AlignHCenter, true);
  Label1->setFont(Face(Serif, 56, true));

  lblVersion = MakeLabel(this, "lblVersion", QString(), {360, 36, 30, 14}, Qt::AlignLeft);
  lblVersion->setFont(Face(Sans, 11));

  cmdWhatIs = MakeButton(this, "cmdWhatIs", QString(), {121, 15, 89, 21});
  SetFittedText(cmdWhatIs, about::WhatIsButton);

  Label2 = MakeLabel(this, "Label2", QString(), {174, 95, 182, 19}, Qt::AlignHCenter);
  SetFittedText(Label2, about::FamilyLine, Face(Sans, 16, true));
  SetTextColor(Label2, Qt::red);

  Shape1 = MakeShape(this, "Shape1", {19, 123, 76, 37}, Qt::yellow);
  Label3 = MakeLabel(this, "Label3", QString(), {31, 126, 52, 30}, Qt::AlignHCenter, true);
  SetFittedText(Label3, about::VisitNote, font());
  Shape2 = MakeShape(this, "Shape2", {332, 123, 76, 37}, Qt::yellow);
  Label8 = MakeLabel(this, "Label8", QString(), {338, 126, 64, 30}, Qt::AlignHCenter, true);
  SetFittedText(Label8, about::SeeNote, font());

  Shape3 = MakeShape(this, "Shape3", {97, 129, 233, 25}, Qt::white);
  Shape3->setMouseTracking(true);
  lblURL = MakeLabel(this, "lblURL", Text(about::Link), {101, 132, 224, 19}, Qt::AlignHCenter);
  lblURL->setFont(Face(Sans, 16, true));
  lblURL->setMouseTracking(true);

  lblHomeOf = MakeLabel(this, "lblHomeOf", QString(), {16, 172, 397, 19}, Qt::AlignHCenter);

  Label5 = MakeLabel(this, "Label5", QString(), {41, 204, 346, 14}, Qt::AlignLeft);
  SetFittedText(Label5, about::NoticeLine, Face(Sans, 11));
  Label6 = MakeLabel(this, "Label6", QString(), {123, 220, 181, 14}, Qt::AlignHCenter);
  SetFittedText(Label6, about::CreditLine, Face(Sans, 11));

  pnlWhatIs = new QFrame(this);
  pnlWhatIs->setObjectName(QStringLiteral("pnlWhatIs"));
  pnlWhatIs->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlWhatIs->setAutoFillBackground(true);
  pnlWhatIs->setGeometry(15, 122, 397, 116);
  pnlWhatIs->hide();
  Label9 = MakeLabel(pnlWhatIs, "Label9", QString(), {13, 7, 374, 79}, Qt::AlignHCenter, true);
  SetFittedText(Label9, about::NameMeaning, Face(Serif, 16));
  cmdIKnow = MakeButton(pnlWhatIs, "cmdIKnow", QString(), {300, 88, 89, 21});
  SetFittedText(cmdIKnow, about::IKnowButton);

  cmdOK = MakeButton(this, "cmdOK", QString(), {176, 254, 75, 25});
  SetFittedText(cmdOK, about::OkButton);
  cmdOK->setDefault(true);

  tmrFlash = new QTimer(this);
  tmrFlash->setObjectName(QStringLiteral("tmrFlash"));
  tmrFlash->setInterval(about::FlashInterval);
  tmrFlash->start();

  setTabOrder(cmdOK, cmdWhatIs);
  setTabOrder(cmdWhatIs, cmdIKnow);
  cmdOK->setFocus();

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOKClick(); });
  connect(cmdWhatIs, &QPushButton::clicked, this, [this] { cmdWhatIsClick(); });
  connect(cmdIKnow, &QPushButton::clicked, this, [this] { cmdIKnowClick(); });
  connect(tmrFlash, &QTimer::timeout, this, [this] { tmrFlashTimer(); });
  // The frame and the texts around the link let the pointer through to the dialog, so moving
  // anywhere off the link clears its highlight.
  for (QWidget* passive :
       std::initializer_list<QWidget*>{Bevel1, Label1, lblVersion, Label2, Shape1, Label3, Shape2,
                                       Label8, lblHomeOf, Label5, Label6})
    passive->setAttribute(Qt::WA_TransparentForMouseEvents);
  lblURL->installEventFilter(this);
  Shape3->installEventFilter(this);
  imgLogo->installEventFilter(this);
}

void TDlgAbout::FormCreate() {
  Bevel1->setEnabled(false);
  lblURL->setCursor(platform::AppCursor(platform::CursorId::Link));
  lblVersion->setText(QString::fromLatin1(resources::Version));
  setWindowTitle(Text(language::Format(Services.Language.Tr(about::CaptionPattern),
                                       {Services.Title.toStdString()})));
  Box.Create(Services.SeedSource());
  ShowHomeOf();
}

void TDlgAbout::ShowPanelState() {
  pnlWhatIs->setVisible(Box.PanelShown());
  cmdWhatIs->setEnabled(Box.WhatIsEnabled());
}

void TDlgAbout::FormShow() {
  Box.Show();
  ShowPanelState();
  // Enabling a running timer keeps its rhythm.
  if (!tmrFlash->isActive()) tmrFlash->start();
}

void TDlgAbout::cmdOKClick() {
  accept();
}

void TDlgAbout::cmdWhatIsClick() {
  Box.WhatIsClick();
  ShowPanelState();
}

void TDlgAbout::cmdIKnowClick() {
  Box.IKnowClick();
  ShowPanelState();
}

void TDlgAbout::lblURLMouseMove() {
  SetLinkHot(true);
}

void TDlgAbout::FormMouseMove() {
  SetLinkHot(false);
}

void TDlgAbout::lblURLClick() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  // The default cursor comes back however the opening ends.
  struct RestoreCursor {
    ~RestoreCursor() { QGuiApplication::restoreOverrideCursor(); }
  } restore;
  Services.OpenLink(Text(about::LinkToOpen(lblURL->text().toStdString())));
}

void TDlgAbout::tmrFlashTimer() {
  Box.ShowNextHomeOf();
  ShowHomeOf();
}

void TDlgAbout::ShowHomeOf() {
  SetFittedText(lblHomeOf, Box.HomeOfLine(), Face(Sans, 16, true));
  SetTextColor(lblHomeOf, Rgb(Box.HomeOfColor()));
}

void TDlgAbout::SetLinkHot(bool hot) {
  if (!Box.SetLinkHot(hot)) return;
  QFont font = lblURL->font();
  font.setBold(true);
  font.setUnderline(hot);
  lblURL->setFont(font);
  SetTextColor(lblURL, Rgb(Box.LinkTextColor()));
}

void TDlgAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TDlgAbout::mouseMoveEvent(QMouseEvent* event) {
  FormMouseMove();
  QDialog::mouseMoveEvent(event);
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (watched == lblURL || watched == Shape3) {
      lblURLMouseMove();
      return true;
    }
    if (watched == imgLogo) {
      FormMouseMove();
      return true;
    }
  }
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (watched == lblURL && (press || release)) {
    // A click is a left press and a left release over the link.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (press) {
      LinkPressed = true;
    } else if (LinkPressed) {
      LinkPressed = false;
      if (lblURL->rect().contains(mouse->position().toPoint())) lblURLClick();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
