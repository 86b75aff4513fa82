#include "platform/qt/QtAccessibility.h"

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

#include "platform/Window.h"

namespace platform {

namespace {

constexpr char TreeProperty[] = "zeltoriaAccessibleTree";
constexpr char AlertPart[] =
    "\x01"
    "alert";  // no id of the client's begins so

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QAccessible::Role QtRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Window:
      return QAccessible::Window;
    case AccessibleRole::Button:
      return QAccessible::Button;
    case AccessibleRole::Label:
      return QAccessible::StaticText;
    case AccessibleRole::Grid:
      return QAccessible::Table;
    case AccessibleRole::Row:
      return QAccessible::Row;
    case AccessibleRole::Cell:
      return QAccessible::Cell;
    case AccessibleRole::Image:
      break;
  }
  return QAccessible::Graphic;
}

QAccessible::State QtState(const AccessibleNode& node, bool windowActive) {
  QAccessible::State state;
  state.disabled = !node.Has(AccessibleState::Enabled);
  state.pressed = node.Has(AccessibleState::Pressed);
  state.focusable = node.Has(AccessibleState::Focusable);
  state.focused = windowActive && node.Has(AccessibleState::Focused);
  return state;
}

QRect ScreenRect(const QWidget& widget, const TRect& r) {
  return QRect(widget.mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
}

// The deepest part of `node` under the screen point, if any.
const AccessibleNode* PartAt(const QWidget& widget, const AccessibleNode& node, int x, int y) {
  const QPoint p = widget.mapFromGlobal(QPoint(x, y));
  return AccessibleIndex::PartAt(node, {p.x(), p.y()});
}

// One described part of the window, read from the tree each time it is asked.
class QtAccessiblePart : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  QtAccessiblePart(QtAccessibleTree& tree, std::string id) : Tree(tree), Id(std::move(id)) {}

  bool isValid() const override { return Id == AlertPart || Tree.Find(Id) != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return Tree.Widget().windowHandle(); }
  QAccessibleInterface* parent() const override {
    const AccessibleNode* parent = Id == AlertPart ? &Tree.Root() : Tree.Parts().ParentOf(Id);
    return parent ? Tree.Interface(parent->Id) : nullptr;
  }
  int childCount() const override { return Node() ? int(Node()->Children.size()) : 0; }
  QAccessibleInterface* child(int index) const override {
    const AccessibleNode* node = Node();
    if (!node || index < 0 || index >= int(node->Children.size())) return nullptr;
    return Tree.Interface(node->Children[size_t(index)].Id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const AccessibleNode* node = Node();
    for (int i = 0; node && i < int(node->Children.size()); ++i)
      if (Tree.Interface(node->Children[size_t(i)].Id) == child) return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const AccessibleNode* node = Node();
    const AccessibleNode* part = node ? PartAt(Tree.Widget(), *node, x, y) : nullptr;
    return part ? Tree.Interface(part->Id) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (Id == AlertPart) return t == QAccessible::Name ? Tree.AlertText() : QString();
    const AccessibleNode* node = Node();
    if (!node) return {};
    if (t == QAccessible::Name) return Q(node->Name);
    if (t == QAccessible::Description) return Q(node->Description);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const AccessibleNode* node = Node();
    return node ? ScreenRect(Tree.Widget(), node->Bounds) : QRect();
  }
  QAccessible::Role role() const override {
    if (Id == AlertPart) return QAccessible::AlertMessage;
    const AccessibleNode* node = Node();
    return node ? QtRole(node->Role) : QAccessible::NoRole;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (Id == AlertPart) {
      state.invisible = Tree.AlertText().isEmpty();
      return state;
    }
    const AccessibleNode* node = Node();
    if (!node) {
      state.invalid = true;
      return state;
    }
    return QtState(*node, Tree.Widget().isActiveWindow());
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  QStringList actionNames() const override {
    const AccessibleNode* node = Node();
    if (!node || !node->Pressable) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (name == pressAction()) Tree.Press(Id);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  const AccessibleNode* Node() const { return Id == AlertPart ? nullptr : Tree.Find(Id); }

  QtAccessibleTree& Tree;
  std::string Id;
};

QtAccessibleTree* TreeOf(const QWidget* widget) {
  return static_cast<QtAccessibleTree*>(widget->property(TreeProperty).value<void*>());
}

// The window's widget: its children are the parts the client describes, then the alert. The
// tree is looked up at each question, so a widget whose tree went first has no children.
class QtAccessibleWindow : public QAccessibleWidget {
 public:
  explicit QtAccessibleWindow(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Window) {}

  int childCount() const override {
    QtAccessibleTree* tree = TreeOf(widget());
    return tree ? int(tree->Root().Children.size()) + 1 : 0;
  }
  QAccessibleInterface* child(int index) const override {
    QtAccessibleTree* tree = TreeOf(widget());
    if (!tree) return nullptr;
    const auto& parts = tree->Root().Children;
    if (index == int(parts.size())) return tree->Alert();
    if (index < 0 || index > int(parts.size())) return nullptr;
    return tree->Interface(parts[size_t(index)].Id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i)
      if (this->child(i) == child) return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QtAccessibleTree* tree = TreeOf(widget());
    const AccessibleNode* part = tree ? PartAt(*widget(), tree->Root(), x, y) : nullptr;
    return part ? tree->Interface(part->Id) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    QtAccessibleTree* tree = TreeOf(widget());
    const AccessibleNode* focused = tree ? tree->Parts().Focused() : nullptr;
    return focused ? tree->Interface(focused->Id) : nullptr;
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  return widget && TreeOf(widget) ? new QtAccessibleWindow(widget) : nullptr;
}

}  // namespace

QtAccessibleTree::QtAccessibleTree(QWidget& widget, WindowClient*& client)
    : Widget_(widget), Client(client) {
  InstallFactory();
  Widget_.setProperty(TreeProperty, QVariant::fromValue(static_cast<void*>(this)));
}

QtAccessibleTree::~QtAccessibleTree() {
  Widget_.setProperty(TreeProperty, QVariant());
  for (const auto& [id, handle] : Interfaces) QAccessible::deleteAccessibleInterface(handle);
  if (AlertId) QAccessible::deleteAccessibleInterface(AlertId);
}

void QtAccessibleTree::InstallFactory() {
  QAccessible::installFactory(Factory);
}

void QtAccessibleTree::Refresh() {
  Index.Reset(Client ? Client->Accessible() : AccessibleNode{});
  Valid = true;
}

const AccessibleIndex& QtAccessibleTree::Parts() {
  if (!Valid) Refresh();
  return Index;
}

QAccessibleInterface* QtAccessibleTree::Interface(const std::string& id) {
  if (id == Root().Id) return QAccessible::queryAccessibleInterface(&Widget_);
  if (!Find(id)) return nullptr;
  auto it = Interfaces.find(id);
  if (it == Interfaces.end())
    it = Interfaces
             .emplace(id, QAccessible::registerAccessibleInterface(new QtAccessiblePart(*this, id)))
             .first;
  return QAccessible::accessibleInterface(it->second);
}

QAccessibleInterface* QtAccessibleTree::Alert() {
  if (!AlertId)
    AlertId = QAccessible::registerAccessibleInterface(new QtAccessiblePart(*this, AlertPart));
  return QAccessible::accessibleInterface(AlertId);
}

// Parts that went away, with whatever was inside them, lose their interfaces.
void QtAccessibleTree::ForgetGone() {
  for (auto it = Interfaces.begin(); it != Interfaces.end();) {
    if (Find(it->first)) {
      ++it;
    } else {
      QAccessible::deleteAccessibleInterface(it->second);
      it = Interfaces.erase(it);
    }
  }
}

void QtAccessibleTree::Changed(const std::vector<AccessibleEvent>& events) {
  if (!Valid) return;  // nothing was read yet: the next reading finds it all
  Refresh();
  for (const AccessibleEvent& event : events) {
    QAccessibleInterface* part = Interface(event.Id);
    if (!part) continue;
    switch (event.Change) {
      case AccessibleChange::Name: {
        QAccessibleEvent e(part, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&e);
        break;
      }
      case AccessibleChange::Description: {
        QAccessibleEvent e(part, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&e);
        break;
      }
      case AccessibleChange::Bounds: {
        QAccessibleEvent e(part, QAccessible::LocationChanged);
        QAccessible::updateAccessibility(&e);
        break;
      }
      case AccessibleChange::State: {
        QAccessible::State changed;
        changed.disabled = (event.States & AccessibleState::Enabled) != 0;
        changed.pressed = (event.States & AccessibleState::Pressed) != 0;
        changed.focusable = (event.States & AccessibleState::Focusable) != 0;
        QAccessibleStateChangeEvent e(part, changed);
        QAccessible::updateAccessibility(&e);
        break;
      }
      case AccessibleChange::Focus: {
        if (!Widget_.hasFocus()) break;
        QAccessibleEvent e(part, QAccessible::Focus);
        QAccessible::updateAccessibility(&e);
        break;
      }
      case AccessibleChange::Children: {
        if (!event.Removed.empty()) ForgetGone();
        for (const std::string& came : event.Added) {
          QAccessibleEvent e(Interface(came), QAccessible::ObjectCreated);
          QAccessible::updateAccessibility(&e);
        }
        QAccessibleEvent e(part, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&e);
        break;
      }
    }
  }
}

void QtAccessibleTree::Announce(const QString& text) {
  QAccessibleInterface* alert = Alert();
  AlertText_ = text;
  QAccessibleEvent name(alert, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
  // A screen reader speaks an alert when it shows.
  QAccessibleEvent shown(alert, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

void QtAccessibleTree::Press(const std::string& id) {
  QMetaObject::invokeMethod(
      &Widget_,
      [this, id] {
        if (Client) Client->AccessiblePress(id);
      },
      Qt::QueuedConnection);
}

}  // namespace platform
