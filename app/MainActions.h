// Every command of the main window: name, caption, shortcut text and category.
// TMainForm declares one TAction member per row (Action<Name>) and creates them in
// this order.
#pragma once

#define SONVELT_MAIN_ACTIONS(X)                                                              \
  X(NewFile, "&New File...", "Ctrl+N", "File")                                              \
  X(OpenFile, "&Open File...", "Ctrl+O", "File")                                            \
  X(LoadCD, "&Load Audio CD Track(s)...", "", "File")                                       \
  X(SaveFile, "&Save File", "Ctrl+S", "File")                                               \
  X(SaveAs, "Save File &As...", "", "File")                                                 \
  X(CloseFile, "Close File", "", "File")                                                    \
  X(CopyAllToCD, "Copy All Open File(s) to CD...", "", "File")                              \
  X(ConvertSampleRate, "&Convert Sample Rate and Channels...", "", "File")                  \
  X(EditID3, "Edit ID3 Tags...", "", "File")                                                \
  X(Options, "O&ptions...", "", "File")                                                     \
  X(Exit, "E&xit", "", "File")                                                              \
  X(Undo, "&Undo", "Ctrl+Z", "Edit")                                                        \
  X(Redo, "Redo", "", "Edit")                                                               \
  X(Cut, "Cu&t", "Ctrl+X", "Edit")                                                          \
  X(Copy, "&Copy", "Ctrl+C", "Edit")                                                        \
  X(CopyToNew, "Copy To &New", "", "Edit")                                                  \
  X(Paste, "&Paste", "Ctrl+V", "Edit")                                                      \
  X(PasteMix, "Paste Mi&x...", "", "Edit")                                                  \
  X(Delete, "&Delete", "Del", "Edit")                                                       \
  X(SelectAll, "&Select All", "Ctrl+A", "Edit")                                             \
  X(SelectToStart, "Select To Start", "Shift+Home", "Edit")                                 \
  X(SelectToEnd, "Select To End", "Shift+End", "Edit")                                      \
  X(SelectSpecifiedTime, "Select Specified Time", "Ctrl+G", "Edit")                         \
  X(MixFile, "&Mix File...", "", "Edit")                                                    \
  X(RepeatLoop, "Repeat &Loop...", "", "Edit")                                              \
  X(Trim, "Tri&m", "Ctrl+T", "Edit")                                                        \
  X(TrimStart, "Trim St&art", "Ctrl+M", "Edit")                                             \
  X(TrimEnd, "Trim En&d", "Ctrl+E", "Edit")                                                 \
  X(AutoTrim, "Auto Trim", "", "Edit")                                                      \
  X(AutoSplit, "Auto Split...", "", "Edit")                                                 \
  X(SplitIntoTwo, "S&plit into two at this point", "", "Edit")                              \
  X(SilenceSelect, "Silence Select Re&gion", "", "Edit")                                    \
  X(SaveSelect, "Save Select &Region As...", "", "Edit")                                    \
  X(InsertSilenceBegin, "Begin", "", "Edit")                                                \
  X(InsertSilenceCurrent, "Current", "", "Edit")                                            \
  X(InsertSilenceEnd, "End", "", "Edit")                                                    \
  X(InsertFileBegin, "Begin", "", "Edit")                                                   \
  X(InsertFileCurrent, "Current", "", "Edit")                                               \
  X(InsertFileEnd, "End", "", "Edit")                                                       \
  X(MarkFirstPosition, "Mark First Position", "", "Edit")                                   \
  X(MarkSecondPosition, "Mark Second Position", "", "Edit")                                 \
  X(RecallMarkSelection, "Recall Mark Selection", "", "Edit")                               \
  X(Amplify, "&Amplify...", "", "Effects")                                                  \
  X(Normalize, "&Normalize...", "", "Effects")                                              \
  X(DynamicRangeCompressor, "Dynamic Range Co&mpressor...", "", "Effects")                  \
  X(HighPass, "&High-Pass Filter...", "", "Effects")                                        \
  X(Equalizer, "E&qualizer...", "", "Effects")                                              \
  X(Echo, "Ech&o...", "", "Effects")                                                        \
  X(Reverb, "&Reverb...", "", "Effects")                                                    \
  X(Reverse, "Re&verse", "", "Effects")                                                     \
  X(FadeIn, "&Fade In", "", "Effects")                                                      \
  X(FadeOut, "&Fade Out", "", "Effects")                                                    \
  X(FadeOutAndTrim, "Fade Out and &Trim", "", "Effects")                                    \
  X(CrossFade, "CrossFade...", "", "Effects")                                               \
  X(Envelope, "En&velope...", "", "Effects")                                                \
  X(MixStereo, "&Mix Stereo Channels...", "", "Effects")                                    \
  X(NoiseReduction, "&Noise Reduction...", "", "Effects")                                   \
  X(SpeedPitchChange, "Spee&d and Pitch Change...", "", "Effects")                          \
  X(SpeedChange, "S&peed Change...", "", "Effects")                                         \
  X(PitchChange, "&Pitch Change...", "", "Effects")                                         \
  X(Phaser, "Phaser...", "", "Effects")                                                     \
  X(Flanger, "Flanger...", "", "Effects")                                                   \
  X(Chorus, "Chorus...", "", "Effects")                                                     \
  X(Record, "&Record", "F5", "Control")                                                     \
  X(Play, "&Play", "F9", "Control")                                                         \
  X(LoopPlay, "L&oop Play", "Shift+F9", "Control")                                          \
  X(Pause, "&Pause", "", "Control")                                                         \
  X(Stop, "&Stop", "Esc", "Control")                                                        \
  X(Start, "&Go to Start", "Home", "Control")                                               \
  X(Rewind, "Re&wind", "F7", "Control")                                                     \
  X(Forword, "&Fast Forword", "F8", "Control")                                              \
  X(End, "Go To &End", "End", "Control")                                                    \
  X(PlayAndPause, "...", "Space", "Control")                                                \
  X(SetBookmark, "&Set Bookmark", "Ctrl+B", "Bookmark")                                     \
  X(OpenBookmarkList, "&Open Bookmark List", "Ctrl+Shift+B", "Bookmark")                    \
  X(AddRegion, "&Add Region", "Ctrl+R", "Bookmark")                                         \
  X(OpenRegionList, "&Open Region List", "Ctrl+Shift+R", "Bookmark")                        \
  X(FrequencyAnalysis, "&Frequency Analysis (FFT)", "", "Tools")                            \
  X(TextToSpeech, "Text To &Speech", "", "Tools")                                           \
  X(Batch, "Batch Converter", "", "Tools")                                                  \
  X(ShowCommandBar, "Show Command Bar", "Ctrl+Shift+A", "View")                             \
  X(BarOntheLeft, "On the Left", "", "View")                                                \
  X(BarOntheRight, "On the Right", "", "View")                                              \
  X(ShowMainToolbar, "Main Toolbar", "", "View")                                            \
  X(ShowEffectsToolbar, "Effects Toolbar", "", "View")                                      \
  X(Cascade, "&Cascade", "", "Window")                                                      \
  X(TileHorizontal, "Tile &Horizontal", "", "Window")                                       \
  X(TileVertical, "Tile &Vertical", "", "Window")                                           \
  X(ArrangeIcons, "&Arrange Icons", "", "Window")                                           \
  X(CloseAll, "Close All", "", "Window")                                                    \
  X(ZoomIn, "&Zoom In", "", "Window")                                                       \
  X(ZoomOut, "Zoom &Out", "", "Window")                                                     \
  X(ZoomToSelection, "Zoom To &Selection", "", "Window")                                    \
  X(ZoomFull, "Zoom &Full", "", "Window")                                                   \
  X(Help, "&Help Contents", "F1", "Help")                                                   \
  X(HomePage, "Sonvelt Home Page", "", "Help")                                              \
  X(TechnicalSupport, "Sonvelt Technical Support", "", "Help")                              \
  X(RelatedSoftware, "More Related Software", "", "Help")                                   \
  X(About, "About", "", "Help")
