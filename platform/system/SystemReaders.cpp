// Reading the processor and the system's version from /proc and /etc.
#include "platform/system/SystemReaders.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace platform {
namespace {

const QString kUnknown = QStringLiteral("Inconnu");

QString UnderRoot(const QString& root, const char* path)
{
    QString folder = root;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder + QLatin1String(path);
}

// The value of the first "key : value" line of the first processor; null without the file.
QString CpuInfoField(const QString& root, const QString& key)
{
    QFile file(UnderRoot(root, "/proc/cpuinfo"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream stream(&file);
    for (QString line = stream.readLine(); !line.isNull(); line = stream.readLine()) {
        if (line.trimmed().isEmpty())
            break;  // the first processor ends here
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed() == key)
            return line.mid(colon + 1).trimmed();
    }
    return QStringLiteral("");
}

QString Unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

QString ProcessorName(const QString& root)
{
    const QString name = CpuInfoField(root, QStringLiteral("model name"));
    return name.isNull() ? kUnknown : name;
}

QString ProcessorVendor(const QString& root)
{
    const QString vendor = CpuInfoField(root, QStringLiteral("vendor_id"));
    return vendor.isNull() ? kUnknown : vendor;
}

QString SystemVersion(const QString& root)
{
    QFile release(UnderRoot(root, "/etc/os-release"));
    if (!release.open(QIODevice::ReadOnly | QIODevice::Text))
        return kUnknown;
    QHash<QString, QString> fields;
    QTextStream stream(&release);
    for (QString line = stream.readLine(); !line.isNull(); line = stream.readLine()) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.startsWith(QLatin1Char('#')))
            fields.insert(line.left(equals).trimmed(), Unquoted(line.mid(equals + 1)));
    }
    QString system = fields.value(QStringLiteral("PRETTY_NAME"));
    if (system.isEmpty())
        system = (fields.value(QStringLiteral("NAME")) + QLatin1Char(' ') + fields.value(QStringLiteral("VERSION")))
                     .trimmed();
    QString kernel;
    QFile osrelease(UnderRoot(root, "/proc/sys/kernel/osrelease"));
    if (osrelease.open(QIODevice::ReadOnly | QIODevice::Text))
        kernel = QString::fromLocal8Bit(osrelease.readAll()).trimmed();
    return system + QStringLiteral("   ") + kernel;
}

}  // namespace platform
