// Class groups: two families may each register a class of the same name, and the
// active group decides which one a stream's name finds.
#include <gtest/gtest.h>

#include "framework/ClassRegistry.h"
#include "framework/Control.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace ga {
class TGroupBase : public TComponent {
  SONVELT_CLASS(TGroupBase, TComponent)
public:
  using TComponent::TComponent;
};
class TWidget : public TGroupBase {
  SONVELT_CLASS(TWidget, TGroupBase)
public:
  using TGroupBase::TGroupBase;
};
}  // namespace ga

namespace gb {
class TGroupBase : public TComponent {
  SONVELT_CLASS(TGroupBase, TComponent)
public:
  using TComponent::TComponent;
};
class TWidget : public TGroupBase {
  SONVELT_CLASS(TWidget, TGroupBase)
public:
  using TGroupBase::TGroupBase;
};
}  // namespace gb

namespace gc {
// A second TWidget in group A.
class TWidget : public ga::TGroupBase {
  SONVELT_CLASS(TWidget, ga::TGroupBase)
public:
  using ga::TGroupBase::TGroupBase;
};
}  // namespace gc

namespace {

class TJoiner : public TComponent {
  SONVELT_CLASS(TJoiner, TComponent)
public:
  using TComponent::TComponent;
};
class TJoinerChild : public TJoiner {
  SONVELT_CLASS(TJoinerChild, TJoiner)
public:
  using TJoiner::TJoiner;
};

TEST(ClassGroups, ActiveGroupChoosesBetweenClassesOfOneName) {
  StartClassGroup(ga::TGroupBase::StaticClass());
  StartClassGroup(gb::TGroupBase::StaticClass());
  GroupDescendentsWith(TJoiner::StaticClass(), ga::TGroupBase::StaticClass());
  RegisterClasses({ga::TWidget::StaticClass(), gb::TWidget::StaticClass(), TJoinerChild::StaticClass()});
  // Before any activation every group is searched, the first match wins.
  EXPECT_EQ(FindClass("TWidget"), ga::TWidget::StaticClass());

  ActivateClassGroup(gb::TGroupBase::StaticClass());
  EXPECT_EQ(FindClass("TWidget"), gb::TWidget::StaticClass());
  EXPECT_EQ(GetClass("TJoinerChild"), nullptr);
  EXPECT_EQ(GetClass("TThing"), TThing::StaticClass());  // the default group stays active
  EXPECT_EQ(ActivateClassGroup(ga::TGroupBase::StaticClass()), gb::TGroupBase::StaticClass());
  EXPECT_EQ(FindClass("TWidget"), ga::TWidget::StaticClass());
  EXPECT_EQ(GetClass("TJoinerChild"), TJoinerChild::StaticClass());
  // A stream's class name finds the active group's class.
  const Bytes widget = BinaryOf("object W: TWidget\nend");
  TOwned<TComponent> read(ReadBack(widget));
  EXPECT_EQ(read->ClassType(), ga::TWidget::StaticClass());

  // One group holds one class of a name.
  EXPECT_THROW(RegisterClass(gc::TWidget::StaticClass()), EInvalidOperation);
  EXPECT_THROW(FindClass("TNope"), EClassNotFound);

  ActivateClassGroup(TControl::StaticClass());
  EXPECT_EQ(GetClass("TWidget"), nullptr);
  UnRegisterClass(ga::TWidget::StaticClass());
  UnRegisterClass(gb::TWidget::StaticClass());
  UnRegisterClass(TJoinerChild::StaticClass());
}

}  // namespace
