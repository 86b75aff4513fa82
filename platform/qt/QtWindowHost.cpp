#include "platform/qt/QtWindowHost.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <optional>
#include <utility>

#include "platform/KeyInput.h"
#include "platform/qt/AppCursors.h"
#include "platform/qt/QtAccessibility.h"
#include "platform/qt/WidgetDevice.h"

namespace platform {

namespace {

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// The form's button for a Qt button; none for buttons the game does not know.
std::optional<MouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

QtWindowHost::QtWindowHost(ClientSize size, const QString& title, MessageBoxes& boxes)
    : Boxes(boxes),
      Accessibility(std::make_unique<QtAccessibleTree>(*this, Client)),
      Timer(this),
      AfterFirstFrame_(
          [this](FirstFrameQueue::Step step) { QTimer::singleShot(0, this, std::move(step)); }) {
  setWindowTitle(title);
  // A single border: the user cannot resize the window.
  setFixedSize(size.Width, size.Height);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  // The form paints every pixel of its client area.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Timer.setTimerType(Qt::PreciseTimer);
  connect(&Timer, &QTimer::timeout, this, [this] {
    if (Client) Client->TimerTick();
  });
}

QtWindowHost::~QtWindowHost() = default;

bool QtWindowHost::AccessibilityActive() const {
  return QAccessible::isActive();
}

void QtWindowHost::AccessibleChanged(const std::vector<AccessibleEvent>& events) {
  Accessibility->Changed(events);
}

// Nothing is said for a window no one sees yet.
void QtWindowHost::Announce(const std::string& text) {
  if (isVisible() && QAccessible::isActive()) Accessibility->Announce(QString::fromStdString(text));
}

void QtWindowHost::Invalidate(const TRect& area) {
  update(ToQRect(area));
}

// Qt paints at once whatever else waits to be painted as well; the paint event then paints
// that through the form and `paint` over `area`.
void QtWindowHost::PaintNow(const TRect& area, const PaintFunction& paint) {
  if (!isVisible() || area.IsEmpty()) return;
  PaintingNow = &paint;
  PaintingNowArea = area;
  repaint(ToQRect(area));
  PaintingNow = nullptr;
}

void QtWindowHost::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRegion rest = event->region();
  if (PaintingNow) rest -= ToQRect(PaintingNowArea);
  if (!rest.isEmpty() && Client) {
    painter.setClipRegion(rest);
    WidgetDevice device(painter, rest);
    Client->Paint(device);
  }
  if (PaintingNow) {
    painter.setClipRect(ToQRect(PaintingNowArea));
    WidgetDevice device(painter, ToQRect(PaintingNowArea));
    (*PaintingNow)(device);
  }
  AfterFirstFrame_.FramePainted();
}

void QtWindowHost::AfterFirstFrame(std::function<void()> then) {
  AfterFirstFrame_.Add(std::move(then));
}

void QtWindowHost::SetCursor(CursorId cursor) {
  setCursor(AppCursor(cursor));
}

// A running timer starts its count afresh; the form's timer decides when that happens.
void QtWindowHost::StartTimer(int milliseconds) {
  Timer.start(milliseconds);
}

// A true-colour screen has no palette to realise.
int QtWindowHost::RealizePalette(const LogicalPalette&) {
  return 0;
}

void QtWindowHost::BringToFront() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void QtWindowHost::mousePressEvent(QMouseEvent* event) {
  const auto button = ToMouseButton(event->button());
  if (!button || !Client) return;
  const QPoint p = event->position().toPoint();
  Client->MouseDown(*button, p.x(), p.y());
}

void QtWindowHost::mouseMoveEvent(QMouseEvent* event) {
  if (!Client) return;
  const QPoint p = event->position().toPoint();
  Client->MouseMove(p.x(), p.y());
}

void QtWindowHost::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = ToMouseButton(event->button());
  if (!button || !Client) return;
  const QPoint p = event->position().toPoint();
  Client->MouseUp(*button, p.x(), p.y());
}

// The key as the shared key policy takes it. The native scan code is the key's place: the
// keycode of the X keyboard extension on both of Qt's Linux platforms.
KeyStroke QtWindowHost::Stroke(const QKeyEvent& event) {
  KeyStroke key;
  switch (event.key()) {
    case Qt::Key_Tab:
      key.Kind = KeyKind::Tab;
      break;
    case Qt::Key_Backtab:
      key.Kind = KeyKind::Tab;
      key.Shift = true;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key.Kind = KeyKind::Enter;
      break;
    case Qt::Key_Space:
      key.Kind = KeyKind::Space;
      break;
    default:
      break;
  }
  const QList<uint> text = event.text().toUcs4();
  key.Typed = text.isEmpty() ? 0 : char32_t(text.front());
  key.UsPlace = UsPlaceOfXkbKeycode(event.nativeScanCode());
  key.Shift = key.Shift || (event.modifiers() & Qt::ShiftModifier);
  key.Shortcut = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  key.AutoRepeat = event.isAutoRepeat();
  return key;
}

void QtWindowHost::keyPressEvent(QKeyEvent* event) {
  if (Client) DeliverKeyPress(*Client, Stroke(*event));
}

void QtWindowHost::keyReleaseEvent(QKeyEvent* event) {
  if (Client) DeliverKeyRelease(*Client, event->isAutoRepeat());
}

// The release of a key held now goes to whatever has the keyboard next.
void QtWindowHost::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (Client) Client->CaptureLost();
}

void QtWindowHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Client) Client->Resized(Size());
}

// A modal dialog over the window takes the mouse: Qt never delivers the release of a press that
// opened it, so the form must not wait for one.
bool QtWindowHost::event(QEvent* event) {
  if (event->type() == QEvent::WindowBlocked && Client) Client->CaptureLost();
  return QWidget::event(event);
}

void QtWindowHost::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !Client) return;
  if (isActiveWindow())
    Client->Activated();
  else
    Client->CaptureLost();
}

void QtWindowHost::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The first time the window appears; a window coming back from the taskbar is no new show.
  if (event->spontaneous() || ShownOnce) return;
  ShownOnce = true;
  // Once the window is on screen with its first frame painted, not from inside its own show:
  // the form may open a modal dialog over it.
  AfterFirstFrame([this] {
    if (Client) Client->Shown();
  });
}

}  // namespace platform
