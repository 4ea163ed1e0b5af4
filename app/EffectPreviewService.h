// What an effect dialog needs of the window that previews its effect: the main
// window offers it, tests may put their own in its place.
#pragma once

class TEffectPreviewService {
public:
  virtual ~TEffectPreviewService() = default;
  // Plays the active document's selection through the effect the settings name
  // (PreviewOperationTypes), with the values the dialog stored there.
  virtual void StartPreview() = 0;
  virtual void StopPreview() = 0;

  // From a preview that started playing until its end or StopPreview; a dialog
  // may clear it.
  bool PreviewPlaying = false;
  // While the preview's transform works through the selection.
  bool TransformRunning = false;
};

// The service the effect dialogs use; null when there is none.
extern TEffectPreviewService* EffectPreviewService;
