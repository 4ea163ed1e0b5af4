#include "engine/AudioClipboard.h"

TAudioClipboard& AudioClipboard() {
  static TAudioClipboard clipboard;
  return clipboard;
}
