#include <windows.h>

// Placeholder entry until start-up is in place.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return 0;
}
