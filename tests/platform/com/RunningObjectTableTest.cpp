#include "platform/com/RunningObjectTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace com;

namespace {

class Described : public IDescribedObject {
public:
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override
    {
        return answerQuery<IDescribedObject>(iid, out);
    }
    std::string describe() override { return text; }
    std::string text = "first";
};

QString readEntry(const std::string& name)
{
    QFile f(QDir(RunningObjectTable::directory()).filePath(QString::fromStdString(name)));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool listed(const std::string& name)
{
    for (const auto& e : RunningObjectTable::entries())
        if (e.name == name)
            return true;
    return false;
}

class RunningObjectTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
    QTemporaryDir runtime;
};

}  // namespace

TEST_F(RunningObjectTableTest, EntryHoldsTheDescriptionFollowsChangesAndGoesOnRevoke)
{
    Ref<RunningObjectTable> table;
    ASSERT_EQ(getRunningObjectTable(table), S_OK);
    auto object = std::make_shared<Described>();
    const std::string name = "FilterGraph 0A1B2C3D pid " + QString::number(getpid(), 16).toUpper().toStdString();
    Ref<ItemMoniker> moniker;
    ASSERT_EQ(createItemMoniker("!", name, moniker), S_OK);
    EXPECT_EQ(moniker->displayName(), "!" + name);

    uint32_t cookie = 0;
    ASSERT_EQ(table->Register(0, object, moniker, cookie), S_OK);
    EXPECT_TRUE(listed(name));
    EXPECT_EQ(readEntry(name), "first");
    EXPECT_EQ(RunningObjectTable::pidOfName(name), getpid());

    object->text = "second";
    table->noteChanged(object.get());
    EXPECT_EQ(readEntry(name), "second");

    EXPECT_EQ(table->Revoke(cookie), S_OK);
    EXPECT_FALSE(listed(name));
    EXPECT_EQ(table->Revoke(cookie), E_INVALIDARG);
}

TEST_F(RunningObjectTableTest, EntriesOfDeadProcessesArePrunedAndBadNamesRefused)
{
    Ref<RunningObjectTable> table;
    ASSERT_EQ(getRunningObjectTable(table), S_OK);
    QDir().mkpath(RunningObjectTable::directory());
    // A process id far above any the system hands out stands for a process that died.
    const QString stale = QStringLiteral("FilterGraph 00000001 pid 7FFFFFF0");
    QFile f(QDir(RunningObjectTable::directory()).filePath(stale));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(listed(stale.toStdString()));
    EXPECT_FALSE(QFile::exists(f.fileName()));

    auto object = std::make_shared<Described>();
    Ref<ItemMoniker> moniker;
    uint32_t cookie = 0;
    createItemMoniker("!", "../escape", moniker);
    EXPECT_EQ(table->Register(0, object, moniker, cookie), E_INVALIDARG);
    EXPECT_EQ(RunningObjectTable::pidOfName("FilterGraph 1 pid zz"), 0);
}
