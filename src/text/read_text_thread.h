// The background reader of long texts (`TReadTextThread`): it cuts the rest of
// a text that is already partly on screen into pieces and hands them to the
// user-interface thread, which appends them while the file is still the
// current one. The control is only ever touched on the user-interface thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace zk {

class TReadTextThread {
 public:
  // Starts at once: rest is the text not yet shown; each piece ready is
  // announced by posting `message` to `target`.
  TReadTextThread(std::u16string rest, std::u16string file_name, HWND target, UINT message);
  ~TReadTextThread();  // asks the thread to stop and waits for it
  TReadTextThread(const TReadTextThread&) = delete;
  TReadTextThread& operator=(const TReadTextThread&) = delete;

  const std::u16string& file_name() const { return file_name_; }

  // The next piece, if one is ready (user-interface thread).
  std::optional<std::u16string> TakePiece();
  // True once every piece has been handed out.
  bool Finished();

  void Terminate();
  bool Terminated() const { return terminated_; }

  static constexpr size_t kPieceUnits = 256 * 1024;

 private:
  void Run();

  const std::u16string rest_;
  const std::u16string file_name_;
  const HWND target_;
  const UINT message_;

  std::mutex mutex_;
  std::condition_variable room_;
  std::deque<std::u16string> pieces_;
  bool done_ = false;
  std::atomic<bool> terminated_{false};
  std::thread thread_;
};

}  // namespace zk
