// vistrel-graphs: lists the media graphs that running Vistrel processes have registered in the
// running object table, and prints one (or all) in full.
//
//   vistrel-graphs            one line per live graph: its name and its process
//   vistrel-graphs NAME|PID   the description of the graphs whose name or process matches
//   vistrel-graphs --all      the description of every live graph
#include "platform/com/RunningObjectTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

void print(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printEntry(const com::RunningEntry& entry)
{
    QFile file(entry.path);
    if (!file.open(QIODevice::ReadOnly))
        return;  // revoked meanwhile
    print(QString::fromStdString(entry.name) + QLatin1Char('\n'));
    print(QString::fromUtf8(file.readAll()));
    print(QStringLiteral("\n"));
}

bool matches(const com::RunningEntry& entry, const QString& wanted)
{
    if (QString::fromStdString(entry.name) == wanted)
        return true;
    bool ok = false;
    const long pid = wanted.toLong(&ok);
    return ok && pid == entry.pid;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        print(QStringLiteral("Usage: vistrel-graphs [--all | NAME | PID]\n"
                             "Lists the media graphs of running Vistrel processes, or prints them in full.\n"));
        return 0;
    }
    const auto entries = com::RunningObjectTable::entries();
    if (args.isEmpty()) {
        for (const auto& entry : entries)
            print(QStringLiteral("%1\t(process %2)\n").arg(QString::fromStdString(entry.name)).arg(entry.pid));
        return 0;
    }
    const bool all = args.first() == QLatin1String("--all");
    int shown = 0;
    for (const auto& entry : entries) {
        if (all || matches(entry, args.first())) {
            printEntry(entry);
            ++shown;
        }
    }
    if (!shown && !all) {
        std::fprintf(stderr, "vistrel-graphs: no live graph named or owned by \"%s\"\n", qPrintable(args.first()));
        return 1;
    }
    return 0;
}
