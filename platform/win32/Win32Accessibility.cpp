#include "platform/win32/Win32Accessibility.h"

#include <oleacc.h>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WindowHost.h"

namespace platform::win32 {

namespace {

long Role(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Window:
      return ROLE_SYSTEM_CLIENT;
    case AccessibleRole::Button:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Label:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::Grid:
      return ROLE_SYSTEM_TABLE;
    case AccessibleRole::Row:
      return ROLE_SYSTEM_ROW;
    case AccessibleRole::Cell:
      return ROLE_SYSTEM_CELL;
    case AccessibleRole::Image:
      break;
  }
  return ROLE_SYSTEM_GRAPHIC;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  static const auto allocate =
      LateBound<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  if (!allocate) return E_OUTOFMEMORY;
  const std::wstring wide = Wide(text);
  *out = allocate(wide.data(), UINT(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void Empty(VARIANT* v) {
  v->vt = VT_EMPTY;
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

}  // namespace

// One part of the window as MSAA sees it: the client area itself (id ""), a part the form
// describes, or the alert. It reads the tree at every question; once its window goes, or its
// part leaves the tree, it answers that it is disconnected.
class AccessiblePart : public IAccessible {
 public:
  AccessiblePart(Win32Accessibility& owner, std::string id) : Owner(&owner), Id(std::move(id)) {}
  void Disconnect() { Owner = nullptr; }
  const std::string& PartId() const { return Id; }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == AccessibleInterfaceId) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --References;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: none of its own; readers call IAccessible.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Owner) return RPC_E_DISCONNECTED;
    if (Id.empty()) {
      static const auto fromWindow = LateBound<decltype(AccessibleObjectFromWindow)>(
          L"oleacc.dll", "AccessibleObjectFromWindow");
      return fromWindow ? fromWindow(Owner->Host().Window(), DWORD(OBJID_WINDOW), IID_IDispatch,
                                     reinterpret_cast<void**>(parent))
                        : S_FALSE;
    }
    const AccessibleNode* above =
        Id == Win32Accessibility::AlertPart ? &Owner->Parts().Root() : Owner->Parts().ParentOf(Id);
    if (!above) return S_FALSE;
    *parent = Owner->Object(above == &Owner->Parts().Root() ? std::string() : above->Id);
    return *parent ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!Owner) return RPC_E_DISCONNECTED;
    const AccessibleNode* node = Node();
    if (node) *count = long(node->Children.size()) + (Id.empty() ? 1 : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!Owner) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4 || child.lVal == CHILDID_SELF) return E_INVALIDARG;
    *object = Child(child.lVal);
    return *object ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Ask(child, [&](AccessiblePart& part) {
      if (part.Id == Win32Accessibility::AlertPart) return Text(part.Owner->AlertText(), name);
      const AccessibleNode* node = part.Node();
      return Text(node ? node->Name : std::string(), name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    if (value) *value = nullptr;
    return Owner ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Ask(child, [&](AccessiblePart& part) {
      const AccessibleNode* node = part.Node();
      return Text(node ? node->Description : std::string(), text);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Ask(child, [&](AccessiblePart& part) {
      if (!role) return E_POINTER;
      role->vt = VT_I4;
      const AccessibleNode* node = part.Node();
      role->lVal = part.Id == Win32Accessibility::AlertPart ? ROLE_SYSTEM_ALERT
                   : node                                   ? Role(node->Role)
                                                            : ROLE_SYSTEM_CLIENT;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Ask(child, [&](AccessiblePart& part) {
      if (!state) return E_POINTER;
      state->vt = VT_I4;
      state->lVal = part.State();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    if (help) *help = nullptr;
    return Owner ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return Owner ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
    if (keys) *keys = nullptr;
    return Owner ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    Empty(focus);
    if (!Owner) return RPC_E_DISCONNECTED;
    const AccessibleNode* focused = Owner->Parts().Focused();
    if (!focused || GetFocus() != Owner->Host().Window()) return S_FALSE;
    focus->vt = VT_DISPATCH;
    focus->pdispVal = Owner->Object(focused->Id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection) Empty(selection);
    return Owner ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Ask(child, [&](AccessiblePart& part) {
      const AccessibleNode* node = part.Node();
      return Text(node && node->Pressable ? "Press" : "", action);
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override {
    return Owner ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return Ask(child, [&](AccessiblePart& part) {
      if (!left || !top || !width || !height) return E_POINTER;
      const AccessibleNode* node = part.Node();
      TRect bounds = node ? node->Bounds : TRect{};
      if (part.Id == Win32Accessibility::AlertPart) bounds = {};
      const RECT r = part.Owner->Host().ScreenRect(bounds);
      *left = r.left;
      *top = r.top;
      *width = r.right - r.left;
      *height = r.bottom - r.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
    if (end) Empty(end);
    return Owner ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!child) return E_POINTER;
    Empty(child);
    if (!Owner) return RPC_E_DISCONNECTED;
    const AccessibleNode* node = Node();
    if (!node) return S_FALSE;
    const TPoint p = Owner->Host().ClientPoint({x, y});
    if (!node->Bounds.Contains(p) && !Id.empty()) return S_FALSE;
    if (const AccessibleNode* part = AccessibleIndex::PartAt(*node, p)) {
      child->vt = VT_DISPATCH;
      child->pdispVal = Owner->Object(part->Id);
    } else {
      child->vt = VT_I4;
      child->lVal = CHILDID_SELF;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Ask(child, [&](AccessiblePart& part) {
      const AccessibleNode* node = part.Node();
      if (!node || !node->Pressable) return DISP_E_MEMBERNOTFOUND;
      part.Owner->Host().AccessiblePress(part.Id);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  virtual ~AccessiblePart() = default;

  const AccessibleNode* Node() const {
    if (!Owner || Id == Win32Accessibility::AlertPart) return nullptr;
    return Id.empty() ? &Owner->Parts().Root() : Owner->Parts().Find(Id);
  }

  long State() const {
    if (Id == Win32Accessibility::AlertPart)
      return Owner->AlertText().empty() ? STATE_SYSTEM_INVISIBLE : 0;
    const AccessibleNode* node = Node();
    if (!node) return STATE_SYSTEM_UNAVAILABLE;
    long state = 0;
    if (!node->Has(AccessibleState::Enabled)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (node->Has(AccessibleState::Pressed)) state |= STATE_SYSTEM_PRESSED;
    if (node->Has(AccessibleState::Focusable)) state |= STATE_SYSTEM_FOCUSABLE;
    if (node->Has(AccessibleState::Focused) && GetFocus() == Owner->Host().Window())
      state |= STATE_SYSTEM_FOCUSED;
    return state;
  }

  // Child `n` (1 for the first) of this part, or by its event number when n is negative. The
  // reference returned is the caller's.
  IDispatch* Child(long n) {
    if (n < 0) return Owner->ObjectOfChildId(n);
    const AccessibleNode* node = Node();
    if (!node) return nullptr;
    if (Id.empty() && size_t(n) == node->Children.size() + 1)
      return Owner->Object(Win32Accessibility::AlertPart);
    if (size_t(n) > node->Children.size()) return nullptr;
    return Owner->Object(node->Children[size_t(n - 1)].Id);
  }

  // Answers a question about this part or one of its children.
  template <class Question>
  HRESULT Ask(const VARIANT& child, Question question) {
    if (!Owner) return RPC_E_DISCONNECTED;
    if (IsSelf(child)) return question(*this);
    if (child.vt != VT_I4) return E_INVALIDARG;
    IDispatch* object = Child(child.lVal);
    if (!object) return E_INVALIDARG;
    const HRESULT answer = question(*static_cast<AccessiblePart*>(object));
    object->Release();
    return answer;
  }

  Win32Accessibility* Owner;
  std::string Id;
  ULONG References = 1;
};

Win32Accessibility::Win32Accessibility(Win32WindowHost& host) : Host_(host) {}

Win32Accessibility::~Win32Accessibility() {
  for (auto& [id, object] : Objects) {
    object->Disconnect();
    object->Release();
  }
}

bool Win32Accessibility::Active() const {
  BOOL reader = FALSE;
  return Asked || (SystemParametersInfoW(SPI_GETSCREENREADER, 0, &reader, 0) && reader);
}

// COM, which hands the objects over, starts on the window's thread at the first question.
LRESULT Win32Accessibility::GetObject(WPARAM wParam, LPARAM lParam) {
  if (LONG(lParam) != LONG(OBJID_CLIENT)) return 0;
  static const auto startCom = LateBound<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  static const auto answerWith =
      LateBound<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!answerWith || !startCom) return 0;
  if (!Asked) startCom(nullptr, COINIT_APARTMENTTHREADED);
  Asked = true;
  AccessiblePart* client = Object(std::string());
  const LRESULT answer = answerWith(AccessibleInterfaceId, wParam, client);
  client->Release();
  return answer;
}

void Win32Accessibility::Refresh() {
  Index.Reset(Host_.AccessibleTree());
  Valid = true;
}

const AccessibleIndex& Win32Accessibility::Parts() {
  if (!Valid) Refresh();
  return Index;
}

AccessiblePart* Win32Accessibility::Object(const std::string& id) {
  if (!id.empty() && id != AlertPart && !Parts().Find(id)) return nullptr;
  auto it = Objects.find(id);
  if (it == Objects.end()) it = Objects.emplace(id, new AccessiblePart(*this, id)).first;
  it->second->AddRef();
  return it->second;
}

long Win32Accessibility::ChildIdOf(const std::string& id) {
  if (id.empty()) return CHILDID_SELF;
  const auto [it, added] = Numbers.try_emplace(id, NextNumber);
  if (added) ++NextNumber;
  return -it->second;
}

AccessiblePart* Win32Accessibility::ObjectOfChildId(long childId) {
  for (const auto& [id, number] : Numbers)
    if (-number == childId) return Object(id);
  return nullptr;
}

void Win32Accessibility::Notify(DWORD event, const std::string& id) {
  NotifyWinEvent(event, Host_.Window(), OBJID_CLIENT, ChildIdOf(id));
}

// Objects of parts that went away, with whatever was inside them, answer no more.
void Win32Accessibility::DropGone() {
  for (auto it = Objects.begin(); it != Objects.end();) {
    if (it->first.empty() || it->first == AlertPart || Index.Find(it->first)) {
      ++it;
    } else {
      it->second->Disconnect();
      it->second->Release();
      it = Objects.erase(it);
    }
  }
}

void Win32Accessibility::Changed(const std::vector<AccessibleEvent>& events) {
  if (!Valid) return;  // nothing was read yet: the first reading finds it all
  Refresh();
  const std::string& root = Index.Root().Id;
  for (const AccessibleEvent& event : events) {
    const std::string id = event.Id == root ? std::string() : event.Id;
    switch (event.Change) {
      case AccessibleChange::Name:
        Notify(EVENT_OBJECT_NAMECHANGE, id);
        break;
      case AccessibleChange::Description:
        Notify(EVENT_OBJECT_DESCRIPTIONCHANGE, id);
        break;
      case AccessibleChange::Bounds:
        Notify(EVENT_OBJECT_LOCATIONCHANGE, id);
        break;
      case AccessibleChange::State:
        Notify(EVENT_OBJECT_STATECHANGE, id);
        break;
      case AccessibleChange::Focus:
        if (GetFocus() == Host_.Window()) Notify(EVENT_OBJECT_FOCUS, id);
        break;
      case AccessibleChange::Children:
        if (!event.Removed.empty()) DropGone();
        for (const std::string& came : event.Added) Notify(EVENT_OBJECT_CREATE, came);
        Notify(EVENT_OBJECT_REORDER, id);
        break;
    }
  }
}

// A screen reader speaks an alert when it is raised.
void Win32Accessibility::Announce(const std::string& text) {
  AlertText_ = text;
  if (!Active()) return;
  Notify(EVENT_OBJECT_NAMECHANGE, AlertPart);
  Notify(EVENT_SYSTEM_ALERT, AlertPart);
}

}  // namespace platform::win32
