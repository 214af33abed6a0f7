#pragma once

#include <chrono>
#include <functional>
#include <memory>

struct pa_context;
struct pa_threaded_mainloop;
struct pa_time_event;

namespace sound {

// The game's connection to the sound server, made with the server's own
// client library and a loop thread of the library's: every callback of the
// library runs on that thread, and any other thread holds `Lock`, briefly,
// while it calls into the library. Opening never waits for the server.
class ServerConnection {
 public:
  enum class News { Ready, Gone };
  using Listener = std::function<void(News)>;

  // Starts connecting on the library's thread and returns at once; nullptr
  // when the library cannot even start its loop. `listener` hears, on the library's thread with its lock held,
  // Ready once the server answers, and Gone once when it refuses, when
  // `deadline` passes first, or when the connection breaks later (the server
  // quit, died or was restarted): it must only hand the news on. No server
  // is started for the game, and nothing is printed.
  static std::unique_ptr<ServerConnection> open(std::chrono::milliseconds deadline, Listener listener);
  ~ServerConnection();
  ServerConnection(const ServerConnection&) = delete;
  ServerConnection& operator=(const ServerConnection&) = delete;

  pa_context* context() const { return context_; }

  class Lock {
   public:
    explicit Lock(const ServerConnection& connection);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    pa_threaded_mainloop* loop_;
  };

 private:
  ServerConnection() = default;
  // On the library's thread, with its lock held.
  void begin();
  static void onState(pa_context* context, void* self);
  void tell(News news);
  void dropDeadline();

  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  unsigned long long deadline_usec_ = 0;
  pa_time_event* deadline_ = nullptr;  // until the server answers
  Listener listener_;                   // touched under the lock
  bool ready_ = false;
  bool gone_ = false;
};

}  // namespace sound
