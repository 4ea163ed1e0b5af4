// Every command of the main window: name, caption, shortcut text, category and
// whether it shows a picture. TMainForm declares one TAction member per row
// (Action<Name>) and creates them in this order. The pictures are drawn by
// res/draw_command_images.py, which reads this table: the rows with a picture take
// the image lists' indexes 0, 1, 2... in this order.
#pragma once

#define SONVELT_MAIN_ACTIONS(X)                                                                     \
  X(NewFile, "&New File...", "Ctrl+N", "File", true)                                                \
  X(OpenFile, "&Open File...", "Ctrl+O", "File", true)                                              \
  X(LoadCD, "&Load Audio CD Track(s)...", "", "File", true)                                         \
  X(SaveFile, "&Save File", "Ctrl+S", "File", true)                                                 \
  X(SaveAs, "Save File &As...", "", "File", true)                                                   \
  X(CloseFile, "Close File", "", "File", true)                                                      \
  X(CopyAllToCD, "Copy All Open File(s) to CD...", "", "File", false)                               \
  X(ConvertSampleRate, "&Convert Sample Rate and Channels...", "", "File", true)                    \
  X(EditID3, "Edit ID3 Tags...", "", "File", true)                                                  \
  X(Options, "O&ptions...", "", "File", true)                                                       \
  X(Exit, "E&xit", "", "File", true)                                                                \
  X(Undo, "&Undo", "Ctrl+Z", "Edit", true)                                                          \
  X(Redo, "Redo", "", "Edit", true)                                                                 \
  X(Cut, "Cu&t", "Ctrl+X", "Edit", true)                                                            \
  X(Copy, "&Copy", "Ctrl+C", "Edit", true)                                                          \
  X(CopyToNew, "Copy To &New", "", "Edit", true)                                                    \
  X(Paste, "&Paste", "Ctrl+V", "Edit", true)                                                        \
  X(PasteMix, "Paste Mi&x...", "", "Edit", true)                                                    \
  X(Delete, "&Delete", "Del", "Edit", true)                                                         \
  X(SelectAll, "&Select All", "Ctrl+A", "Edit", true)                                               \
  X(SelectToStart, "Select To Start", "Shift+Home", "Edit", true)                                   \
  X(SelectToEnd, "Select To End", "Shift+End", "Edit", true)                                        \
  X(SelectSpecifiedTime, "Select Specified Time", "Ctrl+G", "Edit", true)                           \
  X(MixFile, "&Mix File...", "", "Edit", true)                                                      \
  X(RepeatLoop, "Repeat &Loop...", "", "Edit", true)                                                \
  X(Trim, "Tri&m", "Ctrl+T", "Edit", true)                                                          \
  X(TrimStart, "Trim St&art", "Ctrl+M", "Edit", true)                                               \
  X(TrimEnd, "Trim En&d", "Ctrl+E", "Edit", true)                                                   \
  X(AutoTrim, "Auto Trim", "", "Edit", false)                                                       \
  X(AutoSplit, "Auto Split...", "", "Edit", false)                                                  \
  X(SplitIntoTwo, "S&plit into two at this point", "", "Edit", true)                                \
  X(SilenceSelect, "Silence Select Re&gion", "", "Edit", true)                                      \
  X(SaveSelect, "Save Select &Region As...", "", "Edit", true)                                      \
  X(InsertSilenceBegin, "Begin", "", "Edit", true)                                                  \
  X(InsertSilenceCurrent, "Current", "", "Edit", true)                                              \
  X(InsertSilenceEnd, "End", "", "Edit", true)                                                      \
  X(InsertFileBegin, "Begin", "", "Edit", true)                                                     \
  X(InsertFileCurrent, "Current", "", "Edit", true)                                                 \
  X(InsertFileEnd, "End", "", "Edit", true)                                                         \
  X(MarkFirstPosition, "Mark First Position", "", "Edit", false)                                    \
  X(MarkSecondPosition, "Mark Second Position", "", "Edit", false)                                  \
  X(RecallMarkSelection, "Recall Mark Selection", "", "Edit", false)                                \
  X(Amplify, "&Amplify...", "", "Effects", true)                                                    \
  X(Normalize, "&Normalize...", "", "Effects", true)                                                \
  X(DynamicRangeCompressor, "Dynamic Range Co&mpressor...", "", "Effects", true)                    \
  X(HighPass, "&High-Pass Filter...", "", "Effects", true)                                          \
  X(Equalizer, "E&qualizer...", "", "Effects", true)                                                \
  X(Echo, "Ech&o...", "", "Effects", true)                                                          \
  X(Reverb, "&Reverb...", "", "Effects", true)                                                      \
  X(Reverse, "Re&verse", "", "Effects", true)                                                       \
  X(FadeIn, "&Fade In", "", "Effects", true)                                                        \
  X(FadeOut, "&Fade Out", "", "Effects", true)                                                      \
  X(FadeOutAndTrim, "Fade Out and &Trim", "", "Effects", true)                                      \
  X(CrossFade, "CrossFade...", "", "Effects", true)                                                 \
  X(Envelope, "En&velope...", "", "Effects", true)                                                  \
  X(MixStereo, "&Mix Stereo Channels...", "", "Effects", true)                                      \
  X(NoiseReduction, "&Noise Reduction...", "", "Effects", true)                                     \
  X(SpeedPitchChange, "Spee&d and Pitch Change...", "", "Effects", false)                           \
  X(SpeedChange, "S&peed Change...", "", "Effects", true)                                           \
  X(PitchChange, "&Pitch Change...", "", "Effects", true)                                           \
  X(Phaser, "Phaser...", "", "Effects", true)                                                       \
  X(Flanger, "Flanger...", "", "Effects", true)                                                     \
  X(Chorus, "Chorus...", "", "Effects", true)                                                       \
  X(Record, "&Record", "F5", "Control", true)                                                       \
  X(Play, "&Play", "F9", "Control", true)                                                           \
  X(LoopPlay, "L&oop Play", "Shift+F9", "Control", true)                                            \
  X(Pause, "&Pause", "", "Control", true)                                                           \
  X(Stop, "&Stop", "Esc", "Control", true)                                                          \
  X(Start, "&Go to Start", "Home", "Control", true)                                                 \
  X(Rewind, "Re&wind", "F7", "Control", true)                                                       \
  X(Forword, "&Fast Forword", "F8", "Control", true)                                                \
  X(End, "Go To &End", "End", "Control", true)                                                      \
  X(PlayAndPause, "...", "Space", "Control", false)                                                 \
  X(SetBookmark, "&Set Bookmark", "Ctrl+B", "Bookmark", true)                                       \
  X(OpenBookmarkList, "&Open Bookmark List", "Ctrl+Shift+B", "Bookmark", true)                      \
  X(AddRegion, "&Add Region", "Ctrl+R", "Bookmark", true)                                           \
  X(OpenRegionList, "&Open Region List", "Ctrl+Shift+R", "Bookmark", true)                          \
  X(FrequencyAnalysis, "&Frequency Analysis (FFT)", "", "Tools", true)                              \
  X(TextToSpeech, "Text To &Speech", "", "Tools", true)                                             \
  X(Batch, "Batch Converter", "", "Tools", true)                                                    \
  X(ShowCommandBar, "Show Command Bar", "Ctrl+Shift+A", "View", true)                               \
  X(BarOntheLeft, "On the Left", "", "View", true)                                                  \
  X(BarOntheRight, "On the Right", "", "View", true)                                                \
  X(ShowMainToolbar, "Main Toolbar", "", "View", true)                                              \
  X(ShowEffectsToolbar, "Effects Toolbar", "", "View", true)                                        \
  X(Cascade, "&Cascade", "", "Window", true)                                                        \
  X(TileHorizontal, "Tile &Horizontal", "", "Window", true)                                         \
  X(TileVertical, "Tile &Vertical", "", "Window", true)                                             \
  X(ArrangeIcons, "&Arrange Icons", "", "Window", true)                                             \
  X(CloseAll, "Close All", "", "Window", true)                                                      \
  X(ZoomIn, "&Zoom In", "", "Window", true)                                                         \
  X(ZoomOut, "Zoom &Out", "", "Window", true)                                                       \
  X(ZoomToSelection, "Zoom To &Selection", "", "Window", true)                                      \
  X(ZoomFull, "Zoom &Full", "", "Window", true)                                                     \
  X(Help, "&Help Contents", "F1", "Help", true)                                                     \
  X(HomePage, "Sonvelt Home Page", "", "Help", true)                                                \
  X(TechnicalSupport, "Sonvelt Technical Support", "", "Help", true)                                \
  X(RelatedSoftware, "More Related Software", "", "Help", true)                                     \
  X(About, "About", "", "Help", true)
