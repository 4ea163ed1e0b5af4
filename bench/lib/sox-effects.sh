# The other program's effects for the program's own, with the settings of
# bench/dsp/FileRoad.cpp and bench/batch/BatchBench.cpp; sourced after
# "seconds" (the signal's length) is set. "different" marks the effects the
# other program has no match for: it does work of the same kind instead.
declare -A sox=(
  [amplify]="vol 0.25" [normalize]="norm" [highpass]="highpass 200"
  [equalizer]="equalizer 31.25 1o 3 equalizer 62.5 1o 5.5 equalizer 125 1o 3 equalizer 250 1o 1.5 equalizer 6000 1o 3 equalizer 9000 1o 4 equalizer 12000 1o 5 equalizer 16000 1o 6"
  [echo]="echo 1 1 200 0.7" [fade]="fade t $seconds" [speed]="speed 0.7" [pitch]="pitch 583" [reverse]="reverse"
  [flanger]="flanger 1.4 4.95 30 50 0.9 sine 11 lin" [chorus]="chorus 0.55 1 20 0.45 0.6 2 -s"
  [mixstereo]="remix 1v0.8,2v0.2 1v0.2,2v0.8"
  [compressor]="compand 0.005,0.1 -90,-90,-10,-10,0,-5" [noisereduction]="compand 0.001,0.02 -90,-270,-54,-54,0,0"
  [reverb]="reverb" [phaser]="phaser 0.8 0.74 3 0.4 0.5 -t"
)
declare -A different=([compressor]=1 [noisereduction]=1 [reverb]=1 [phaser]=1)
