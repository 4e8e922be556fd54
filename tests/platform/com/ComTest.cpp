#include "platform/com/ObjectServices.h"
#include "platform/com/Unknown.h"

#include <gtest/gtest.h>

using namespace com;

namespace {

class IAlpha : public virtual IUnknown {
public:
    static constexpr Guid IID{"{11111111-2222-3333-4444-555555555555}"};
    virtual int alpha() = 0;
};
class IBeta : public virtual IUnknown {
public:
    static constexpr Guid IID{"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"};
};

class AlphaOnly : public IAlpha {
public:
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override { return answerQuery<IAlpha>(iid, out); }
    int alpha() override { return 7; }
};

}  // namespace

TEST(Guid, TextRoundTripAndIllFormedText)
{
    constexpr Guid g{"{e436ebb3-524f-11ce-9f53-0020af0ba770}"};
    EXPECT_EQ(g.toString(), "{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
    EXPECT_EQ(Guid(g.toString()), g);
    EXPECT_TRUE(Guid("E436EBB3-524F-11CE-9F53-0020AF0BA770").isNull());
    EXPECT_TRUE(Guid("{E436EBB3-524F-11CE-9F53-0020AF0BA77Z}").isNull());
    EXPECT_FALSE(g.isNull());
}

TEST(Query, GivesSharedViewsAndRefusesWithAnEmptyReference)
{
    Ref<IUnknown> object = std::make_shared<AlphaOnly>();
    Ref<IAlpha> alpha = query<IAlpha>(object);
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->alpha(), 7);
    EXPECT_EQ(alpha.use_count(), 2);  // shares the object's count

    Ref<IBeta> beta = query<IBeta>(object);
    EXPECT_FALSE(beta);
    Ref<IBeta> into;
    EXPECT_EQ(queryInto(object, into), E_NOINTERFACE);
    EXPECT_EQ(queryInto(Ref<IUnknown>(), into), E_POINTER);
}

TEST(ObjectServices, CreatesRegisteredClassesAndFindsActiveObjects)
{
    constexpr Guid clsid{"{01234567-89AB-CDEF-0123-456789ABCDEF}"};
    Ref<IUnknown> made;
    EXPECT_EQ(createInstance(clsid, made), REGDB_E_CLASSNOTREG);
    registerClass(clsid, "Test.Alpha", [] { return Ref<IUnknown>(std::make_shared<AlphaOnly>()); });
    ASSERT_EQ(createInstance(clsid, made), S_OK);
    EXPECT_TRUE(query<IAlpha>(made));
    EXPECT_EQ(progIdFromClsid(clsid), "Test.Alpha");

    Ref<IUnknown> active;
    EXPECT_EQ(getActiveObject(clsid, active), MK_E_UNAVAILABLE);
    uint32_t registration = 0;
    ASSERT_EQ(registerActiveObject(made, clsid, registration), S_OK);
    ASSERT_EQ(getActiveObject(clsid, active), S_OK);
    EXPECT_EQ(active, made);
    EXPECT_EQ(revokeActiveObject(registration), S_OK);
    EXPECT_EQ(getActiveObject(clsid, active), MK_E_UNAVAILABLE);

    // The list holds no reference: a released object is no longer active.
    ASSERT_EQ(registerActiveObject(made, clsid, registration), S_OK);
    active.reset();
    made.reset();
    EXPECT_EQ(getActiveObject(clsid, active), MK_E_UNAVAILABLE);
}
