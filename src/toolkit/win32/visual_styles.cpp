#include "toolkit/win32/visual_styles.h"

#include <commctrl.h>

namespace varnox {

namespace {

constexpr WORD kManifestResource = 123;

using CreateActCtxWFn = HANDLE(WINAPI*)(const ACTCTXW*);
using ReleaseActCtxFn = void(WINAPI*)(HANDLE);
using ActivateActCtxFn = BOOL(WINAPI*)(HANDLE, ULONG_PTR*);
using DeactivateActCtxFn = BOOL(WINAPI*)(DWORD, ULONG_PTR);

template <class Fn>
Fn Kernel32Function(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

}  // namespace

VisualStyleContext::VisualStyleContext(HMODULE module) {
  const auto create = Kernel32Function<CreateActCtxWFn>("CreateActCtxW");
  if (!create || !module) return;
  if (!FindResourceW(module, MAKEINTRESOURCEW(kManifestResource), MAKEINTRESOURCEW(24))) return;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  ACTCTXW request = {};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
  request.hModule = module;
  context_ = create(&request);
}

VisualStyleContext::~VisualStyleContext() {
  if (!Valid()) return;
  if (const auto release = Kernel32Function<ReleaseActCtxFn>("ReleaseActCtx")) release(context_);
}

VisualStyleContext::Scope::Scope(const VisualStyleContext& context) {
  if (!context.Valid()) return;
  if (const auto activate = Kernel32Function<ActivateActCtxFn>("ActivateActCtx")) {
    active_ = activate(context.context_, &cookie_) != FALSE;
  }
}

VisualStyleContext::Scope::~Scope() {
  if (!active_) return;
  if (const auto deactivate = Kernel32Function<DeactivateActCtxFn>("DeactivateActCtx")) deactivate(0, cookie_);
}

void InitCommonControlClasses() {
  // Under an active context this loads the version the manifest names. It
  // stays loaded: windows of its classes may outlive any one form.
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto initEx =
      comctl ? reinterpret_cast<InitExFn>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")))
             : nullptr;
  if (initEx) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    if (initEx(&classes)) return;
  }
  InitCommonControls();
}

}  // namespace varnox
