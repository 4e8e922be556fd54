#include "platform/dvd/NavigatorState.h"
#include "platform/com/StructuredStorage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace com;
using namespace dvd;

namespace {

NavigatorState SampleState()
{
    NavigatorState s;
    for (int i = 0; i < 16; ++i)
        s.discId[size_t(i)] = uint8_t(i * 17);
    s.domain = DVD_DOMAIN_Title;
    s.title = 1;
    s.chapter = 2;
    s.timeMs = 5480;
    s.audioStream = 1;
    s.subpictureStream = 0;
    s.subpictureShown = true;
    s.angle = 1;
    return s;
}

}  // namespace

TEST(NavigatorStateRecord, RoundTripsAndRejectsDamage)
{
    const NavigatorState state = SampleState();
    const QByteArray bytes = SerializeState(state);
    const auto back = ParseState(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, state);

    EXPECT_FALSE(ParseState({}).has_value());
    EXPECT_FALSE(ParseState(bytes.left(bytes.size() - 1)).has_value());
    EXPECT_FALSE(ParseState(bytes + "x").has_value());
    // Any single changed byte is caught by the checksum or the checks.
    for (int i = 0; i < bytes.size(); ++i) {
        QByteArray damaged = bytes;
        damaged[i] = char(damaged[i] ^ 0x20);
        EXPECT_FALSE(ParseState(damaged).has_value()) << "byte " << i;
    }
}

TEST(NavigatorStateRecord, RefusesPlacesNoNavigatorCouldHaveSaved)
{
    NavigatorState state = SampleState();
    state.title = 0;  // a title domain without a title
    EXPECT_FALSE(ParseState(SerializeState(state)).has_value());
    state = SampleState();
    state.angle = 0;
    EXPECT_FALSE(ParseState(SerializeState(state)).has_value());
    state = SampleState();
    state.domain = DVD_DOMAIN_VideoManagerMenu;
    state.menu = 0;
    EXPECT_FALSE(ParseState(SerializeState(state)).has_value());
    state.menu = DVD_MENU_Title;
    EXPECT_TRUE(ParseState(SerializeState(state)).has_value());
}

TEST(BookmarkFile, SavesTheStateObjectAndLoadsItBackByClass)
{
    DvdState::registerClass();
    QTemporaryDir dir;
    const QString path = dir.filePath("bookmark.bmk");
    auto state = std::make_shared<DvdState>(SampleState());
    MemoryStream out;
    ASSERT_EQ(OleSaveToStream(*state, out), S_OK);
    // Class identifier first, in the platform's binary layout, then the object's bytes.
    ASSERT_GE(out.bytes().size(), 16);
    EXPECT_EQ(uint8_t(out.bytes()[0]), 0xC2);  // {B5E1A3C2-...}: first field little-endian
    ASSERT_EQ(WriteCompoundFile(path, "BookMark", out.bytes()), S_OK);

    QByteArray read;
    ASSERT_EQ(ReadCompoundFile(path, "BookMark", read), S_OK);
    EXPECT_EQ(read, out.bytes());
    MemoryStream in(read);
    com::Ref<com::IUnknown> loaded;
    ASSERT_EQ(OleLoadFromStream(in, IDvdState::IID, loaded), S_OK);
    auto* loadedState = dynamic_cast<DvdState*>(loaded.get());
    ASSERT_NE(loadedState, nullptr);
    EXPECT_EQ(loadedState->state(), SampleState());
}

TEST(BookmarkFile, SavingAgainReplacesAndBadFilesAreRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bookmark.bmk");
    QByteArray bytes;
    EXPECT_EQ(ReadCompoundFile(path, "BookMark", bytes), STG_E_FILENOTFOUND);

    ASSERT_EQ(WriteCompoundFile(path, "BookMark", "first"), S_OK);
    ASSERT_EQ(WriteCompoundFile(path, "BookMark", "second"), S_OK);
    ASSERT_EQ(ReadCompoundFile(path, "BookMark", bytes), S_OK);
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"bookmark.bmk"});  // no temporary left

    // No such stream.
    EXPECT_LT(ReadCompoundFile(path, "Other", bytes), 0);

    // Garbage and truncated files.
    QFile garbage(dir.filePath("garbage.bmk"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(3000, 'x'));
    garbage.close();
    EXPECT_LT(ReadCompoundFile(garbage.fileName(), "BookMark", bytes), 0);
    QFile whole(path);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray all = whole.readAll();
    QFile truncated(dir.filePath("truncated.bmk"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(all.left(all.size() / 3));
    truncated.close();
    EXPECT_LT(ReadCompoundFile(truncated.fileName(), "BookMark", bytes), 0);

    // A stream whose class is unknown or whose state is damaged loads nothing.
    MemoryStream unknown(QByteArray(16, '\x11') + "abc");
    com::Ref<com::IUnknown> loaded;
    EXPECT_LT(OleLoadFromStream(unknown, IDvdState::IID, loaded), 0);
    EXPECT_FALSE(loaded);
}
