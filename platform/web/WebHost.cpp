#include "platform/web/WebHost.h"

#include <emscripten.h>

#include "platform/Cursors.h"

// The page's side, in the page script's `zeltoriaPage` object.
EM_JS(void, PagePresent, (const uint8_t* rgba, int width, int height, int x, int y, int w, int h),
      { zeltoriaPage.present(rgba, width, height, x, y, w, h); });
EM_JS(void, PageStartTimer, (int milliseconds), { zeltoriaPage.startTimer(milliseconds); });
EM_JS(void, PageStopTimer, (), { zeltoriaPage.stopTimer(); });
EM_JS(void, PageSetCursor, (const char* file, int hotX, int hotY),
      { zeltoriaPage.setCursor(file ? UTF8ToString(file) : "", hotX, hotY); });
EM_JS(void, PageShowMessage, (const char* text), { zeltoriaPage.showMessage(UTF8ToString(text)); });
EM_JS(void, PageAccessibleChanged, (), { zeltoriaAccess.changed(); });
EM_JS(void, PageAnnounce, (const char* text), { zeltoriaAccess.announce(UTF8ToString(text)); });
EM_JS(void, PagePostStep, (), {
  setTimeout(
      function() { _zeltoria_run_step(); }, 0);
});

namespace platform {

namespace {

void Quote(const std::string& text, std::string& json) {
  json += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      json += ' ';
    } else {
      json += c;
    }
  }
  json += '"';
}

void Write(const AccessibleNode& node, int& index, std::string& json) {
  json += "{\"id\":";
  Quote(node.Id, json);
  json += ",\"role\":" + std::to_string(int(node.Role)) + ",\"name\":";
  Quote(node.Name, json);
  json += ",\"description\":";
  Quote(node.Description, json);
  const TRect& b = node.Bounds;
  json += ",\"states\":" + std::to_string(node.States) + ",\"bounds\":[" + std::to_string(b.Left) +
          "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
          std::to_string(b.Bottom) + "],\"press\":" + (node.Pressable ? "1" : "0") +
          ",\"index\":" + std::to_string(index++) + ",\"children\":[";
  for (size_t i = 0; i < node.Children.size(); ++i) {
    if (i > 0) json += ',';
    Write(node.Children[i], index, json);
  }
  json += "]}";
}

}  // namespace

std::string AccessibleJson(const AccessibleNode& root) {
  std::string json;
  int index = 0;
  Write(root, index, json);
  return json;
}

void WebHost::AccessibleChanged(const std::vector<AccessibleEvent>&) {
  PageAccessibleChanged();
}

void WebHost::Announce(const std::string& text) {
  PageAnnounce(text.c_str());
}

WebHost::WebHost(int width, int height)
    : MemoryHost(width, height, PixelOrder::CanvasRgba),
      AfterFirstFrame_([this](FirstFrameQueue::Step step) {
        Posted.push_back(std::move(step));
        PagePostStep();
      }) {}

void WebHost::RunPostedStep() {
  if (Posted.empty()) return;
  const FirstFrameQueue::Step step = std::move(Posted.front());
  Posted.erase(Posted.begin());
  step();
}

WebHost::~WebHost() {
  if (TimerRunning()) PageStopTimer();
}

void WebHost::SetCursor(CursorId cursor) {
  if (const resources::Cursor* custom = CursorResourceOf(cursor)) {
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
  PageShowMessage(text.c_str());
}

void WebHost::Painted(const TRect& area) {
  const MemoryDevice& screen = Screen();
  const TRect inside = Intersection(area, {0, 0, screen.Width(), screen.Height()});
  if (inside.IsEmpty()) return;
  PagePresent(reinterpret_cast<const uint8_t*>(screen.Pixels().data()), screen.Width(),
              screen.Height(), inside.Left, inside.Top, inside.Width(), inside.Height());
}

}  // namespace platform
