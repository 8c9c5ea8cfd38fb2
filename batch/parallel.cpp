#include "batch/parallel.h"

#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>

#include "cli/chunks.h"

namespace hygrian::batch {
namespace {

// The chunks in flight, in a ring: the reader fills them in turn, the workers
// take them in that order, the writer hands them on in that order and frees them.
class Pipeline {
 public:
  // Every chunk's input buffer is made here, before any thread starts, so that a
  // limit of memory shows at once rather than in the middle of the run.
  Pipeline(std::size_t depth, std::size_t chunkBytes) : slots_(depth), done_(depth, false) {
    for (Chunk& chunk : slots_) chunk.bytes.resize(chunkBytes);
  }

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
  // Ends the run early: every thread returns from its wait. With a failure (a
  // thread's exception), the first one is kept for the calling thread.
  void Stop(std::exception_ptr failure = nullptr) {
    Change([&] {
      stopped_ = true;
      if (!failure_) failure_ = std::move(failure);
    });
  }
  bool Stopped() {
    const std::lock_guard lock(mutex_);
    return stopped_;
  }
  // The first exception a thread threw, once every thread is joined.
  [[nodiscard]] std::exception_ptr Failure() const { return failure_; }

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
        changed_.wait(lock, [&] { return stopped_ || ready() || over(); });
      }
      if (stopped_ || !ready()) return;
      const std::size_t slot = written_ % slots_.size();
      lock.unlock();
      const bool going = write(slots_[slot]);
      Change([&] {
        done_[slot] = false;
        ++written_;
        stopped_ = stopped_ || !going;  // a failure meanwhile stays
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
  bool stopped_ = false;       // the writer has stopped the run, or a thread failed
  std::exception_ptr failure_;
};

// The pipeline's threads. Each runs its part until the pipeline says it is done;
// an exception in one stops the pipeline and is kept. The destructor stops the
// pipeline (unless Join came first) and joins every thread started, so that no
// path out of RunChunks, an exception's included, leaves one waiting. Each
// thread has a stack of kStackBytes rather than the process's (often 8 MiB): a
// limit of address space (ulimit -v) then still allows many.
class Threads {
 public:
  static constexpr std::size_t kStackBytes = std::size_t{1} << 20;

  explicit Threads(Pipeline& pipeline) : pipeline_(pipeline) {}
  Threads(const Threads&) = delete;
  Threads& operator=(const Threads&) = delete;
  ~Threads() {
    if (!threads_.empty()) pipeline_.Stop();
    Join();
  }

  // Starts a thread running part: 0, or the error number why none could be
  // started (EAGAIN at a limit of memory or processes).
  int Start(std::function<void()> part) {
    try {
      parts_.push_back(std::make_unique<Part>(Part{std::move(part), &pipeline_}));
    } catch (const std::bad_alloc&) {
      return ENOMEM;
    }
    pthread_attr_t attributes;
    int error = pthread_attr_init(&attributes);
    if (error == 0) error = pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread{};
    if (error == 0) error = pthread_create(&thread, &attributes, Run, parts_.back().get());
    (void)pthread_attr_destroy(&attributes);
    if (error != 0) {
      parts_.pop_back();
      return error;
    }
    threads_.push_back(thread);
    return 0;
  }
  void Reserve(std::size_t count) {
    threads_.reserve(count);
    parts_.reserve(count);
  }
  [[nodiscard]] std::size_t Count() const { return threads_.size(); }
  void Join() {
    for (const pthread_t thread : threads_) (void)pthread_join(thread, nullptr);
    threads_.clear();
  }

 private:
  struct Part {
    std::function<void()> run;
    Pipeline* pipeline;
  };
  static void* Run(void* argument) {
    Part& part = *static_cast<Part*>(argument);
    try {
      part.run();
    } catch (...) {
      part.pipeline->Stop(std::current_exception());
    }
    return nullptr;
  }

  Pipeline& pipeline_;
  std::vector<pthread_t> threads_;
  std::vector<std::unique_ptr<Part>> parts_;
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
        ChunkRest rest{true, {bytes.data(), bytes.data() + size}, line, bytesRead, ended};
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
  ChunkRest rest;
  // Without workers, the caller reads every row on its own thread.
  const auto alone = [&](int error) {
    rest.left = true;
    rest.bytes.assign(unread.begin(), unread.end());
    rest.ended = ended;
    rest.line = line;
    rest.bytesRead = bytesRead;
    rest.threadError = error;
    return rest;
  };
  std::unique_ptr<Pipeline> made;
  try {
    made = std::make_unique<Pipeline>(2 * plan.jobs, plan.chunkBytes);
  } catch (const std::bad_alloc&) {
    return alone(ENOMEM);
  }
  Pipeline& pipeline = *made;
  {
    Threads threads(pipeline);
    threads.Reserve(plan.jobs + 1);
    // The writer first: without it no chunk would go out.
    int error = threads.Start([&] { pipeline.Write(write, waiting); });
    for (std::size_t i = 0; error == 0 && i < plan.jobs; ++i) {
      error = threads.Start([&] { pipeline.Work(work); });
    }
    rest.workers = threads.Count() > 0 ? threads.Count() - 1 : 0;
    if (rest.workers == 0) return alone(error);  // the writer, if any, stopped and joined
    rest.threadError = error;
    const ChunkRest read = ReadChunks(pipeline, source, unread, ended, line, bytesRead, plan);
    rest.left = read.left;
    rest.bytes = read.bytes;
    rest.ended = read.ended;
    rest.line = read.line;
    rest.bytesRead = read.bytesRead;
    pipeline.Finish();
    threads.Join();
  }
  if (pipeline.Failure()) std::rethrow_exception(pipeline.Failure());
  return rest;
}

}  // namespace hygrian::batch
