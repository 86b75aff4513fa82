// The main window's handlers: mouse, keys, buttons, timer, painting, resizing and palette.
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QShowEvent>
#include <QTimer>

#include "controls/VX8Tile.h"
#include "controls/VexoButton.h"
#include "game/ArrowHit.h"
#include "game/FormZelto.h"
#include "game/PaintBox.h"
#include "game/SurfaceDisplay.h"
#include "platform/MemoryDevice.h"
#include "platform/qt/AppCursors.h"

void TFormZelto::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The first time the window appears; a window coming back from the taskbar is no new show.
  if (event->spontaneous() || Shown) return;
  Shown = true;
  // After the window is on screen, not from inside its own show.
  QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TFormZelto::FormShow() {
  if (Setup.AboutWhenShown && Setup.ShowAbout) Setup.ShowAbout();
}

void TFormZelto::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TFormZelto::FormResize() {
  int dx = -Frame->x();
  int dy = -Frame->y();
  // Division rounds towards zero, as C++'s does.
  Frame->move((width() - Frame->width()) / 2, (height() - Frame->height()) / 2);
  dx += Frame->x();
  dy += Frame->y();
  for (QWidget* child : std::initializer_list<QWidget*>{cmdStart, cmdExit, cmdColP, cmdColM,
                                                        cmdRowP, cmdRowM, pbxBoard, pbxBackBoard})
    child->move(child->x() + dx, child->y() + dy);
  TitlePos = {TitlePos.X + dx, TitlePos.Y + dy};
  SizeLabelPos = {SizeLabelPos.X + dx, SizeLabelPos.Y + dy};
  Captions.ReleaseComposites();
  DrawBoard(true);
  DrawBoard(false);
}

void TFormZelto::paintEvent(QPaintEvent*) {
  RealizeLibraryPalette();
}

void TFormZelto::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RealizeLibraryPalette();
}

void TFormZelto::AppActivate() {
  RealizeLibraryPalette();
}

void TFormZelto::AppMessage(uint16_t message) {
  if (message != Setup.InstanceMessage) return;
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

// On a true-colour screen realising changes no entries, so the window is never invalidated.
// The device stands for the window's own one outside painting: nothing is drawn on it.
uint16_t TFormZelto::RealizeLibraryPalette() {
  if (!Library_ || !Library_->Palette()) return 0;
  platform::MemoryDevice device(1, 1);
  TLibraryPaletteSelection selection(*Library_, device);
  const int changed = device.RealizePalette();
  ++Realizations;
  if (changed > 0) update();
  return uint16_t(changed);
}

// Another window changed the system palette: this window's colours would be remapped to it.
// A true-colour screen has no system palette to follow, so there is nothing to update.
void TFormZelto::PaletteChanged(const void* changedBy) {
  if (!Library_ || !Library_->Palette() || changedBy == this) return;
  platform::MemoryDevice device(1, 1);
  const platform::LogicalPalette* previous = device.SelectPalette(Library_->GetHPal(), true);
  device.SelectPalette(previous, true);
}

void TFormZelto::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  FormMouseDown(event->button(), p.x(), p.y());
}

void TFormZelto::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  FormMouseMove(p.x(), p.y());
}

void TFormZelto::FormMouseDown(Qt::MouseButton button, int x, int y) {
  if (Captions.TitleRect.Contains({x, y}) && button == Qt::LeftButton && Setup.ShowAbout)
    Setup.ShowAbout();
  if (Captions.SizeLabelRect.Contains({x, y}) && !Model.Playing) Model.SizeLabelDeal();
}

void TFormZelto::FormMouseMove(int x, int y) {
  if (!Captions.Title.Data) return;
  const TRect title = MoveRectTo(Captions.Title.Data->GetBounds(), TitlePos);
  if (title.Contains({x, y})) {
    setCursor(platform::AppCursor(platform::HandCursor));
  } else {
    setCursor(Qt::ArrowCursor);
  }
}

bool TFormZelto::IsOwnWidget(QObject* object) const {
  if (!object->isWidgetType()) return false;
  return static_cast<QWidget*>(object)->window() == this;
}

// Key preview: every key for this window arrives here first, whichever child has the focus;
// the window has no control that takes keys of its own.
bool TFormZelto::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !IsOwnWidget(watched))
    return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyPress) {
    // With Ctrl, Alt or Meta held a key is a shortcut, not a typed character.
    constexpr Qt::KeyboardModifiers shortcut =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QList<uint> text = key->text().toUcs4();
    if (!text.isEmpty() && !(key->modifiers() & shortcut)) FormKeyPress(char32_t(text.front()));
  } else if (!key->isAutoRepeat()) {
    // A held key repeats as presses only, like the original's character messages.
    FormKeyUp();
  }
  return true;
}

void TFormZelto::FormKeyPress(char32_t key) {
  Model.KeyPress(key);
}

void TFormZelto::FormKeyUp() {
  Model.Release();
}

void TFormZelto::ColRowButtonClick(TVexoButton* sender) {
  Model.ColRowButtonClick(sender->Tag);
}

void TFormZelto::StartButtonClick() {
  Model.Start();
}

void TFormZelto::ExitButtonClick() {
  Model.Exit();
}

std::optional<TMoveCommand> TFormZelto::HitArrow(int x, int y) const {
  return ::HitArrow(Renderer, Model, x, y);
}

void TFormZelto::pbxBoardMouseDown(Qt::MouseButton, int x, int y) {
  if (!Model.Playing || Model.ShuffleCount > 0) return;
  if (const auto hit = HitArrow(x, y)) Model.StartMove(hit->Axis, hit->Index);
}

void TFormZelto::pbxBoardMouseMove(int x, int y) {
  const bool overArrow = Model.Playing && Model.ShuffleCount <= 0 && HitArrow(x, y).has_value();
  if (overArrow) {
    pbxBoard->setCursor(platform::AppCursor(platform::HandCursor));
  } else {
    pbxBoard->setCursor(Qt::ArrowCursor);
  }
}

void TFormZelto::pbxBoardMouseUp() {
  Model.Release();
}

void TFormZelto::pbxBoardPaint(platform::Device& canvas) {
  ::ShowSurface(Library_.get(), &canvas, Pictures.BoardData);
}

void TFormZelto::pbxBackBoardPaint(platform::Device& canvas) {
  ::ShowSurface(Library_.get(), &canvas, Pictures.BackBoardData);
}

void TFormZelto::BGAfterPaint(platform::Device& canvas, const TRect& clip) {
  Captions.BGAfterPaint(canvas, clip);
}

void TFormZelto::tmrZeltoTimer() {
  Model.TimerTick();
}
