// Starts like the game as far as the single-instance guard, and reports each step on stdout:
//   instance_probe start [ms]   "message N", then "created" and waits up to ms (default 20000)
//                               for a notice ("notice N", exit 0; none: exit 3), or "exists",
//                               sends the notice and prints "posted" (or "unanswered", exit 4),
//                               or "failed: WHY" (exit 1)
//   instance_probe exe          the executable's path as the start-up finds it
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtInstanceGuard.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "exe") == 0) {
    Say(platform::QtFileSystem().ExecutablePath());
    return 0;
  }
  if (argc < 2 || std::strcmp(argv[1], "start") != 0) return 2;
  const int waitMs = argc >= 3 ? std::atoi(argv[2]) : 20000;

  platform::QtInstanceGuard guard;
  const uint16_t message = guard.RegisterMessage("Check for Zeltoria instance");
  Say("message " + std::to_string(message));
  switch (guard.CreateMutex("ZE32")) {
    case platform::MutexResult::Created:
      break;
    case platform::MutexResult::AlreadyExists:
      Say("exists");
      if (!guard.PostToAllWindows(message)) {
        Say("unanswered");
        return 4;
      }
      Say("posted");
      return 0;
    case platform::MutexResult::Failed:
      Say("failed: " + guard.MutexFailure(language::TLanguage()));
      return 1;
  }
  QObject::connect(&guard, &platform::QtInstanceGuard::MessageReceived, &app, [](quint16 received) {
    Say("notice " + std::to_string(received));
    QCoreApplication::exit(0);
  });
  QTimer::singleShot(waitMs, &app, [] { QCoreApplication::exit(3); });
  Say("created");
  return app.exec();
}
