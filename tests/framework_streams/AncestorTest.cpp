// Writing against an ancestor stores only the differences; reading them over the
// ancestor's stream finds the inherited components and marks them.
#include <gtest/gtest.h>

#include "tests/framework_streams/StreamTest.h"

namespace {

class Ancestors : public StreamTest {
protected:
  // A base form: X (with Inner) and Y (with P1 and P2).
  static TThingRoot* Base() {
    TThingRoot* root = TThingRoot::Create(nullptr);
    root->SetName("Form");
    TThing* x = MakeThing(root, "X");
    MakeThing(root, "Inner", x)->SetCount(1);
    TThing* y = MakeThing(root, "Y");
    MakeThing(root, "P1", y);
    MakeThing(root, "P2", y);
    x->SetCount(2);
    x->SetCaption("base");
    x->SetPeer(y);
    x->GetLines()->Add("l1");
    x->OnChange = Bind(root, &TThingRoot::ThingChange);
    return root;
  }
};

TEST_F(Ancestors, OnlyDifferencesAreWritten) {
  TOwned<TThingRoot> ancestor(Base());
  TOwned<TThingRoot> same(Base());
  // Nothing differs: the components are there, marked inherited, with no properties.
  EXPECT_EQ(Written(same.get(), ancestor.get()),
            (Bytes{'T', 'P', 'F', '0', 0xF1} + Str("TThingRoot") + Str("Form") + Bytes{0} +
                Bytes{0xF1} + Str("TThing") + Str("X") + Bytes{0} +
                Bytes{0xF1} + Str("TThing") + Str("Inner") + Bytes{0, 0, 0} +
                Bytes{0xF1} + Str("TThing") + Str("Y") + Bytes{0} +
                Bytes{0xF1} + Str("TThing") + Str("P1") + Bytes{0, 0} +
                Bytes{0xF1} + Str("TThing") + Str("P2") + Bytes{0, 0, 0, 0}));

  TOwned<TThingRoot> changed(Base());
  auto* x = As<TThing>(changed->FindComponent("X"));
  x->SetCaption("derived");
  x->GetLines()->Add("l2");
  x->OnChange = Bind(changed.get(), &TThingRoot::OtherChange);
  x->SetPeer(nullptr);
  MakeThing(changed.get(), "Z")->SetCount(9);
  const std::string text = TextOf(Written(changed.get(), ancestor.get()));
  EXPECT_EQ(text,
            "inherited Form: TThingRoot\r\n"
            "  inherited X: TThing\r\n"
            "    Caption = 'derived'\r\n"
            "    Lines.Strings = (\r\n"
            "      'l1'\r\n"
            "      'l2')\r\n"
            "    Peer = nil\r\n"
            "    OnChange = OtherChange\r\n"
            "    inherited Inner: TThing\r\n"
            "    end\r\n"
            "  end\r\n"
            "  inherited Y: TThing\r\n"
            "    inherited P1: TThing\r\n"
            "    end\r\n"
            "    inherited P2: TThing\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object Z: TThing\r\n"
            "    Count = 9\r\n"
            "    Level = 0\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(Ancestors, InheritedReadFindsAndMarksTheAncestorsComponents) {
  TOwned<TThingRoot> ancestor(Base());
  TOwned<TThingRoot> changed(Base());
  As<TThing>(changed->FindComponent("X"))->SetCaption("derived");
  MakeThing(changed.get(), "Z");
  // Children stored in another order than the ancestor's come back in it.
  TThing* y = As<TThing>(changed->FindComponent("Y"));
  y->SetChildOrder(changed->FindComponent("P2"), 0);
  const Bytes base = Written(ancestor.get());
  const Bytes derived = Written(changed.get(), ancestor.get());
  EXPECT_NE(TextOf(derived).find("inherited P2: TThing [0]"), std::string::npos);

  TOwned<TThingRoot2> form(TThingRoot2::Create(nullptr));
  ReadBack(base, form.get());
  TThing* x = As<TThing>(form->FindComponent("X"));
  Log.clear();
  ReadBack(derived, form.get());
  EXPECT_EQ(form->FindComponent("X"), x);
  EXPECT_EQ(x->GetCaption(), "derived");
  EXPECT_EQ(x->GetCount(), 2);
  EXPECT_EQ(form->GetComponentCount(), 6);  // X, Inner, Y, P1, P2 and the new Z
  EXPECT_EQ(Log.front(), "Form.ReadState LR");
  EXPECT_EQ(Log[1], "X.ReadState in Form LRA");
  EXPECT_TRUE(x->GetComponentState().Contains(csAncestor));
  EXPECT_TRUE(form->FindComponent("Inner")->GetComponentState().Contains(csAncestor));
  EXPECT_FALSE(form->FindComponent("Z")->GetComponentState().Contains(csAncestor));
  const auto& children = As<TThing>(form->FindComponent("Y"))->GetChildThings();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0]->GetName(), "P2");
  EXPECT_EQ(children[1]->GetName(), "P1");
}

TEST_F(Ancestors, MissingAncestorComponentIsAnError) {
  TOwned<TThingRoot> ancestor(Base());
  TOwned<TThingRoot> same(Base());
  const Bytes derived = Written(same.get(), ancestor.get());
  TOwned<TThingRoot> form(TThingRoot::Create(nullptr));
  try {
    ReadBack(derived, form.get());
    FAIL() << "read without the ancestor's components";
  } catch (const EReadError& E) {
    EXPECT_EQ(E.GetMessage(), "Ancestor for 'X' not found");
  }
  EXPECT_EQ(form->GetComponentCount(), 0);
  EXPECT_TRUE(form->GetComponentState().Empty());
}

}  // namespace
