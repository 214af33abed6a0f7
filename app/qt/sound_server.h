#pragma once

#include <chrono>
#include <functional>
#include <memory>

struct pa_context;
struct pa_threaded_mainloop;

namespace qtgui {

// A connection to the sound server, made with its own client library and a
// loop thread of the library's: every callback of the library runs on that
// thread, and any other thread holds `Lock` while it calls into the library.
class SoundServer {
 public:
  // Connects, or gives up after `deadline`: nullptr when no server answers.
  // No server is started for the game, and nothing is printed.
  static std::unique_ptr<SoundServer> connect(std::chrono::milliseconds deadline);
  ~SoundServer();
  SoundServer(const SoundServer&) = delete;
  SoundServer& operator=(const SoundServer&) = delete;

  // Whether the connection still stands: a server that went away stays gone.
  bool ready() const;
  // Called once, on the library's thread with its lock held, when the
  // connection breaks (the server quit, died or was restarted): it must only
  // hand the news on. Called at once if the connection is already gone.
  void onLost(std::function<void()> lost);
  pa_context* context() const { return context_; }

  class Lock {
   public:
    explicit Lock(const SoundServer& server);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    pa_threaded_mainloop* loop_;
  };

 private:
  SoundServer() = default;

  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  std::function<void()> lost_;  // touched under the lock
};

}  // namespace qtgui
