#include "app/dialogs/AddCommandForm.h"

#include <windows.h>

#include "app/BatchItems.h"
#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/HelpViewer.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Messages.h"
#include "framework/Unicode.h"

namespace {

// A list box that draws its entries itself, in rows a little taller than the text.
class TCommandListBox : public TListBox {
  SONVELT_CLASS(TCommandListBox, TListBox)
public:
  explicit TCommandListBox(TComponent* AOwner) : TListBox(AOwner) {}

  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_DRAWITEM) {
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    }
    TListBox::Dispatch(Message);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TListBox::CreateParams(Params);
    Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  }
  void CreateWnd() override {
    TListBox::CreateWnd();
    SendMessageW(GetHandle(), LB_SETITEMHEIGHT, 0, 18);
  }

private:
  void DrawItem(const DRAWITEMSTRUCT& Item) {
    const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
    RECT R = Item.rcItem;
    FillRect(Item.hDC, &R, GetSysColorBrush(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (Item.itemID != static_cast<UINT>(-1) && static_cast<int>(Item.itemID) < GetItems()->GetCount()) {
      const std::wstring Text = Utf8ToWide(GetItems()->GetStrings(static_cast<int>(Item.itemID)));
      SetBkMode(Item.hDC, TRANSPARENT);
      SetTextColor(Item.hDC, GetSysColor(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      DrawTextW(Item.hDC, Text.c_str(), static_cast<int>(Text.size()), &R,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (Item.itemState & ODS_FOCUS) DrawFocusRect(Item.hDC, &R);
  }
};

}  // namespace

TAddCommandForm::TAddCommandForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Add Command", 300, 338);
  LabelCommand = AddControl<TLabel>(this, 8, 8, 284, 14, "Select command(s) to add to the Command list.");
  ListBoxCommand = AddControl<TCommandListBox>(this, 8, 26, 284, 270);
  ListBoxCommand->SetName("ListBoxCommand");
  for (int Kind = 0; Kind < bcCount; ++Kind) ListBoxCommand->GetItems()->Add(std::string("  ") + BatchCommandCaption(Kind));
  ListBoxCommand->OnDblClick = TNotifyEvent(this, &TAddCommandForm::ListBoxCommandDblClick);

  ActionList = TActionList::Create(this);
  ActionAdd = TAction::Create(this);
  ActionAdd->SetActionList(ActionList);
  ActionAdd->SetCaption("Add");
  ActionAdd->OnExecute = TNotifyEvent(this, &TAddCommandForm::ActionAddExecute);
  ActionAdd->OnUpdate = TNotifyEvent(this, &TAddCommandForm::ActionAddUpdate);
  ActionHelp = TAction::Create(this);
  ActionHelp->SetActionList(ActionList);
  ActionHelp->SetCaption("Help");
  ActionHelp->SetShortCut(VK_F1);
  ActionHelp->OnExecute = TNotifyEvent(this, &TAddCommandForm::ActionHelpExecute);

  ButtonAdd = AddControl<TButton>(this, 55, 306, 75, 25);
  ButtonAdd->SetAction(ActionAdd);
  ButtonAdd->SetDefault(true);
  ButtonCancel = AddControl<TButton>(this, 136, 306, 75, 25, "Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  ButtonHelp = AddControl<TButton>(this, 217, 306, 75, 25);
  ButtonHelp->SetAction(ActionHelp);
  OnShow = TNotifyEvent(this, &TAddCommandForm::FormShow);
}

void TAddCommandForm::FormShow(TObject*) { ApplyHintFont(this); }

void TAddCommandForm::ActionAddUpdate(TObject*) { ActionAdd->SetEnabled(ListBoxCommand->GetItemIndex() >= 0); }

void TAddCommandForm::ActionAddExecute(TObject*) {
  if (ListBoxCommand->GetItemIndex() >= 0) SetModalResult(mrOk);
}

void TAddCommandForm::ListBoxCommandDblClick(TObject* Sender) { ActionAddExecute(Sender); }

void TAddCommandForm::ActionHelpExecute(TObject*) { ShowHelpTopic(GetHandle(), "Effects"); }
