// Side bars in form data: a group's links come back in their order, bound to the
// items they name, also when the items are read after the group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/Form.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarCollections.h"
#include "tests/suite_common_more/StreamSupport.h"

namespace {

const bool Registered = (RegisterClasses({TdxNavBar::StaticClass(), TdxNavBarGroup::StaticClass(),
                                          TdxNavBarItem::StaticClass()}),
                         true);

std::vector<std::string> LinkCaptions(TComponent* Root) {
  auto* Bar = dynamic_cast<TdxNavBar*>(Root->FindComponent("Bar"));
  std::vector<std::string> R;
  if (!Bar || Bar->GetGroups()->Count() != 1) return R;
  TdxNavBarGroup* Group = Bar->GetGroups()->Items(0);
  for (int L = 0; L < Group->LinkCount(); ++L)
    R.push_back(Group->Links(L)->GetItem() ? Group->Links(L)->GetItem()->GetCaption() : "(none)");
  return R;
}

}  // namespace

TEST(NavBarStream, GroupLinksComeBackBoundToTheirItems) {
  const std::string Text = R"(object F: TForm
  object Bar: TdxNavBar
    Width = 180
    Height = 300
    object Files: TdxNavBarGroup
      Caption = 'Files'
      Links = <
        item
          Item = Save
        end
        item
          Item = Open
        end>
    end
    object Open: TdxNavBarItem
      Caption = 'Open'
    end
    object Save: TdxNavBarItem
      Caption = 'Save'
    end
  end
end
)";
  const std::vector<std::string> Expected{"Save", "Open"};
  TOwned<TForm> First(TForm::Create(nullptr));
  ReadComponent(BinaryOf(Text).get(), First.get());
  EXPECT_EQ(Expected, LinkCaptions(First.get()));

  // Written and read again, nothing is lost.
  TOwned<TMemoryStream> Stream(TMemoryStream::Create());
  WriteComponent(Stream.get(), First.get());
  Stream->SetPosition(0);
  TOwned<TForm> Second(TForm::Create(nullptr));
  ReadComponent(Stream.get(), Second.get());
  EXPECT_EQ(Expected, LinkCaptions(Second.get()));
}
