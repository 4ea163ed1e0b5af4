// The waveform editor control of one document: its audio, selection, view,
// cursor, playback, undo history, markers and tags. Positions are in frames
// ("samples" to callers); a failed call raises EAudioError and leaves the
// document as it was.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/AudioEditorEffects.h"
#include "engine/AudioEditorMarkers.h"
#include "engine/AudioEditorParts.h"
#include "engine/AudioMarker.h"
#include "engine/AudioTags.h"
#include "engine/Playback.h"
#include "engine/SampleArray.h"
#include "engine/SampleSequence.h"
#include "framework/CustomControl.h"
#include "framework/Delegate.h"

class TAudioDecoder;
class TWorkingFile;

class IAudioEditor2Position {
 public:
  virtual ~IAudioEditor2Position() = default;
  virtual int GetSelStart() const = 0;
  virtual void SetSelStart(int value) = 0;
  virtual int GetSelEnd() const = 0;
  virtual void SetSelEnd(int value) = 0;
  virtual int GetViewStart() const = 0;
  virtual void SetViewStart(int value) = 0;
  virtual int GetViewEnd() const = 0;
  virtual void SetViewEnd(int value) = 0;
  virtual int GetCursor() const = 0;
  virtual void SetCursor(int value) = 0;
  virtual int GetLength() const = 0;
  virtual bool GetSelectionActive() const = 0;
  virtual void SetSelectionActive(bool value) = 0;
  virtual double SamplesToMs(int64_t samples) const = 0;
  virtual int MsToSamples(double ms) const = 0;
};

class IAudioEditor2FileInfo {
 public:
  virtual ~IAudioEditor2FileInfo() = default;
  virtual int GetSampleRate() const = 0;
  virtual int GetChannels() const = 0;
  virtual std::string GetTitle() const = 0;
  virtual void SetTitle(const std::string& value) = 0;
  virtual std::string GetArtist() const = 0;
  virtual void SetArtist(const std::string& value) = 0;
  virtual std::string GetAlbum() const = 0;
  virtual void SetAlbum(const std::string& value) = 0;
  virtual int GetYear() const = 0;
  virtual void SetYear(int value) = 0;
  virtual std::string GetComment() const = 0;
  virtual void SetComment(const std::string& value) = 0;
  virtual int GetGenre() const = 0;
  virtual void SetGenre(int value) = 0;
  virtual std::string GetGenreName(int index) const = 0;
};

using TAudioProgressEvent = TDelegate<void(TObject* Sender, int Percent)>;
using TAudioMeterEvent = TDelegate<void(TObject* Sender, int Left, int Right)>;
using TAudioMarkerEvent = TDelegate<void(TObject* Sender, int Number)>;
// A windowed control: it takes its own mouse input (click sets the cursor,
// drag selects, shift-click extends, dragging a marker moves it, the wheel
// scrolls) and paints through PaintTo. The mouse, drag, click, enter and exit
// events are the control's own.
class TAudioEditor2 : public TCustomControl, public IAudioEditor2Position, public IAudioEditor2FileInfo {
  SONVELT_CLASS(TAudioEditor2, TCustomControl)
 public:

  enum TPlayState { psIdle = 0, psPlaying = 1, psEnding = 2, psPaused = 5 };

  explicit TAudioEditor2(TComponent* AOwner);
  ~TAudioEditor2() override;
  TAudioEditor2(const TAudioEditor2&) = delete;
  TAudioEditor2& operator=(const TAudioEditor2&) = delete;

  // Documents
  void NewAudioFile(int rate, int channels);
  void OpenAudioFile(const std::string& path, int flags = 0);
  // format: 1 WAV, 2 MP3, 6 OGG, 11 WMA.
  void SaveAudioFile(const std::string& path, bool selectionOnly, int format);
  void InsertFile(const std::string& path);
  void ConvertFormat(int rate, int channels);

  // Editing
  void Undo();
  void Redo();
  bool CanUndo() const { return !UndoSteps.empty(); }
  bool CanRedo() const { return !RedoSteps.empty(); }
  void BeginCompoundEdit();
  void EndCompoundEdit();
  void CopySelection();
  void CutSelection();
  void PasteClipboard();
  void DeleteSelection();
  void PasteMix(float selectionPercent, float clipboardPercent);
  void MixFile(float selectionPercent, const std::string& path, float filePercent);
  // count frames from the selection start, or from position on (fewer at the end).
  TSampleArray GetSamples(int count) const;
  TSampleArray GetSamplesAt(int64_t position, int count) const;
  void InsertSamples(const TSampleArray& samples);

  // Playback: mode 1 plays once, 3 loops.
  void StartPlayback(int mode);
  void StopPlayback();
  void PausePlayback();
  void ResumePlayback();
  int GetPlayState() const { return PlayState; }

  // View
  void ZoomToRange(int start, int end);
  void ZoomToSelection();
  void ZoomOut();
  void ZoomFull();
  void RefreshView();
  int GetTypeBorder() const { return TypeBorder; }
  void SetTypeBorder(int value);
  const std::string& GetTempDirectory() const { return TempDirectory; }
  void SetTempDirectory(const std::string& folder);

  IAudioEditor2Scale* GetScaleX() { return &ScaleX; }
  IAudioEditor2Scale* GetScaleY() { return &ScaleY; }
  IAudioEditor2Colors* GetColors() { return &Colors; }
  IAudioEditor2Output* GetOutput() { return &Output; }
  IAudioEditor2Effects* GetEffects() { return &Effects; }
  IAudioEditor2Markers* GetMarkers() { return &Markers; }
  IAudioEditor2FileFormat* GetFileFormat() { return &FileFormat; }
  const IAudioEditor2Scale* GetScaleX() const { return &ScaleX; }
  const IAudioEditor2Scale* GetScaleY() const { return &ScaleY; }
  const IAudioEditor2Colors* GetColors() const { return &Colors; }

  // IAudioEditor2Position
  int GetSelStart() const override;
  void SetSelStart(int value) override;
  int GetSelEnd() const override;
  void SetSelEnd(int value) override;
  int GetViewStart() const override { return int(ViewStart); }
  void SetViewStart(int value) override;
  int GetViewEnd() const override { return int(ViewEnd); }
  void SetViewEnd(int value) override;
  int GetCursor() const override;
  void SetCursor(int value) override;
  int GetLength() const override { return int(Audio.GetLength()); }
  bool GetSelectionActive() const override { return SelActive; }
  void SetSelectionActive(bool value) override;
  double SamplesToMs(int64_t samples) const override { return double(samples) * 1000.0 / Rate; }
  int MsToSamples(double ms) const override;

  // IAudioEditor2FileInfo
  int GetSampleRate() const override { return Rate; }
  int GetChannels() const override { return Audio.GetChannels(); }
  std::string GetTitle() const override { return Tags.Title; }
  void SetTitle(const std::string& v) override { Tags.Title = v; }
  std::string GetArtist() const override { return Tags.Artist; }
  void SetArtist(const std::string& v) override { Tags.Artist = v; }
  std::string GetAlbum() const override { return Tags.Album; }
  void SetAlbum(const std::string& v) override { Tags.Album = v; }
  int GetYear() const override { return Tags.Year; }
  void SetYear(int v) override { Tags.Year = v; }
  std::string GetComment() const override { return Tags.Comment; }
  void SetComment(const std::string& v) override { Tags.Comment = v; }
  int GetGenre() const override { return Tags.Genre; }
  void SetGenre(int v) override { Tags.Genre = v >= 0 && v < kGenreCount ? v : -1; }
  std::string GetGenreName(int index) const override { return GenreName(index); }

  // Draws the whole control into a device context of the given size.
  void PaintTo(HDC dc, int width, int height) const;

  // Read access for drawing, tests and the window part.
  const TSampleSequence& GetAudio() const { return Audio; }
  const TAudioMarkers& GetMarkerList() const { return MarkerList; }
  int64_t GetPlayPosition() const { return PlayPosition; }
  bool IsBusy() const { return Busy; }

  // Events
  TNotifyEvent OnChangePosition;
  TNotifyEvent OnChangePlayPosition;
  TAudioProgressEvent OnBlockOperation;
  TNotifyEvent OnEndOperation;
  TAudioMeterEvent OnMeter;  // 0 (-92 dB and below) .. 92 (full scale)
  TAudioMarkerEvent OnChangeMarker;  // a marker was dragged
  TAudioMarkerEvent OnNewMarker;
  TAudioMarkerEvent OnMarkerClick;
  TNotifyEvent OnEndPlay;
  TNotifyEvent OnGainChange;  // the output volume changed
  TNotifyEvent OnScaleXClick;
  TNotifyEvent OnScaleYClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

 private:
  friend class IAudioEditor2Markers;
  friend class IAudioEditor2Effects;
  friend class IAudioEditor2Output;
  friend class IAudioEditor2Colors;
  friend class IAudioEditor2Scale;

  struct TState {
    TSampleSequence Audio;
    TAudioMarkers Markers;
    int Rate;
    int64_t SelStart, SelEnd, Cursor;
    bool SelActive;
  };

  // Editing machinery
  class TOperation;  // busy guard with progress events
  TState Snapshot() const;
  void Restore(TState&& state);
  void RememberForUndo();
  // Restores the last state of from; the present one goes onto to.
  void StepBack(std::vector<TState>& from, std::vector<TState>& to);
  std::shared_ptr<TWorkingFile> WorkingFile();
  void Replace(TSampleSequence&& audio);  // after an edit: keep view and positions inside
  void ReplaceRange(int64_t start, int64_t count, const TSampleSequence& with);
  TSampleSequence ReadConverted(TAudioDecoder& decoder, int rate, int channels, TOperation& op);
  using TPull = std::function<int64_t(float*, int64_t)>;
  TSampleSequence ConvertStream(const TPull& pull, int inRate, int inChannels, int64_t total, int rate,
                                int channels, TOperation* op);
  // audio at fromRate in the document's own format, or rate and channels.
  TSampleSequence Converted(const TSampleSequence& audio, int fromRate, int rate, int channels, TOperation* op);
  TSampleSequence Mixed(int64_t start, int64_t count, const TSampleSequence& other, float ownGain,
                        float otherGain, TOperation& op);
  void MixIn(const TSampleSequence& other, float ownPercent, float otherPercent);
  void InsertAtCursor(const TSampleSequence& audio, bool select);
  // A new or opened document: no markers, no history, the whole of it in view.
  void TakeDocument(TSampleSequence&& audio, int rate, const TAudioTags& tags);
  void Changed();
  void CheckIdle() const;
  void RequireIdle();

  // Positions and view
  int64_t Clamp(int64_t x) const;
  void SetSelection(int64_t start, int64_t end);
  void KeepViewInside(int64_t oldLength);

  // Playback
  int64_t PullPlayback(float* out, int64_t frames);
  void PlaybackTick();
  void PlaybackFinished();
  void EndPlayback();

  // Mouse
  enum class TDrag { None, Select, Marker };
  int MarkerAt(int x);

  TSampleSequence Audio{2};
  int Rate = 44100;
  TAudioTags Tags;
  TAudioMarkers MarkerList;
  int CurrentMarker = -1;

  int64_t SelStart = 0, SelEnd = 0, Cursor = 0;
  bool SelActive = false;
  int64_t ViewStart = 0, ViewEnd = 0;

  std::vector<TState> UndoSteps, RedoSteps;
  int CompoundDepth = 0;
  bool CompoundRemembered = false;

  std::string TempDirectory;
  std::shared_ptr<TWorkingFile> File;
  int TypeBorder = 0;
  bool Busy = false;

  std::unique_ptr<TAudioOutput> Device;
  TPlayback Playback;
  int PlayState = psIdle;
  bool PlayLoop = false;
  int64_t PlayFrom = 0, PlayTo = 0, PlayFeed = 0, PlayFed = 0, PlayPosition = 0;
  int64_t PlayStartCursor = 0;
  // (fed frame, document frame) where each run of fed audio began
  std::vector<std::pair<int64_t, int64_t>> PlaySegments;

  IAudioEditor2Scale ScaleX{*this};
  IAudioEditor2Scale ScaleY{*this};
  IAudioEditor2Colors Colors{*this};
  IAudioEditor2Output Output{*this};
  IAudioEditor2Effects Effects{*this};
  IAudioEditor2Markers Markers{*this};
  IAudioEditor2FileFormat FileFormat;
  TDrag Drag = TDrag::None;
  int64_t Anchor = 0;
  int DragMarker = -1;
  int64_t DragOffset = 0;
};
