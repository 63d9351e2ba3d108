#include "tools/qelhost/input_driver.h"

#include <vector>

namespace {

bool Send(std::vector<INPUT>* inputs) {
  if (inputs->empty()) return true;
  UINT sent = SendInput(static_cast<UINT>(inputs->size()), inputs->data(), sizeof(INPUT));
  return sent == inputs->size();
}

INPUT MouseInput(DWORD flags, LONG dx, LONG dy) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD virtual_key, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the primary screen.
LONG Normalize(int value, int extent) {
  if (extent <= 1) return 0;
  return static_cast<LONG>((static_cast<long long>(value) * 65535 + (extent - 1) / 2) /
                           (extent - 1));
}

}  // namespace

bool InputDriver::MoveTo(int x, int y) {
  std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                                          Normalize(x, GetSystemMetrics(SM_CXSCREEN)),
                                          Normalize(y, GetSystemMetrics(SM_CYSCREEN)))};
  bool sent = Send(&inputs);
  // The normalised position may round to a neighbouring pixel.
  SetCursorPos(x, y);
  return sent;
}

bool InputDriver::ButtonDown() {
  std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_LEFTDOWN, 0, 0)};
  return Send(&inputs);
}

bool InputDriver::ButtonUp() {
  std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_LEFTUP, 0, 0)};
  return Send(&inputs);
}

bool InputDriver::PressKey(WORD virtual_key, int count) {
  WORD scan = static_cast<WORD>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
  std::vector<INPUT> inputs;
  for (int i = 0; i < count; ++i) {
    inputs.push_back(KeyInput(virtual_key, scan, 0));
    inputs.push_back(KeyInput(virtual_key, scan, KEYEVENTF_KEYUP));
  }
  return Send(&inputs);
}

bool InputDriver::TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  return Send(&inputs);
}
