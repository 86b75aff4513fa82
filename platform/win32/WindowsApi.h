// Windows' own interface, without the macros that would rename the game's own members (a
// device's TextOut, a guard's CreateMutex, a file system's GetFileAttributes, a surface's
// UnlockSegment): the hosts call the system's wide-character functions by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef TextOut
#undef CreateMutex
#undef GetFileAttributes
#undef LockSegment
#undef UnlockSegment
