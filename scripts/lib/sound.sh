# The sound device a test executable sees, through Wine's ALSA driver; sourced.
# Only ALSA_CONFIG_PATH is read, so neither the machine's nor the user's ALSA files
# play a part. Executables named *_sound get alsa-lib's file plugin over a null
# device: what they play is written to played.wav in their folder, and capture
# reads capture.raw there (32-bit stereo 44100 Hz, behind a plug, since the file
# plugin refuses Wine's large reads at other formats). Every other executable gets a
# configuration without a default device, which is a machine without sound.

# sound_environment NAME FOLDER: exports ALSA_CONFIG_PATH and SONVELT_SOUND_DIR.
sound_environment() {
  local name=$1 dir=$2
  rm -rf "$dir" && mkdir -p "$dir"
  export ALSA_CONFIG_PATH=$dir/alsa.conf
  if [[ $name != *_sound ]]; then
    : >"$ALSA_CONFIG_PATH"
    unset SONVELT_SOUND_DIR
    return
  fi
  : >"$dir/capture.raw"
  cat >"$ALSA_CONFIG_PATH" <<CONF
pcm.!default {
  type asym
  playback.pcm {
    type file
    slave.pcm { type null }
    file "$dir/played.wav"
    format "wav"
  }
  capture.pcm {
    type plug
    slave {
      pcm {
        type file
        slave.pcm { type null }
        file "/dev/null"
        infile "$dir/capture.raw"
        format "raw"
      }
      format S32_LE
      rate 44100
      channels 2
    }
  }
}
CONF
  export SONVELT_SOUND_DIR="Z:${dir//\//\\}"
}
