#include "batch/parallel.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "cli/chunks.h"

namespace hygrian::batch {
namespace {

// The chunks in flight, in a ring: the reader fills them in turn, the workers
// take them in that order, the writer hands them on in that order and frees them.
class Pipeline {
 public:
  explicit Pipeline(std::size_t depth) : slots_(depth), done_(depth, false) {}

  // The next chunk to fill, once it is free; none once the writer has stopped.
  Chunk* NextFree() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || filled_ - written_ < slots_.size(); });
    return stopped_ ? nullptr : &slots_[filled_ % slots_.size()];
  }
  void Hand() {
    Change([&] { ++filled_; });
  }
  // No chunk follows.
  void Finish() {
    Change([&] { finished_ = true; });
  }
  bool Stopped() {
    const std::lock_guard lock(mutex_);
    return stopped_;
  }

  void Work(const std::function<void(Chunk&)>& work) {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopped_ || finished_ || taken_ < filled_; });
      if (stopped_ || taken_ == filled_) return;
      const std::size_t slot = taken_++ % slots_.size();
      lock.unlock();
      work(slots_[slot]);
      Change([&] { done_[slot] = true; });
    }
  }

  void Write(const std::function<bool(const Chunk&)>& write, const std::function<void()>& waiting) {
    for (;;) {
      std::unique_lock lock(mutex_);
      const auto ready = [&] { return written_ < filled_ && done_[written_ % slots_.size()]; };
      const auto over = [&] { return finished_ && written_ == filled_; };
      if (!ready() && !over()) {
        lock.unlock();
        waiting();
        lock.lock();
        changed_.wait(lock, [&] { return ready() || over(); });
      }
      if (!ready()) return;
      const std::size_t slot = written_ % slots_.size();
      lock.unlock();
      const bool going = write(slots_[slot]);
      Change([&] {
        done_[slot] = false;
        ++written_;
        stopped_ = !going;
      });
      if (!going) return;
    }
  }

 private:
  template <typename Step>
  void Change(Step step) {
    {
      const std::lock_guard lock(mutex_);
      step();
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Chunk> slots_;
  std::vector<bool> done_;     // by slot: worked, not yet written
  std::uint64_t filled_ = 0;   // chunks handed over by the reader
  std::uint64_t taken_ = 0;    // chunks taken by the workers
  std::uint64_t written_ = 0;  // chunks written
  bool finished_ = false;      // the reader has handed over the last
  bool stopped_ = false;       // the writer has stopped the run
};

// Fills chunks from the input until it ends, the writer stops or a record is
// too long for a chunk.
ChunkRest ReadChunks(Pipeline& pipeline, tables::ByteSource& source, std::string_view unread,
                     bool ended, std::uint64_t line, std::uint64_t bytesRead,
                     const ChunkPlan& plan) {
  // Bytes read and not yet in a chunk (at first the table reader's; then a
  // chunk's part after its last record), taken before the source is read.
  std::vector<char> pending(unread.begin(), unread.end());
  std::size_t taken = 0;
  const auto atEnd = [&] { return ended && taken == pending.size(); };
  cli::ChunkScanner scanner(plan.delimiter);
  int error = 0;
  for (;;) {
    Chunk* chunk = pipeline.NextFree();
    if (chunk == nullptr) return {};
    std::vector<char>& bytes = chunk->bytes;
    bytes.resize(std::max(bytes.size(), plan.chunkBytes));
    std::size_t size = 0;
    scanner.Reset();
    std::size_t cut = std::string_view::npos;  // the end of the last whole record
    while (error == 0 && !atEnd() &&
           (cut == std::string_view::npos || (!plan.streaming && size < plan.chunkBytes))) {
      if (cut == std::string_view::npos && size >= plan.longRecord) {
        ChunkRest rest{true, {bytes.data(), bytes.data() + size}, line, bytesRead};
        rest.bytes.insert(rest.bytes.end(), pending.begin() + static_cast<std::ptrdiff_t>(taken),
                          pending.end());
        return rest;
      }
      if (size == bytes.size()) bytes.resize(2 * bytes.size());
      std::size_t count = std::min(bytes.size() - size, pending.size() - taken);
      if (count > 0) {
        std::memcpy(bytes.data() + size, pending.data() + taken, count);
        taken += count;
      } else {
        if (pipeline.Stopped()) return {};
        int readError = 0;
        const std::ptrdiff_t got =
            source.Read(bytes.data() + size, bytes.size() - size, &readError);
        if (got < 0) error = readError != 0 ? readError : -1;
        ended = got == 0;
        count = got > 0 ? static_cast<std::size_t>(got) : 0;
      }
      if (const std::size_t at = scanner.Scan({bytes.data() + size, count});
          at != std::string_view::npos) {
        cut = size + at;
      }
      size += count;
    }
    chunk->last = atEnd() || error != 0;
    if (!chunk->last) {
      // The part after the last record goes in front of what is pending.
      pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(taken));
      pending.insert(pending.begin(), bytes.data() + cut, bytes.data() + size);
      taken = 0;
      size = cut;
    } else if (error != 0) {
      // The record the failed read broke off is lost, as the table reader loses it.
      size = cut == std::string_view::npos ? 0 : cut;
    }
    chunk->size = size;
    chunk->line = line;
    chunk->error = error;
    line += static_cast<std::uint64_t>(std::count(bytes.data(), bytes.data() + size, '\n'));
    bytesRead += size;
    chunk->bytesRead = bytesRead;
    pipeline.Hand();
    if (chunk->last) return {};
  }
}

}  // namespace

ChunkRest RunChunks(tables::ByteSource& source, std::string_view unread, bool ended,
                    std::uint64_t line, std::uint64_t bytesRead, const ChunkPlan& plan,
                    const std::function<void(Chunk&)>& work,
                    const std::function<bool(const Chunk&)>& write,
                    const std::function<void()>& waiting) {
  Pipeline pipeline(2 * plan.jobs);
  ChunkRest rest;
  {
    std::vector<std::jthread> threads;
    threads.reserve(plan.jobs + 1);
    for (std::size_t i = 0; i < plan.jobs; ++i) {
      threads.emplace_back([&] { pipeline.Work(work); });
    }
    threads.emplace_back([&] { pipeline.Write(write, waiting); });
    rest = ReadChunks(pipeline, source, unread, ended, line, bytesRead, plan);
    pipeline.Finish();
  }  // the threads are joined here
  return rest;
}

}  // namespace hygrian::batch
