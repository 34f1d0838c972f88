// Opens the configuration window and saves a picture of every tab page, and
// one with the options panel open, as BMP files in the directory given as
// the argument (the current one by default); scripts/screenshots turns them
// into PNGs. Run under Wine beside varnox.cpl. With --standard-user after the
// directory, the window meets the registry as an account without
// administrator rights, and only its Logon page is taken.

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cpl_library.h"
#include "driver/ui_driver.h"
#include "import_patch.h"

namespace {

using varnox::test::UiDriver;

bool SaveBitmap(HWND window, const std::string& path) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  return true;
}

std::string Slug(const std::wstring& caption) {
  std::string slug;
  for (wchar_t c : caption) {
    if (c < 128 && std::isalnum(static_cast<int>(c))) {
      slug += static_cast<char>(std::tolower(static_cast<int>(c)));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

void Settle() {
  // The window's own thread paints; give it time to finish.
  Sleep(600);
}

}  // namespace

int main(int argc, char** argv) {
  std::string directory = argc > 1 ? std::string(argv[1]) + "\\" : std::string();
  varnox::test::CplLibrary cpl;
  if (!cpl.Loaded()) {
    std::fprintf(stderr, "cannot load %s\n", cpl.Path().c_str());
    return 1;
  }
  int saved = 0;
  if (argc > 2 && std::string(argv[2]) == "--standard-user") {
    if (!varnox::test::RefuseLocalMachineChanges(cpl.Module())) return 1;
    const bool ran = varnox::test::RunApplet(cpl, [&saved, &directory](UiDriver& ui) {
      SetForegroundWindow(ui.Form());
      ui.SelectTab("PageControl", L"Logon");
      // The pointer rests where the window opened and raises a hint there;
      // the picture waits for it to hide again.
      Sleep(8000);
      if (SaveBitmap(ui.Form(), directory + "logon-standard-user.bmp")) ++saved;
      ui.Click("CancelBtn");
    });
    std::printf("saved %d pictures\n", saved);
    return ran && saved > 0 ? 0 : 1;
  }
  const bool ran = varnox::test::RunApplet(cpl, [&saved, &directory](UiDriver& ui) {
    SetForegroundWindow(ui.Form());
    // The options panel first, over the Information page the window opens on.
    ui.Click("OptionsBtn");
    Settle();
    if (SaveBitmap(ui.Form(), directory + "99-options-panel.bmp")) ++saved;
    ui.Click("OptionsBtn");
    const auto captions = ui.TabCaptions("PageControl");
    for (std::size_t i = 0; i < captions.size(); ++i) {
      ui.SelectTab("PageControl", captions[i]);
      Settle();
      char name[64];
      std::snprintf(name, sizeof name, "%02zu-%s.bmp", i + 1, Slug(captions[i]).c_str());
      if (SaveBitmap(ui.Form(), directory + name)) ++saved;
    }
    ui.Click("CancelBtn");
  });
  std::printf("saved %d pictures\n", saved);
  return ran && saved > 0 ? 0 : 1;
}
