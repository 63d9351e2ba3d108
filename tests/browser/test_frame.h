#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Browser-like window trees for the toolbar: a top-level frame with child
// windows of chosen class names. The default tree is a browser's: frame,
// then a container, then a ReBarWindow32 that already holds one band (the
// address band, id 1).
class TestFrame {
 public:
  // One child window: its parent (an index into the list, -1 for the frame)
  // and its class. Children of one parent are first to last in list order.
  struct Child {
    int parent;
    std::string class_name;
  };

  TestFrame() = default;
  ~TestFrame();
  TestFrame(const TestFrame&) = delete;
  TestFrame& operator=(const TestFrame&) = delete;

  // The browser's tree; false when a window could not be made.
  bool Create();
  // Any tree. Classes other than "ReBarWindow32" are plain windows
  // registered here; "ReBarWindow32" is the common control.
  bool Create(const std::vector<Child>& children);

  HWND frame() const { return frame_; }
  HWND child(std::size_t index) const { return children_.at(index); }
  // The default tree's rebar.
  HWND rebar() const { return children_.size() > 1 ? children_[1] : nullptr; }

  static constexpr UINT kAddressBandId = 1;

 private:
  HWND frame_ = nullptr;
  std::vector<HWND> children_;
};
