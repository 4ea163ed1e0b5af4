// One document: an MDI child hosting one editor control, two scroll bars that set
// the selection edges and four zoom buttons. The editor's Tag holds the modified
// state (10 modified, 11 saved); the window's Tag is the document id.
#pragma once

#include <cstdint>
#include <string>

#include "app/ProgramForm.h"

class TAction;
class TActionList;
class TAudioEditor2;
class TPngSpeedButton;
class TMainForm;
class TPanel;
class TScrollBar;
class TWinControl;
class TComponent;

class TChildForm : public TProgramForm {
  SONVELT_CLASS(TChildForm, TProgramForm)
public:
  explicit TChildForm(TComponent* AOwner);

  TAudioEditor2* AudioEditor = nullptr;
  TPanel* PanelBottom = nullptr;
  TScrollBar* ScrollBarStart = nullptr;
  TScrollBar* ScrollBarEnd = nullptr;
  TPngSpeedButton* ButtonZoomIn = nullptr;
  TPngSpeedButton* ButtonZoomOut = nullptr;
  TPngSpeedButton* ButtonZoomSelection = nullptr;
  TPngSpeedButton* ButtonZoomFull = nullptr;
  TActionList* ActionList = nullptr;
  TAction* ActionZoomIn = nullptr;
  TAction* ActionZoomOut = nullptr;
  TAction* ActionZoomSelection = nullptr;
  TAction* ActionZoomFull = nullptr;

  std::string FileName;
  bool UpdatingFromScrollBars = false;
  // True while the document has no file of its own ("Untitled" + number): saving
  // it asks for a name.
  bool Untitled = true;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormDestroy(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void ApplyEditorLook();
  void SetDocumentFileName(const std::string& Path);
  void ScrollBarStartChange(TObject* Sender) { ScrollBarsToSelection(); }
  void ScrollBarEndChange(TObject* Sender) { ScrollBarsToSelection(); }
  void ScrollBarsToSelection();
  void ActionZoomInExecute(TObject* Sender);
  void ActionZoomOutExecute(TObject* Sender);
  void ActionZoomSelectionExecute(TObject* Sender);
  void ActionZoomFullExecute(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);

  bool IsModified() const;
};

// The view halves around the cursor.
void ZoomInAroundCursor(TAudioEditor2* Editor);
// Zooms to the selection unless the view shows exactly it already.
void ZoomToSelectionUnlessShown(TAudioEditor2* Editor);
// A position of the editor's document as time text (0:01:05.250).
std::string SampleTimeText(const TAudioEditor2* Editor, int64_t Samples);
// True when the view spans the whole document.
bool ViewSpansDocument(TAudioEditor2* Editor);
// A flat picture button showing the PNG glyph of resource ResId, with its hint.
TPngSpeedButton* NewGlyphButton(TComponent* Owner, TWinControl* Parent, int ResId, int Left, int Top, int Width,
                                int Height, const std::string& Hint);
