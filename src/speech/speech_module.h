// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace character {

class SpeechService;

// The speech module (flite, espeak-ng and the sound output) is a shared library the program loads
// at run time, so none of it is paid for before the toolbar is up. It exports one function, which
// makes the speech service of the running program; the caller owns the result, null on failure.
using CreateSpeechServiceFunction = SpeechService* (*)();
inline constexpr char kSpeechModuleFile[] = "chengmu_speech.so";
inline constexpr char kSpeechModuleEntry[] = "chengmu_create_speech_service";

}  // namespace character
