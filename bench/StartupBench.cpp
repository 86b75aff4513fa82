// The time from process start to the first painted frame, and the resident memory then, of the
// game started through its real entry (every start-up check, the settings, the single-instance
// guard and its notice server, the main window and the about dialog) beside an empty Qt widget
// window of the main window's size, each started the same way as a process of its own.
//
//   bench_startup [RUNS]        runs both kinds RUNS times (default 15), alternately, and prints
//                               the median and the fastest of each
//   bench_startup game|empty    one start (used by the above): prints the first paint's
//                               wall-clock time in nanoseconds and VmRSS in kB, then exits
//
// The game reads zelto.vx8 beside this executable, and its settings from a folder of the
// benchmark's own (XDG_CONFIG_HOME), so that a player's are left alone; like the game it will
// not start while another instance runs. Without XDG_RUNTIME_DIR, as in a bare shell, it gets a
// private one, as a desktop session has. The platform is whatever QT_QPA_PLATFORM says
// (offscreen when unset); under xvfb-run with QT_QPA_PLATFORM=xcb it is a real X server.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/QtApplicationHost.h"
#include "app/QtEntry.h"
#include "game/FormZelto.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtWindowHost.h"

extern char** environ;

namespace {

int64_t WallClockNs() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// Reports once, after `watched` has painted, and ends the process's loop.
class TFirstPaint : public QObject {
 public:
  explicit TFirstPaint(QWidget* watched) { watched->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !Seen) {
      Seen = true;
      auto* widget = static_cast<QWidget*>(watched);
      // The paint itself first, then the clock.
      widget->removeEventFilter(this);
      QApplication::sendEvent(widget, event);
      std::printf("%lld %ld\n", static_cast<long long>(WallClockNs()), ResidentKb());
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, &QApplication::quit);
      return true;
    }
    return false;
  }

 private:
  bool Seen = false;
};

class TEmptyWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {}
};

int RunChild(const std::string& kind, char* argv0) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (kind == "game") {
    return RunQtEntry(argv0, [](TQtApplicationHost& host) {
      TFirstPaint probe(host.MainWindowHost());
      return QApplication::exec();
    });
  }
  int argc = 1;
  char* argv[] = {argv0, nullptr};
  QApplication application(argc, argv);
  TEmptyWindow window;
  window.setFixedSize(TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight);
  TFirstPaint probe(&window);
  window.show();
  return QApplication::exec();
}

struct TSample {
  double Ms;
  long Kb;
};

bool StartOnce(const char* self, const char* kind, TSample& sample) {
  int out[2];
  if (pipe(out) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char* args[] = {const_cast<char*>(self), const_cast<char*>(kind), nullptr};
  pid_t pid = 0;
  const int64_t started = WallClockNs();
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return false;
  }
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  long long painted = 0;
  long kb = 0;
  if (std::sscanf(text.c_str(), "%lld %ld", &painted, &kb) != 2) return false;
  sample = {double(painted - started) / 1e6, kb};
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct TSummary {
  double MedianMs = 0;
  double FastestMs = 0;
  long MedianKb = 0;
};

// Prints the line of one kind.
TSummary Report(const char* name, std::vector<TSample> samples) {
  if (samples.empty()) {
    std::printf("%-22s no successful start\n", name);
    return {};
  }
  std::sort(samples.begin(), samples.end(),
            [](const TSample& a, const TSample& b) { return a.Ms < b.Ms; });
  std::vector<long> kb;
  for (const TSample& s : samples) kb.push_back(s.Kb);
  std::sort(kb.begin(), kb.end());
  std::printf(
      "%-22s first paint: median %7.1f ms, fastest %7.1f ms; resident: median %6ld kB  (%zu "
      "runs)\n",
      name, samples[samples.size() / 2].Ms, samples.front().Ms, kb[kb.size() / 2], samples.size());
  return {samples[samples.size() / 2].Ms, samples.front().Ms, kb[kb.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "game") == 0 || std::strcmp(argv[1], "empty") == 0))
    return RunChild(argv[1], argv[0]);
  const int runs = argc == 2 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::string self = platform::QtFileSystem().ExecutablePath();
  QTemporaryDir settings;
  if (!settings.isValid()) {
    std::fprintf(stderr, "bench_startup: cannot make a settings folder\n");
    return 1;
  }
  setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
  // A desktop session has a private runtime folder; a bare shell may not.
  QTemporaryDir runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
    setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
  std::vector<TSample> game, empty;
  for (int i = 0; i < runs; ++i) {
    TSample s{};
    if (StartOnce(self.c_str(), "game", s)) game.push_back(s);
    if (StartOnce(self.c_str(), "empty", s)) empty.push_back(s);
  }
  std::printf("platform: %s\n", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                                    ? "offscreen"
                                    : qgetenv("QT_QPA_PLATFORM").constData());
  const TSummary g = Report("Zeltoria main window", game);
  const TSummary e = Report("empty Qt widget window", empty);
  if (game.empty() || empty.empty()) return 1;
  // On a busy machine the fastest starts say more about the program than the medians do.
  std::printf(
      "ratio: first paint median %.2f x, fastest %.2f x the empty window; resident %+ld kB\n",
      g.MedianMs / e.MedianMs, g.FastestMs / e.FastestMs, g.MedianKb - e.MedianKb);
  return 0;
}
