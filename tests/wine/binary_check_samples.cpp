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
#elif defined(SAMPLE_VISTA_IMPORT)
// Windows Vista's tick counter, imported instead of looked up at run time.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();
extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT, LPARAM, LPARAM) {
  return static_cast<LONG>(GetTickCount64());
}
#elif defined(SAMPLE_XP_IMPORT)
// Windows XP's vectored exception handlers, imported.
extern "C" __declspec(dllimport) PVOID WINAPI AddVectoredExceptionHandler(ULONG, PVECTORED_EXCEPTION_HANDLER);
extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT, LPARAM, LPARAM) {
  return AddVectoredExceptionHandler(0, nullptr) ? 1 : 0;
}
#endif
