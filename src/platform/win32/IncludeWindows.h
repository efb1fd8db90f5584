// <windows.h> without the macros that would rename the engine's own functions.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// FileSystem::DeleteFile would otherwise become DeleteFileW in every file that sees
// <windows.h>, and no longer match the interface the engine calls.
#undef DeleteFile
