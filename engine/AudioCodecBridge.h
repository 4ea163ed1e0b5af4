// The engine's side of the format layer: tags between the engine's form (a
// genre index into its list) and the layer's (the genre's name, with the index
// for ID3v1), and the layer's errors raised as the engine's own.
#pragma once
#include "engine/AudioTags.h"
#include "engine/EngineError.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/CodecTags.h"

TCodecTags ToCodecTags(const TAudioTags& tags);
TAudioTags FromCodecTags(const TCodecTags& tags);

// Runs call; an ECodecError it raises reaches the caller as EAudioError.
template <class F>
decltype(auto) AsAudioError(F&& call) {
  try {
    return call();
  } catch (const ECodecError& e) {
    throw EAudioError(e.what());
  }
}
