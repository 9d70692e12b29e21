#include "text/read_text_thread.h"

#include "text/text_pieces.h"

namespace zk {
namespace {
// Pieces waiting for the user-interface thread; more would only use memory.
constexpr size_t kQueued = 2;
}  // namespace

TReadTextThread::TReadTextThread(std::u16string rest, std::u16string file_name, HWND target, UINT message)
    : rest_(std::move(rest)), file_name_(std::move(file_name)), target_(target), message_(message) {
  thread_ = std::thread([this] {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    Run();
  });
}

TReadTextThread::~TReadTextThread() {
  Terminate();
  if (thread_.joinable()) thread_.join();
}

void TReadTextThread::Terminate() {
  terminated_ = true;
  std::lock_guard lock(mutex_);
  room_.notify_all();
}

void TReadTextThread::Run() {
  size_t at = 0;
  while (at < rest_.size() && !terminated_) {
    size_t n = PieceLength(std::u16string_view(rest_).substr(at), 0, kPieceUnits);
    {
      std::unique_lock lock(mutex_);
      room_.wait(lock, [this] { return pieces_.size() < kQueued || terminated_; });
      if (terminated_) break;
      pieces_.emplace_back(rest_, at, n);
    }
    at += n;
    PostMessageW(target_, message_, 0, 0);
  }
  {
    std::lock_guard lock(mutex_);
    done_ = true;
  }
  PostMessageW(target_, message_, 0, 0);
}

std::optional<std::u16string> TReadTextThread::TakePiece() {
  std::lock_guard lock(mutex_);
  if (pieces_.empty()) return std::nullopt;
  std::u16string piece = std::move(pieces_.front());
  pieces_.pop_front();
  room_.notify_all();
  return piece;
}

bool TReadTextThread::Finished() {
  std::lock_guard lock(mutex_);
  return done_ && pieces_.empty();
}

}  // namespace zk
