// Wave sounds: play a file and wait, letting window events run, until it
// ends, the player reports an error, or the sound's length plus a margin has
// passed, so that a machine without an audio device never hangs the program.
#pragma once

#include <QString>

#include <functional>

namespace platform {

// Length of a PCM wave file in milliseconds from its header; -1 when the
// file cannot be read or is not a wave file.
int wave_length_ms(const QString& path);

// Plays the file and waits as above, while guard holds (see wait.h: when it
// fails the wait ends and the caller touches nothing it owned). Returns true
// when the player reported the end of the sound, false on an error or when
// the wait gave up.
bool play_and_wait(const QString& path, int margin_ms = 1500, const std::function<bool()>& guard = {});

}  // namespace platform
