#include "server_connection.h"

#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/rtclock.h>
#include <pulse/thread-mainloop.h>

namespace sound {

std::unique_ptr<ServerConnection> ServerConnection::open(std::chrono::milliseconds deadline, Listener listener) {
  std::unique_ptr<ServerConnection> connection(new ServerConnection);
  connection->listener_ = std::move(listener);
  connection->deadline_usec_ = static_cast<pa_usec_t>(std::chrono::microseconds(deadline).count());
  connection->loop_ = pa_threaded_mainloop_new();
  if (!connection->loop_ || pa_threaded_mainloop_start(connection->loop_) < 0) return nullptr;
  // Even making the context reads configuration and may ask the display, so
  // all of it happens on the library's thread, never the caller's.
  Lock lock(*connection);
  pa_mainloop_api_once(
      pa_threaded_mainloop_get_api(connection->loop_),
      [](pa_mainloop_api*, void* self) { static_cast<ServerConnection*>(self)->begin(); }, connection.get());
  return connection;
}

void ServerConnection::begin() {
  context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Tobble");
  if (!context_) {
    tell(News::Gone);
    return;
  }
  pa_context_set_state_callback(context_, &ServerConnection::onState, this);
  // No autospawn: a desktop without a sound server stays silent rather than
  // gaining one that outlives the game.
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    tell(News::Gone);
    return;
  }
  // A local server answers in milliseconds; a hung one would hold a socket
  // open for ever, so the attempt ends at the deadline.
  deadline_ = pa_context_rttime_new(
      context_, pa_rtclock_now() + deadline_usec_,
      [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
        auto* connection = static_cast<ServerConnection*>(self);
        connection->dropDeadline();
        if (!connection->ready_) connection->tell(News::Gone);
      },
      this);
}

ServerConnection::~ServerConnection() {
  if (loop_) {
    Lock lock(*this);
    dropDeadline();
    if (context_) {
      pa_context_set_state_callback(context_, nullptr, nullptr);
      pa_context_disconnect(context_);
    }
  }
  // Stopping the loop waits for its thread; nothing of the library runs after.
  if (loop_) pa_threaded_mainloop_stop(loop_);
  if (context_) pa_context_unref(context_);
  if (loop_) pa_threaded_mainloop_free(loop_);
}

void ServerConnection::onState(pa_context* context, void* self) {
  auto* connection = static_cast<ServerConnection*>(self);
  const pa_context_state_t state = pa_context_get_state(context);
  if (state == PA_CONTEXT_READY && !connection->ready_) {
    connection->dropDeadline();
    connection->ready_ = true;
    connection->tell(News::Ready);
  } else if (!PA_CONTEXT_IS_GOOD(state)) {
    connection->tell(News::Gone);
  }
}

void ServerConnection::tell(News news) {
  // After Gone the connection is of no more use, whatever the library says.
  if (gone_) return;
  gone_ = news == News::Gone;
  listener_(news);
}

void ServerConnection::dropDeadline() {
  if (!deadline_) return;
  pa_threaded_mainloop_get_api(loop_)->time_free(deadline_);
  deadline_ = nullptr;
}

ServerConnection::Lock::Lock(const ServerConnection& connection) : loop_(connection.loop_) {
  pa_threaded_mainloop_lock(loop_);
}

ServerConnection::Lock::~Lock() { pa_threaded_mainloop_unlock(loop_); }

}  // namespace sound
