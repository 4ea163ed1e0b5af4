// Tags between the engine's form (a genre index into its list) and the
// format layer's (the genre's name, with the index for ID3v1).
#pragma once
#include "engine/AudioTags.h"
#include "engine/codecs/CodecTags.h"

TCodecTags ToCodecTags(const TAudioTags& tags);
TAudioTags FromCodecTags(const TCodecTags& tags);
