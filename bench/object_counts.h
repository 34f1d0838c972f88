#pragma once
// What a process holds that a leaking window would leave behind: committed
// private memory, GDI objects and USER objects.

#include <windows.h>

#include <string>

namespace varnox::bench {

struct ObjectCounts {
  SIZE_T privateBytes = 0;
  long gdi = -1;  // -1: cannot be counted here
  long user = -1;
  std::string gdiSource;  // how each was counted
  std::string userSource;
};

ObjectCounts CountObjects();

}  // namespace varnox::bench
