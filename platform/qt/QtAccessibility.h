// Publishes a window's accessible tree through Qt's accessibility, so that AT-SPI and the
// screen readers on it see every part: an interface for the window's widget, one for each
// described part (with the press action), and an alert that speaks the announcements.
#pragma once

#include <QAccessible>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "platform/Accessible.h"

class QWidget;

namespace platform {

class WindowClient;

class QtAccessibleTree {
 public:
  // The widget shows the client's window; both outlive the tree.
  QtAccessibleTree(QWidget& widget, WindowClient*& client);
  ~QtAccessibleTree();
  QtAccessibleTree(const QtAccessibleTree&) = delete;
  QtAccessibleTree& operator=(const QtAccessibleTree&) = delete;

  // Makes Qt ask this tree for the widget's interface.
  static void InstallFactory();

  QWidget& Widget() const { return Widget_; }
  // The window's tree as the client describes it now.
  const AccessibleIndex& Parts();
  const AccessibleNode& Root() { return Parts().Root(); }
  const AccessibleNode* Find(const std::string& id) { return Parts().Find(id); }
  // The interface of a part; the window's own for the root.
  QAccessibleInterface* Interface(const std::string& id);
  // The alert that says the last announcement.
  QAccessibleInterface* Alert();
  const QString& AlertText() const { return AlertText_; }

  // Tells Qt what changed, in the client's words.
  void Changed(const std::vector<AccessibleEvent>& events);
  void Announce(const QString& text);
  // The press action: runs from the event loop, as a click would, so a dialog it opens does
  // not hold up the reader that asked.
  void Press(const std::string& id);

 private:
  void Refresh();
  void ForgetGone();

  QWidget& Widget_;
  WindowClient*& Client;
  AccessibleIndex Index;
  bool Valid = false;
  std::map<std::string, QAccessible::Id> Interfaces;
  QAccessible::Id AlertId = 0;
  QString AlertText_;
};

}  // namespace platform
