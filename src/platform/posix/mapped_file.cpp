#include "platform/posix/mapped_file.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace zentrel::platform {
namespace {

/// The mappings the SIGBUS handler may repair. A signal handler can reach only what is
/// global, so this is the one table of the process; slots are claimed and released with
/// atomics, which the handler reads without a lock.
struct TGuardedRange {
  std::atomic<bool> Claimed{false};
  std::atomic<std::uintptr_t> Begin{0};  // set last when claimed, first when released
  std::atomic<std::uintptr_t> End{0};
  std::atomic<bool> Lost{false};
};
constexpr int kGuardedMax = 16;
TGuardedRange g_guarded[kGuardedMax];
std::uintptr_t g_pageSize = 4096;
struct sigaction g_previous {};

void OnBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (TGuardedRange& range : g_guarded) {
    const std::uintptr_t begin = range.Begin.load();
    const std::uintptr_t end = range.End.load();
    if (begin == 0 || address < begin || address >= end) continue;
    // The file ends before this page now: zeros stand in for the rest of the view, and
    // the faulting read is retried on them.
    const std::uintptr_t page = address & ~(g_pageSize - 1);
    void* replaced = mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (replaced != MAP_FAILED) {
      range.Lost.store(true);
      return;
    }
  }
  // Not a guarded view: whoever handled SIGBUS before gets it, as if no handler were here.
  if (g_previous.sa_flags & SA_SIGINFO) {
    if (g_previous.sa_sigaction != nullptr) {
      g_previous.sa_sigaction(signal, info, context);
      return;
    }
  } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN &&
             g_previous.sa_handler != nullptr) {
    g_previous.sa_handler(signal);
    return;
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);  // the fault repeats on return and ends the run
}

bool InstallHandler() {
  static std::once_flag once;
  static bool installed = false;
  std::call_once(once, [] {
    const long page = sysconf(_SC_PAGESIZE);
    if (page > 0) g_pageSize = static_cast<std::uintptr_t>(page);
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    installed = sigaction(SIGBUS, &action, &g_previous) == 0;
  });
  return installed;
}

class MappedFileView final : public TFileView {
 public:
  MappedFileView(void* address, std::size_t length, std::size_t size, TGuardedRange& range)
      : address_(address), length_(length), range_(range) {
    bytes_ = std::string_view(static_cast<const char*>(address), size);
  }
  MappedFileView(const MappedFileView&) = delete;
  MappedFileView& operator=(const MappedFileView&) = delete;
  ~MappedFileView() override {
    range_.Begin.store(0);
    munmap(address_, length_);
    range_.Claimed.store(false);
  }

  bool Intact() const override { return !range_.Lost.load(); }

 private:
  void* address_;
  std::size_t length_;
  TGuardedRange& range_;
};

}  // namespace

std::unique_ptr<TFileView> MapWholeFile(int fd, std::size_t size) {
  if (size == 0 || !InstallHandler()) return nullptr;
  const std::size_t length = (size + g_pageSize - 1) & ~(g_pageSize - 1);
  if (length < size) return nullptr;
  void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (address == MAP_FAILED) return nullptr;
  const auto begin = reinterpret_cast<std::uintptr_t>(address);
  for (TGuardedRange& range : g_guarded) {
    if (range.Claimed.exchange(true)) continue;
    // Begin last: the handler never sees the slot's range before its end is set.
    range.End.store(begin + length);
    range.Lost.store(false);
    range.Begin.store(begin);
    return std::make_unique<MappedFileView>(address, length, size, range);
  }
  munmap(address, length);
  return nullptr;
}

}  // namespace zentrel::platform
