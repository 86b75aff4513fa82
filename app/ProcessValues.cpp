#include "app/ProcessValues.h"

std::string DataDir;
std::string InstallDir;
bool StartupFailed = false;
uint16_t InstanceMessage = 0;
