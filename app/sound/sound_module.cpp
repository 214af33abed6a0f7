// The sound player as a module of its own, loaded after the first frame:
// the sound server's client library then costs the start-up nothing.
#include <QtGlobal>

#include "sound_player.h"

extern "C" Q_DECL_EXPORT cues::CuePlayer* tobbleMakeSoundPlayer() {
  auto* player = new sound::SoundPlayer;
  player->prepare();
  return player;
}
