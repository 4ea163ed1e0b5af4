// Forms and controls through a stream: parents, z-order, tab order, fonts that
// follow the parent, events bound to the form's handlers, non-visual components.
#include <gtest/gtest.h>

#include "framework/Button.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/Published.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace {

class TStreamForm : public TForm {
  SONVELT_CLASS(TStreamForm, TForm)
public:
  using TForm::TForm;
  void ButtonClick(TObject*) {}
  static void Publish(TPublisher<TStreamForm>& P);
};

SONVELT_PUBLISHED(TStreamForm, P) { P.Handler("ButtonClick", &TStreamForm::ButtonClick); }

const bool Registered =
    (RegisterClasses({TStreamForm::StaticClass(), TPanel::StaticClass(), TButton::StaticClass()}), true);

TEST(ControlStreams, FormTreeComesBackWithParentsAndOrders) {
  TOwned<TStreamForm> form(TStreamForm::Create(nullptr));
  form->SetName("StreamForm");
  form->SetCaption("Streams");
  form->SetBounds(10, 20, 300, 200);
  form->GetFont()->SetHeight(-15);
  TPanel* top = TPanel::Create(form.get());
  top->SetName("Top");
  top->SetParent(form.get());
  top->SetAlign(alTop);
  top->SetHeight(40);
  top->SetColor(clRed);
  TPanel* bottom = TPanel::Create(form.get());
  bottom->SetName("Bottom");
  bottom->SetParent(form.get());
  bottom->SendToBack();
  TButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = TButton::Create(form.get());
    buttons[i]->SetName(std::string("Button") + char('A' + i));
    buttons[i]->SetParent(top);
    buttons[i]->SetLeft(10 + 60 * i);
  }
  // Tab order C, B, A: reading A first cannot place it before its later siblings.
  buttons[2]->SetTabOrder(0);
  buttons[1]->SetTabOrder(1);
  buttons[0]->OnClick = Bind(form.get(), &TStreamForm::ButtonClick);
  MakeThing(form.get(), "Data")->SetCount(8);
  const Bytes written = Written(form.get());

  TOwned<TStreamForm> copy(TStreamForm::Create(nullptr));
  ReadBack(written, copy.get());
  EXPECT_EQ(copy->GetName(), "StreamForm");
  EXPECT_EQ(copy->GetCaption(), "Streams");
  EXPECT_EQ(copy->GetWidth(), 300);
  EXPECT_EQ(copy->GetFont()->GetHeight(), -15);
  ASSERT_EQ(copy->GetControlCount(), 2);
  EXPECT_EQ(copy->GetControl(0)->GetName(), "Bottom");
  auto* top2 = As<TPanel>(copy->GetControl(1));
  EXPECT_EQ(top2->GetName(), "Top");
  EXPECT_EQ(top2->GetAlign(), alTop);
  EXPECT_EQ(top2->GetHeight(), 40);
  EXPECT_EQ(top2->GetWidth(), copy->GetClientWidth());
  EXPECT_EQ(top2->GetColor(), clRed);
  EXPECT_FALSE(top2->GetParentColor());
  EXPECT_EQ(copy->GetControl(0)->GetFont()->GetHeight(), -15);
  ASSERT_EQ(top2->GetControlCount(), 3);
  auto* a = As<TButton>(copy->FindComponent("ButtonA"));
  EXPECT_EQ(a->GetParent(), top2);
  EXPECT_EQ(a->GetLeft(), 10);
  EXPECT_EQ(a->GetTabOrder(), 2);
  EXPECT_EQ(As<TButton>(copy->FindComponent("ButtonB"))->GetTabOrder(), 1);
  EXPECT_EQ(As<TButton>(copy->FindComponent("ButtonC"))->GetTabOrder(), 0);
  EXPECT_EQ(a->OnClick, Bind(copy.get(), &TStreamForm::ButtonClick));
  EXPECT_EQ(As<TThing>(copy->FindComponent("Data"))->GetCount(), 8);
  EXPECT_EQ(Written(copy.get()), written);
}

}  // namespace
