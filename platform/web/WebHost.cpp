#include "platform/web/WebHost.h"

#include <emscripten.h>

#include "platform/ResourceFacts.h"

// The page's side, in the page script's `zeltoriaPage` object.
EM_JS(void, PagePresent, (const uint32_t* pixels, int stride, int x, int y, int w, int h),
      { zeltoriaPage.present(pixels, stride, x, y, w, h); });
EM_JS(void, PageStartTimer, (int milliseconds), { zeltoriaPage.startTimer(milliseconds); });
EM_JS(void, PageStopTimer, (), { zeltoriaPage.stopTimer(); });
EM_JS(void, PageSetCursor, (const char* file, int hotX, int hotY),
      { zeltoriaPage.setCursor(file ? UTF8ToString(file) : "", hotX, hotY); });
EM_JS(void, PageShowMessage, (const char* text), { zeltoriaPage.showMessage(UTF8ToString(text)); });

namespace platform {

WebHost::~WebHost() {
  if (TimerRunning()) PageStopTimer();
}

void WebHost::SetCursor(CursorId cursor) {
  MemoryHost::SetCursor(cursor);
  const resources::Cursor* custom = cursor == CursorId::Hand   ? &resources::HandCursor
                                    : cursor == CursorId::Link ? &resources::LinkCursor
                                                               : nullptr;
  if (custom) {
    PageSetCursor(custom->File, custom->HotX, custom->HotY);
  } else {
    PageSetCursor(nullptr, 0, 0);
  }
}

void WebHost::StartTimer(int milliseconds) {
  MemoryHost::StartTimer(milliseconds);
  PageStartTimer(milliseconds);
}

void WebHost::StopTimer() {
  MemoryHost::StopTimer();
  PageStopTimer();
}

void WebHost::ShowMessage(const std::string& text) {
  MemoryHost::ShowMessage(text);
  PageShowMessage(text.c_str());
}

void WebHost::Painted(const TRect& area) {
  const MemoryDevice& screen = Screen();
  const TRect inside = Intersection(area, {0, 0, screen.Width(), screen.Height()});
  if (inside.IsEmpty()) return;
  PagePresent(screen.Pixels().data(), screen.Width(), inside.Left, inside.Top, inside.Width(),
              inside.Height());
}

}  // namespace platform
