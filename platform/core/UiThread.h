#pragma once
// The threading rule, checked in debug builds: windows, widgets, the rich-edit control and their
// globals belong to the user-interface thread (the process's first thread). Code that only such
// a thread may run starts with ASSERT_UI_THREAD(); from another thread a debug build stops
// there, naming the place.

#ifdef NDEBUG
#define ASSERT_UI_THREAD() ((void)0)
#else
#define ASSERT_UI_THREAD() FailUnlessUiThread(__FILE__, __LINE__, __func__)
#endif

// Aborts, naming the place, unless called on the user-interface thread.
void FailUnlessUiThread(const char* file, int line, const char* function);
