// Menus: TMainMenu (a form's menu bar) and TPopupMenu over trees of TMenuItem.
// Captions mark the access key with '&'; "-" is a separator. Items linked to an
// action follow it. Shortcuts are key codes with scShift/scCtrl/scAlt added.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlTypes.h"

using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F9", "Del"; empty for none.
std::string ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText; 0 for text it does not know.
TShortCut TextToShortCut(const std::string& Text);
// The shortcut a key press stands for with the modifier keys held now.
TShortCut ShortCutFromKey(WORD Key);
// The caption without its '&' marks ("&&" stays one '&').
std::string StripHotkey(const std::string& Caption);

class TMenu;
class TMenuItem;
class TBasicAction;
class TMenuActionLink;
class TCustomImageList;

class TCanvas;
// An owner-drawn item: State holds the ODS_* flags of the drawing request.
using TMenuDrawItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, UINT State)>;
using TMenuMeasureItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
  SONVELT_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool IsLine() const { return FCaption == "-"; }
  // A click switches Checked before it runs.
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool IsOwnerDrawn() const { return static_cast<bool>(OnDrawItem); }

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  TMenuItem* GetParent() const { return FParent; }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  void Clear();
  TMenuItem* Find(const std::string& ACaption) const;
  // The command id the menu reports for this item.
  UINT GetCommand() const { return FCommand; }
  HMENU GetHandle();

  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  virtual void Click();
  // Lets the items of a sub-menu update from their actions before it opens.
  void InitiateActions();
  TNotifyEvent OnClick;
  // Set before the menu shows, these make the item owner-drawn.
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

protected:
  friend class TMenu;
  friend class TMenuActionLink;
  void ActionChange(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Changed();
  void AppendTo(HMENU Menu);
  TMenuItem* FindCommand(UINT Command);
  TMenuItem* FindHandle(HMENU Handle);
  TMenuItem* FindShortCut(TShortCut SC);
  void DestroySubHandle();
  void RebuildSub();

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  std::string FHint;
  bool FDefault = false;
  bool FAutoCheck = false;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;
  UINT FCommand = 0;
  HMENU FHandle = nullptr;
  HBITMAP FBitmap = nullptr;  // the image shown beside the caption
  std::unique_ptr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
  SONVELT_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  void BeforeDestruction() override;
  TMenuItem* GetItems() const { return FItems; }
  HMENU GetHandle();
  bool DispatchCommand(UINT Command);
  bool DispatchPopup(HMENU Handle);
  bool IsShortCut(WORD Key, LPARAM KeyData);
  TMenuItem* FindItem(UINT Command) { return FItems->FindCommand(Command); }
  // The menu's handle is rebuilt from the items.
  virtual void MenuChanged();
  // Items show the image of their ImageIndex from this list.
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);

protected:
  virtual HMENU CreateMenuHandle() = 0;
  virtual void WindowChanged() {}
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TMenuItem* FItems;
  TCustomImageList* FImages = nullptr;
  HMENU FHandle = nullptr;
};

class TMainMenu : public TMenu {
  SONVELT_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // The window whose menu bar this is (set by the form).
  void SetWindowHandle(HWND Value) { FWindow = Value; }

protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
  void WindowChanged() override;

private:
  HWND FWindow = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  SONVELT_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  // Shows the menu at the screen point and runs the chosen item's OnClick.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup;

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
  void WndProc(TMessage& Message);
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
  HWND FWindow = nullptr;
};

// The link of a menu item to its action.
class TMenuActionLink : public TObject {
  SONVELT_CLASS(TMenuActionLink, TObject)
public:
  explicit TMenuActionLink(TMenuItem* Client);
  ~TMenuActionLink() override;
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  bool Execute();

private:
  class TLink;
  std::unique_ptr<TLink> FLink;
};
