// What every page of the main window needs from the window around it.
#pragma once

#include <string>

namespace zk {

class PageHost {
 public:
  // The status bar's panel texts: panel 0 takes status words and progress.
  virtual std::u16string Status(int panel) const = 0;
  virtual void SetStatus(const std::u16string& text) = 0;

 protected:
  ~PageHost() = default;
};

}  // namespace zk
