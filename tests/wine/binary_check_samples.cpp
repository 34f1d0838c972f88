// Small libraries with one fault each, for checking the binary checker.
#include <windows.h>

#if defined(SAMPLE_HELPER)
extern "C" __declspec(dllexport) int SampleHelper() { return 1; }
#elif defined(SAMPLE_FOREIGN_IMPORT)
extern "C" __declspec(dllimport) int SampleHelper();
extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT, LPARAM, LPARAM) { return SampleHelper(); }
#elif defined(SAMPLE_EXTRA_EXPORT)
extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT, LPARAM, LPARAM) { return 0; }
extern "C" __declspec(dllexport) int Extra() { return 1; }
#elif defined(SAMPLE_NO_ENTRY)
extern "C" __declspec(dllexport) LONG APIENTRY CplApplet(HWND, UINT, LPARAM, LPARAM) { return 0; }
#endif
