#include "sound_server.h"

#include <pulse/context.h>
#include <pulse/rtclock.h>
#include <pulse/thread-mainloop.h>

namespace qtgui {

namespace {

// What the connecting thread waits for, filled in on the library's thread.
struct Waiting {
  pa_threaded_mainloop* loop;
  bool timedOut = false;
};

}  // namespace

std::unique_ptr<SoundServer> SoundServer::connect(std::chrono::milliseconds deadline) {
  std::unique_ptr<SoundServer> server(new SoundServer);
  server->loop_ = pa_threaded_mainloop_new();
  if (!server->loop_) return nullptr;
  server->context_ = pa_context_new(pa_threaded_mainloop_get_api(server->loop_), "Tobble");
  if (!server->context_) return nullptr;
  Waiting waiting{server->loop_};
  pa_context_set_state_callback(
      server->context_, [](pa_context*, void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); },
      server->loop_);
  // No autospawn: a desktop without a sound server stays silent rather than
  // gaining one that outlives the game.
  if (pa_context_connect(server->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return nullptr;
  if (pa_threaded_mainloop_start(server->loop_) < 0) return nullptr;

  bool ready = false;
  {
    Lock lock(*server);
    const auto usec = static_cast<pa_usec_t>(std::chrono::microseconds(deadline).count());
    pa_time_event* timer = pa_context_rttime_new(
        server->context_, pa_rtclock_now() + usec,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
          auto* waiting = static_cast<Waiting*>(data);
          waiting->timedOut = true;
          pa_threaded_mainloop_signal(waiting->loop, 0);
        },
        &waiting);
    for (;;) {
      const pa_context_state_t state = pa_context_get_state(server->context_);
      ready = state == PA_CONTEXT_READY;
      if (ready || !PA_CONTEXT_IS_GOOD(state) || waiting.timedOut) break;
      pa_threaded_mainloop_wait(server->loop_);
    }
    if (timer) pa_threaded_mainloop_get_api(server->loop_)->time_free(timer);
    pa_context_set_state_callback(server->context_, nullptr, nullptr);
  }
  if (!ready) return nullptr;
  return server;
}

SoundServer::~SoundServer() {
  if (context_) {
    {
      Lock lock(*this);
      pa_context_set_state_callback(context_, nullptr, nullptr);
      pa_context_disconnect(context_);
    }
  }
  // Stopping the loop waits for its thread; nothing of the library runs after.
  if (loop_) pa_threaded_mainloop_stop(loop_);
  if (context_) pa_context_unref(context_);
  if (loop_) pa_threaded_mainloop_free(loop_);
}

void SoundServer::onLost(std::function<void()> lost) {
  Lock lock(*this);
  lost_ = std::move(lost);
  auto check = [](pa_context* context, void* self) {
    auto* server = static_cast<SoundServer*>(self);
    if (PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) || !server->lost_) return;
    std::function<void()> lost = std::move(server->lost_);
    server->lost_ = nullptr;
    lost();
  };
  pa_context_set_state_callback(context_, check, this);
  check(context_, this);
}

bool SoundServer::ready() const {
  Lock lock(*this);
  return pa_context_get_state(context_) == PA_CONTEXT_READY;
}

SoundServer::Lock::Lock(const SoundServer& server) : loop_(server.loop_) { pa_threaded_mainloop_lock(loop_); }

SoundServer::Lock::~Lock() { pa_threaded_mainloop_unlock(loop_); }

}  // namespace qtgui
