// The `shot` entry of zeltoria-lab: the data file beside the program, and the about dialog
// when the build has the desktop toolkit.
#include "tools/zeltoria-lab/LabCommand.h"
#include "tools/zeltoria-lab/ShotCommand.h"
#ifdef ZELTORIA_LAB_ABOUT
#include "tools/zeltoria-lab/AboutShot.h"
#endif

namespace {

int RunShotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
#ifdef ZELTORIA_LAB_ABOUT
  const TAboutPhotographer about = PhotographAbout;
#else
  const TAboutPhotographer about;
#endif
  return RunShot(args, out, err, ProgramFolder(), about);
}

}  // namespace

const TLabCommand ShotCommand{"shot",
                              "OUT.png [seed=N] [lang=LL] [click=X,Y | press=X,Y | move=X,Y | "
                              "release=X,Y | key=C | keyup | tick | "
                              "tick=N | run | resize=W,H | about]...",
                              RunShotCommand};
