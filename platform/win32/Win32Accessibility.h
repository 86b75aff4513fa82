// Publishes a window's accessible tree through MSAA, so that a screen reader on Windows reads
// and plays the game as one on AT-SPI does: WM_GETOBJECT answers the client area's IAccessible,
// whose children are the parts the form describes (role, name, description, state, place and
// the default action "Press"), and an alert that says the announcements; every change is told
// with NotifyWinEvent.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "platform/win32/WindowsApi.h"

namespace platform::win32 {

class Win32WindowHost;
class AccessiblePart;

// IAccessible's interface id. The system exports it from oleacc.dll as data, which the import
// library hands to a static link as code: the value itself stands here.
inline constexpr IID AccessibleInterfaceId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class Win32Accessibility {
 public:
  explicit Win32Accessibility(Win32WindowHost& host);
  ~Win32Accessibility();
  Win32Accessibility(const Win32Accessibility&) = delete;
  Win32Accessibility& operator=(const Win32Accessibility&) = delete;

  // The answer to WM_GETOBJECT: for OBJID_CLIENT the client area's object; 0 for the rest.
  LRESULT GetObject(WPARAM wParam, LPARAM lParam);
  // A reader has asked for the tree (or the system says one runs).
  bool Active() const;
  void Changed(const std::vector<AccessibleEvent>& events);
  void Announce(const std::string& text);

  // What the objects read.
  Win32WindowHost& Host() const { return Host_; }
  const AccessibleIndex& Parts();
  const std::string& AlertText() const { return AlertText_; }
  // The object of part `id` ("" for the client area, AlertPart for the alert), made when first
  // asked for; null for a part that is gone. The reference returned is the caller's.
  AccessiblePart* Object(const std::string& id);
  // The part whose events carry `childId` (the negative of its unique number).
  AccessiblePart* ObjectOfChildId(long childId);
  long ChildIdOf(const std::string& id);

  static constexpr char AlertPart[] = "\x01alert";  // no id of the form's begins so

 private:
  void Refresh();
  void Notify(DWORD event, const std::string& id);
  void DropGone();

  Win32WindowHost& Host_;
  AccessibleIndex Index;
  bool Valid = false;
  bool Asked = false;
  std::string AlertText_;
  std::map<std::string, AccessiblePart*> Objects;  // one reference each
  std::map<std::string, long> Numbers;
  long NextNumber = 1;
};

}  // namespace platform::win32
