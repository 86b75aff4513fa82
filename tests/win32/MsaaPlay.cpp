// zeltoria-msaa: plays the running game to a win through MSAA alone, as a screen reader on
// Windows would: the client area's object from its window, the grids read by their cells'
// descriptions, Start and the arrows pressed by their default action, the win heard in the
// alert. Prints the parts it found; exit status 0 once the game says it is solved.
#include "platform/win32/WindowsApi.h"
// after the system's own header, as WindowsApi.h has it
#include <oleacc.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "platform/win32/Win32Accessibility.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

namespace {

using Grid = std::vector<std::vector<std::string>>;

struct Part {
  IAccessible* Object = nullptr;  // held
  std::string Name;
  std::string Description;
  long Role = 0;
  long State = 0;
};

VARIANT Self() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* a) {
  BSTR text = nullptr;
  if ((a->*get)(Self(), &text) != S_OK || !text) return {};
  const std::string utf8 = platform::win32::Utf8(text);
  SysFreeString(text);
  return utf8;
}

Part Read(IAccessible* a) {
  Part p;
  p.Object = a;
  p.Name = Text(&IAccessible::get_accName, a);
  p.Description = Text(&IAccessible::get_accDescription, a);
  VARIANT v;
  VariantInit(&v);
  if (a->get_accRole(Self(), &v) == S_OK && v.vt == VT_I4) p.Role = v.lVal;
  VariantInit(&v);
  if (a->get_accState(Self(), &v) == S_OK && v.vt == VT_I4) p.State = v.lVal;
  return p;
}

std::vector<Part> Children(IAccessible* a) {
  long count = 0;
  a->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  std::vector<Part> parts;
  if (count <= 0 || AccessibleChildren(a, 0, count, children.data(), &got) != S_OK) return parts;
  for (long i = 0; i < got; ++i) {
    if (children[size_t(i)].vt == VT_DISPATCH && children[size_t(i)].pdispVal) {
      IAccessible* child = nullptr;
      children[size_t(i)].pdispVal->QueryInterface(platform::win32::AccessibleInterfaceId,
                                                   reinterpret_cast<void**>(&child));
      children[size_t(i)].pdispVal->Release();
      if (child) parts.push_back(Read(child));
    }
  }
  return parts;
}

// A grid's rows of cell descriptions, without the player's board's judgement.
Grid ReadGrid(IAccessible* table) {
  static const std::regex judgement(", (not )?in place$");
  Grid grid;
  for (const Part& row : Children(table)) {
    std::vector<std::string> cells;
    for (const Part& cell : Children(row.Object)) {
      cells.push_back(std::regex_replace(cell.Description, judgement, ""));
      cell.Object->Release();
    }
    grid.push_back(cells);
    row.Object->Release();
  }
  return grid;
}

// The grid after the move an arrow is named for: "Column B up, key B", "Row 2 right, key 5".
Grid Moved(Grid g, const std::string& name) {
  std::smatch m;
  static const std::regex move("^(Column|Row) (\\w+) (\\w+),");
  if (!std::regex_search(name, m, move)) return g;
  const bool column = m[1] == "Column";
  const std::string line = m[2];
  const std::string way = m[3];
  if (column) {
    const size_t c = size_t(line[0] - 'A');
    std::vector<std::string> values;
    for (auto& row : g) values.push_back(row[c]);
    std::vector<std::string> turned(values.size());
    for (size_t i = 0; i < values.size(); ++i)
      turned[i] = way == "up" ? values[(i + 1) % values.size()]
                              : values[(i + values.size() - 1) % values.size()];
    for (size_t r = 0; r < g.size(); ++r) g[r][c] = turned[r];
  } else {
    auto& row = g[size_t(std::stoi(line) - 1)];
    std::vector<std::string> turned(row.size());
    for (size_t i = 0; i < row.size(); ++i)
      turned[i] =
          way == "left" ? row[(i + 1) % row.size()] : row[(i + row.size() - 1) % row.size()];
    row = turned;
  }
  return g;
}

std::vector<std::string> Solve(const Grid& from, const Grid& to,
                               const std::vector<std::string>& arrows) {
  std::map<Grid, std::pair<Grid, std::string>> came;
  std::deque<Grid> queue{from};
  came[from] = {{}, ""};
  while (!queue.empty() && !came.count(to)) {
    const Grid g = queue.front();
    queue.pop_front();
    for (const std::string& name : arrows) {
      const Grid next = Moved(g, name);
      if (!came.count(next)) {
        came[next] = {g, name};
        queue.push_back(next);
      }
    }
  }
  std::vector<std::string> path;
  for (Grid at = to; came.count(at) && !came[at].second.empty(); at = came[at].first)
    path.insert(path.begin(), came[at].second);
  return path;
}

bool WaitFor(const char* what, const std::function<bool()>& probe, int seconds = 20) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (probe()) return true;
    Sleep(50);
  }
  std::fprintf(stderr, "timed out waiting for %s\n", what);
  return false;
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = nullptr;
  if (!WaitFor("the game's window", [&] {
        return (window = FindWindowW(platform::win32::FormClassName, nullptr)) != nullptr;
      }))
    return 1;
  IAccessible* client = nullptr;
  if (AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT),
                                 platform::win32::AccessibleInterfaceId,
                                 reinterpret_cast<void**>(&client)) != S_OK) {
    std::fputs("no accessible object for the window\n", stderr);
    return 1;
  }
  const auto find = [&](long role, const std::string& name) -> IAccessible* {
    IAccessible* found = nullptr;
    for (const Part& p : Children(client)) {
      if (!found && p.Role == role && (name.empty() || p.Name == name))
        found = p.Object;
      else
        p.Object->Release();
    }
    return found;
  };
  for (const Part& p : Children(client)) {
    std::printf("%ld \"%s\"\n", p.Role, p.Name.c_str());
    p.Object->Release();
  }
  IAccessible* alert = find(ROLE_SYSTEM_ALERT, "");
  const auto said = [&] { return Text(&IAccessible::get_accName, alert); };
  IAccessible* start = find(ROLE_SYSTEM_PUSHBUTTON, "Start");
  if (!alert || !start || start->accDoDefaultAction(Self()) != S_OK) return 1;
  if (!WaitFor("the shuffle's end", [&] { return said().rfind("Board scrambled", 0) == 0; }))
    return 1;
  std::printf("said: %s\n", said().c_str());
  IAccessible* board = find(ROLE_SYSTEM_TABLE, "Your board");
  IAccessible* pattern = find(ROLE_SYSTEM_TABLE, "Pattern");
  std::map<std::string, IAccessible*> arrows;
  std::vector<std::string> names;
  for (const Part& p : Children(client)) {
    if (p.Role == ROLE_SYSTEM_PUSHBUTTON &&
        (p.Name.rfind("Column", 0) == 0 || p.Name.rfind("Row", 0) == 0)) {
      arrows[p.Name] = p.Object;
      names.push_back(p.Name);
    } else {
      p.Object->Release();
    }
  }
  const std::vector<std::string> path = Solve(ReadGrid(board), ReadGrid(pattern), names);
  std::printf("moves: %zu\n", path.size());
  for (const std::string& name : path) {
    const Grid expected = Moved(ReadGrid(board), name);
    arrows[name]->accDoDefaultAction(Self());
    const std::string move = name.substr(0, name.find(','));
    if (!WaitFor(name.c_str(), [&] {
          for (const auto& [n, arrow] : arrows) {
            VARIANT state;
            VariantInit(&state);
            if (arrow->get_accState(Self(), &state) == S_OK && (state.lVal & STATE_SYSTEM_PRESSED))
              return false;
          }
          return ReadGrid(board) == expected && said().rfind(move, 0) == 0;
        }))
      return 1;
    Sleep(500);  // the slide's last frames: a press meanwhile would start nothing
    std::printf("said: %s\n", said().c_str());
  }
  if (!WaitFor("the win", [&] { return said().find("Solved") != std::string::npos; })) return 1;
  std::puts("won through MSAA alone");
  return 0;
}
